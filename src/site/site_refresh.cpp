#include "site/site_refresh.h"

#include "base/error.h"
#include "snippets/page_rewrite.h"

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

class SiteRefresher {
public:
    SiteRefresher(const SiteReport& check, const SiteSettings& settings, RefreshMode mode,
                  RefreshReport& report)
        : m_check(check), m_settings(settings), m_mode(mode), m_report(report) {}

    // The problems of pages not read again are left as the check found them.
    void leaveAlone(const std::vector<SiteProblem>& problems) {
        for (const SiteProblem& problem : problems) {
            if (!m_visited.contains(problem.place.page))
                m_report.forms.push_back(
                    {problem.place, problem.form, false, leftAloneDetails(problem)});
        }
    }

    void page(std::size_t index) {
        m_visited.insert(index);
        const SitePage& page = m_check.pages[index];
        PageOnDisk onDisk;
        std::vector<ReadForm> forms;
        try {
            onDisk = PageOnDisk::read(page.file);
            forms = readSnippetForms(onDisk.bytes);
        } catch (const Error& error) {
            m_report.failures.push_back({page.name, page.name + ": " + error.what()});
            return;
        }
        std::vector<PageReplacement> replacements;
        std::vector<FormRefresh> outcomes;
        // What each form is to be once the page is written.
        std::vector<FormState> expected;
        for (const ReadForm& form : forms) {
            const FormVerdict verdict = judgeForm(form, m_settings);
            expected.push_back(verdict.state);
            const FormPlace place{index, form.snippet.line};
            const std::string leftAlone = whyLeftAlone(form, verdict);
            if (!leftAlone.empty()) {
                outcomes.push_back({place, form.snippet.kind, false, leftAlone});
            } else if (verdict.state == FormState::Stale) {
                replacements.push_back(
                    {form.snippet.range->begin, form.snippet.range->end, verdict.refreshed});
                outcomes.push_back({place, form.snippet.kind, true, refreshedDetails(verdict)});
                expected.back() = FormState::Current;
            }
        }
        if (!replacements.empty() && !write(index, onDisk, replacements, expected)) {
            for (FormRefresh& outcome : outcomes) {
                if (outcome.refreshed) {
                    outcome.refreshed = false;
                    outcome.details = "the page was not written";
                }
            }
        }
        m_report.forms.insert(m_report.forms.end(), outcomes.begin(), outcomes.end());
    }

private:
    // Why a form that is not current is not rebuilt; empty when it is.
    std::string whyLeftAlone(const ReadForm& form, const FormVerdict& verdict) const {
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
            m_check.conflictingSkus.contains(form.snippet.product.sku))
            return "its SKU \"" + form.snippet.product.sku +
                   "\" is sold differently on other forms; make them agree first";
        return verdict.state == FormState::Stale ? verdict.notRefreshable : std::string();
    }

    // Writes the page with the forms replaced once reading it back shows the
    // rebuilt forms current and the others as they were.
    bool write(std::size_t index, const PageOnDisk& page, std::vector<PageReplacement> replacements,
               const std::vector<FormState>& expected) {
        const std::string& name = m_check.pages[index].name;
        try {
            const std::string bytes = replaceInPage(page.bytes, std::move(replacements));
            std::vector<FormState> states;
            for (const ReadForm& form : readSnippetForms(bytes))
                states.push_back(judgeForm(form, m_settings).state);
            if (states != expected)
                throw Error("the rebuilt forms did not read back as current; it was not written");
            if (m_mode == RefreshMode::Write)
                rewritePage(page, bytes);
        } catch (const PageChangedOnDisk& changed) {
            m_report.failures.push_back({name, changed.what()});
            return false;
        } catch (const Error& error) {
            m_report.failures.push_back({name, name + ": " + error.what()});
            return false;
        }
        ++m_report.pagesWritten;
        return true;
    }

    const SiteReport& m_check;
    const SiteSettings& m_settings;
    RefreshMode m_mode;
    RefreshReport& m_report;
    std::set<std::size_t> m_visited;
};

bool isStale(const SiteProblem& problem) {
    return problem.kind == SiteProblemKind::StaleCheckout ||
           problem.kind == SiteProblemKind::StaleCommon;
}

} // namespace

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
    SiteRefresher refresher(check, settings, mode, report);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        refresher.page(pages[i]);
        if (progress && !progress(i + 1, pages.size())) {
            report.stopped = i + 1 < pages.size();
            break;
        }
    }
    refresher.leaveAlone(check.problems);
    std::stable_sort(
        report.forms.begin(), report.forms.end(), [](const FormRefresh& a, const FormRefresh& b) {
            return std::tie(a.place.page, a.place.line) < std::tie(b.place.page, b.place.line);
        });
    return report;
}

} // namespace vendaxo
