#pragma once

#include "site/site_refresh.h"
#include "snippets/catalogue.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace vendaxo {

// Bringing the purchase forms of a site in line with a product list: each
// form is matched to the row of its SKU and rebuilt from it, as the purchase
// command would build it now.

enum class FormUpdateOutcome {
    Updated,   // rebuilt from its row (or, in a dry run, to be)
    InLine,    // already holds the bytes its row builds
    LeftAlone, // not touched: why is in the details
    NotInList, // a sound form of the merchant whose SKU the list does not have
};

struct FormUpdate {
    FormPlace place; // the page's index in the report's pages; the form's line
    std::string sku;
    FormUpdateOutcome outcome = FormUpdateOutcome::InLine;
    // Updated: what differed. Left alone: why.
    std::string details;
};

// The rows of a list by SKU.
using RowsBySku = std::unordered_map<std::string, const CatalogueRow*>;
RowsBySku rowsBySku(const std::vector<CatalogueRow>& rows);

// One page's update, planned: what happens to each of its purchase forms.
struct CataloguePagePlan : PageRewrite {
    std::vector<FormUpdate> forms;
};

// Reads the page and matches its purchase forms to the rows. A form of
// another merchant or a damaged one is left alone; a form whose bytes differ
// from what its row builds now is rebuilt in place, every other byte of the
// page kept. The rebuilt page is read back and must show each rebuilt form
// current and every other form as it was (Error otherwise, as for a page that
// cannot be read).
CataloguePagePlan planCataloguePage(const SitePage& page, std::size_t index, const RowsBySku& rows,
                                    const SiteSettings& settings);

struct CatalogueUpdateReport {
    // Every page walked.
    std::vector<SitePage> pages;
    // Every purchase form found, in page order, then line order.
    std::vector<FormUpdate> forms;
    // The rows whose SKU no sound form of the merchant carries, in list order.
    std::vector<const CatalogueRow*> missing;
    std::size_t pagesWritten = 0; // or, in a dry run, that would be written
    // Pages and folders that could not be read, pages that were not written.
    std::vector<SiteFailure> failures;
    // Stopped before the last page: the pages not reached are not counted,
    // and no row is counted missing.
    bool stopped = false;

    std::size_t count(FormUpdateOutcome outcome) const;
};

// Updates every purchase form of the pages under `roots` from the rows, a
// page at a time: each changed page is written atomically with its previous
// bytes kept as PAGE.bak, unless it changed on disk since it was read (then it
// is listed among the failures, unwritten, and its forms left alone). The
// progress may stop the update between two pages.
CatalogueUpdateReport updateCatalogue(const std::vector<CatalogueRow>& rows,
                                      const std::vector<std::filesystem::path>& roots,
                                      const SiteSettings& settings, RefreshMode mode,
                                      const SiteProgress& progress = {});

} // namespace vendaxo
