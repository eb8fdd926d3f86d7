#pragma once

#include "site/form_verdict.h"
#include "site/site_pages.h"
#include "site/sku_index.h"

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

enum class SiteProblemKind { StaleCheckout, StaleCommon, OtherMerchant, SkuConflict, Damaged };
inline constexpr std::size_t kSiteProblemKinds = 5;
// "stale-checkout", "stale-common", "other-merchant", "sku-conflict", "damaged".
std::string_view siteProblemName(SiteProblemKind kind);

struct SiteProblem {
    FormPlace place;
    SnippetKind form = SnippetKind::Purchase;
    SiteProblemKind kind = SiteProblemKind::Damaged;
    std::string details;
};

struct SiteReport {
    // Every page of the site, checked or (after a stop) not yet.
    std::vector<SitePage> pages;
    std::size_t pagesChecked = 0;
    std::size_t forms = 0;
    // In page order, then line order.
    std::vector<SiteProblem> problems;
    // Pages and folders that could not be read.
    std::vector<SiteFailure> failures;
    // SKUs sold differently on different forms: their purchase forms are not refreshed.
    std::set<std::string> conflictingSkus;
    // The check was stopped before its end: the figures cover the pages checked.
    bool stopped = false;

    std::size_t count(SiteProblemKind kind) const;
};

// After each page: how many are done of how many; false stops the work
// between two pages.
using SiteProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Checks every Vendaxo form of the pages under `roots` against what Insert
// would write now. Pages are read one at a time; a page that cannot be read
// is listed among the failures and the check goes on.
SiteReport checkSite(const std::vector<std::filesystem::path>& roots, const SiteSettings& settings,
                     const SiteProgress& progress = {});

// Whether the bytes can hold a form start tag at all, in any case and in the
// page's encoding: most pages of a site cannot, and need no reading.
bool mayHoldForm(std::string_view pageBytes);

} // namespace vendaxo
