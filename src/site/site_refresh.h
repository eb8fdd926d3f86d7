#pragma once

#include "site/site_check.h"
#include "snippets/page_rewrite.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vendaxo {

enum class RefreshMode { Write, DryRun };

// What the refresh did with one form that the check found a problem with.
struct FormRefresh {
    FormPlace place; // the page's index in the check's list; the line as checked
    SnippetKind form = SnippetKind::Purchase;
    bool refreshed = false;
    // Refreshed: the settings brought up to date, and fields dropped. Left
    // alone: why.
    std::string details;
};

struct RefreshReport {
    // In page order, then line order.
    std::vector<FormRefresh> forms;
    std::size_t pagesWritten = 0; // or, in a dry run, that would be written
    // Pages that could not be read, or were not written (nothing of them lost).
    std::vector<SiteFailure> failures;
    bool stopped = false;

    std::size_t refreshedCount() const;
    std::size_t leftAloneCount() const;
};

// One page's refresh, planned: the page as read, what it is to hold, and what
// happens to each of its forms that is not current.
struct PageRefreshPlan {
    std::size_t page = 0; // the index in the check's list
    PageOnDisk read;
    std::string bytes; // empty when no form is rebuilt
    std::vector<FormRefresh> forms;
};

// Reads the page again and judges its forms again with the check's SKU
// conflicts; the rebuilt page is read back, and must show every rebuilt form
// current and the others as they were (Error otherwise, as for a page that
// cannot be read).
PageRefreshPlan planPageRefresh(const SiteReport& check, std::size_t page,
                                const SiteSettings& settings);
// Writes the plan with rewritePage(): atomically, the bytes read kept as
// PAGE.bak, nothing written (PageChangedOnDisk) when the file changed since.
void writePageRefresh(const PageRefreshPlan& plan);

// Rebuilds the stale forms the check found, in place, from their own values
// and the settings now: each page with such forms is read again and judged
// again, every byte outside the rebuilt forms is kept, the page keeps its
// encoding and line ends, and it is written atomically with its previous
// bytes kept as PAGE.bak, unless it changed on disk since it was read (then it
// is listed among the failures, unwritten). Forms of other merchants, damaged
// forms and purchase forms whose SKU is in conflict are never touched. A page
// is written only when reading it back shows every rebuilt form current.
RefreshReport refreshSite(const SiteReport& check, const SiteSettings& settings, RefreshMode mode,
                          const SiteProgress& progress = {});

} // namespace vendaxo
