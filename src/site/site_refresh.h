#pragma once

#include "site/site_check.h"
#include "snippets/page_rewrite.h"

#include <cstddef>
#include <string>
#include <string_view>
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

// A page as read and the bytes it is to hold: none when nothing of it changes.
struct PageRewrite {
    std::size_t page = 0; // the index in the list of pages walked
    PageOnDisk read;
    std::string bytes;
};

// The page's bytes with the replacements made, read back: its forms must
// judge as `expected` says, one state a form in page order (Error otherwise,
// as for a page that cannot be read).
std::string rebuildPage(std::string_view bytes, std::vector<PageReplacement> replacements,
                        const std::vector<FormState>& expected, const SiteSettings& settings);

// Writes the planned bytes with rewritePage(): atomically, the bytes read kept
// as PAGE.bak, nothing written (PageChangedOnDisk) when the file changed since.
void writePageRewrite(const PageRewrite& rewrite);
// The same in a run: a dry run writes nothing. A page that could not be
// written is listed among the failures (nothing of it lost) and false returned.
bool applyPageRewrite(const PageRewrite& rewrite, RefreshMode mode, const std::string& name,
                      std::vector<SiteFailure>& failures);

// One page's refresh, planned: what happens to each of its forms that is not
// current.
struct PageRefreshPlan : PageRewrite {
    std::vector<FormRefresh> forms;
};

// Reads the page again and judges its forms again with the check's SKU
// conflicts; the rebuilt page is read back, and must show every rebuilt form
// current and the others as they were.
PageRefreshPlan planPageRefresh(const SiteReport& check, std::size_t page,
                                const SiteSettings& settings);

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
