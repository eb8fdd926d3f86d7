#include "site/site_refresh.h"

#include "base/error.h"

#include <algorithm>
#include <set>

namespace vendaxo {

namespace {

std::string refreshedDetails(const FormVerdict& verdict) {
    std::string details;
    for (SettingGroup group : verdict.groups)
        details += (details.empty() ? "" : ", ") + std::string(settingGroupName(group));
    if (!verdict.dropped.empty()) {
        details += "; dropped the fields the program does not write:";
        for (const std::string& field : verdict.dropped)
            details += " " + field;
    }
    return details;
}

std::string leftAloneDetails(const SiteProblem& problem) {
    switch (problem.kind) {
    case SiteProblemKind::OtherMerchant:
        return "another merchant's form: " + problem.details;
    case SiteProblemKind::SkuConflict:
        return "its SKU is sold differently on other forms; make them agree first: " +
               problem.details;
    case SiteProblemKind::Damaged:
        return "damaged: " + problem.details;
    case SiteProblemKind::StaleCheckout:
    case SiteProblemKind::StaleCommon:
        break;
    }
    return "not refreshed: the refresh was stopped before its page";
}

// Why a form that is not current is not rebuilt; empty when it is.
std::string whyLeftAlone(const SiteReport& check, const ReadForm& form,
                         const FormVerdict& verdict) {
    switch (verdict.state) {
    case FormState::OtherMerchant:
        return "another merchant's form: " + verdict.details;
    case FormState::Damaged:
        return "damaged: " + verdict.details;
    case FormState::Current:
    case FormState::Stale:
        break;
    }
    if (form.snippet.kind == SnippetKind::Purchase &&
        check.conflictingSkus.contains(form.snippet.product.sku))
        return "its SKU \"" + form.snippet.product.sku +
               "\" is sold differently on other forms; make them agree first";
    return verdict.state == FormState::Stale ? verdict.notRefreshable : std::string();
}

bool isStale(const SiteProblem& problem) {
    return problem.kind == SiteProblemKind::StaleCheckout ||
           problem.kind == SiteProblemKind::StaleCommon;
}

} // namespace

PageRefreshPlan planPageRefresh(const SiteReport& check, std::size_t page,
                                const SiteSettings& settings) {
    PageRefreshPlan plan;
    plan.page = page;
    plan.read = PageOnDisk::read(check.pages[page].file);
    std::vector<PageReplacement> replacements;
    // What each form is to be once the page is written.
    std::vector<FormState> expected;
    for (const ReadForm& form : readSnippetForms(plan.read.bytes)) {
        const FormVerdict verdict = judgeForm(form, settings);
        expected.push_back(verdict.state);
        const FormPlace place{page, form.snippet.line};
        const std::string leftAlone = whyLeftAlone(check, form, verdict);
        if (!leftAlone.empty()) {
            plan.forms.push_back({place, form.snippet.kind, false, leftAlone});
        } else if (verdict.state == FormState::Stale) {
            replacements.push_back(
                {form.snippet.range->begin, form.snippet.range->end, verdict.refreshed});
            plan.forms.push_back({place, form.snippet.kind, true, refreshedDetails(verdict)});
            expected.back() = FormState::Current;
        }
    }
    if (!replacements.empty())
        plan.bytes = rebuildPage(plan.read.bytes, std::move(replacements), expected, settings);
    return plan;
}

std::string rebuildPage(std::string_view bytes, std::vector<PageReplacement> replacements,
                        const std::vector<FormState>& expected, const SiteSettings& settings) {
    std::string rebuilt = replaceInPage(bytes, std::move(replacements));
    std::vector<FormState> states;
    for (const ReadForm& form : readSnippetForms(rebuilt))
        states.push_back(judgeForm(form, settings).state);
    if (states != expected)
        throw Error("the rebuilt forms did not read back as current; it was not written");
    return rebuilt;
}

void writePageRewrite(const PageRewrite& rewrite) {
    if (!rewrite.bytes.empty())
        rewritePage(rewrite.read, rewrite.bytes);
}

bool applyPageRewrite(const PageRewrite& rewrite, RefreshMode mode, const std::string& name,
                      std::vector<SiteFailure>& failures) {
    try {
        if (mode == RefreshMode::Write)
            writePageRewrite(rewrite);
        return true;
    } catch (const Error& error) {
        // Changed on disk, or not writable.
        failures.push_back({name, error.what()});
        return false;
    }
}

std::size_t RefreshReport::refreshedCount() const {
    return static_cast<std::size_t>(std::count_if(
        forms.begin(), forms.end(), [](const FormRefresh& form) { return form.refreshed; }));
}

std::size_t RefreshReport::leftAloneCount() const {
    return forms.size() - refreshedCount();
}

RefreshReport refreshSite(const SiteReport& check, const SiteSettings& settings, RefreshMode mode,
                          const SiteProgress& progress) {
    std::vector<std::size_t> pages;
    for (const SiteProblem& problem : check.problems) {
        if (isStale(problem) && (pages.empty() || pages.back() != problem.place.page))
            pages.push_back(problem.place.page);
    }
    RefreshReport report;
    std::set<std::size_t> visited;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const SitePage& page = check.pages[pages[i]];
        visited.insert(pages[i]);
        try {
            PageRefreshPlan plan = planPageRefresh(check, pages[i], settings);
            if (applyPageRewrite(plan, mode, page.name, report.failures)) {
                report.pagesWritten += !plan.bytes.empty();
            } else {
                for (FormRefresh& form : plan.forms) {
                    if (form.refreshed) {
                        form.refreshed = false;
                        form.details = "the page was not written";
                    }
                }
            }
            report.forms.insert(report.forms.end(), plan.forms.begin(), plan.forms.end());
        } catch (const Error& error) {
            report.failures.push_back({page.name, page.name + ": " + error.what()});
        }
        if (progress && !progress(i + 1, pages.size())) {
            report.stopped = i + 1 < pages.size();
            break;
        }
    }
    // The problems of pages not read again are left as the check found them.
    for (const SiteProblem& problem : check.problems) {
        if (!visited.contains(problem.place.page))
            report.forms.push_back({problem.place, problem.form, false, leftAloneDetails(problem)});
    }
    std::stable_sort(
        report.forms.begin(), report.forms.end(), [](const FormRefresh& a, const FormRefresh& b) {
            return std::tie(a.place.page, a.place.line) < std::tie(b.place.page, b.place.line);
        });
    return report;
}

} // namespace vendaxo
