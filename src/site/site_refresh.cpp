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
        std::size_t staleLeft = 0;
        for (const ReadForm& form : forms) {
            const FormVerdict verdict = judgeForm(form, m_settings);
            const FormPlace place{index, form.snippet.line};
            const SnippetKind kind = form.snippet.kind;
            if (verdict.state == FormState::OtherMerchant)
                outcomes.push_back(
                    {place, kind, false, "another merchant's form: " + verdict.details});
            else if (verdict.state == FormState::Damaged)
                outcomes.push_back({place, kind, false, "damaged: " + verdict.details});
            else if (inConflict(form))
                outcomes.push_back({place, kind, false,
                                    "its SKU \"" + form.snippet.product.sku +
                                        "\" is sold differently on other forms; make them agree "
                                        "first"});
            else if (verdict.state == FormState::Current)
                continue;
            else if (!verdict.notRefreshable.empty())
                outcomes.push_back({place, kind, false, verdict.notRefreshable});
            else {
                replacements.push_back(
                    {form.snippet.range->begin, form.snippet.range->end, verdict.refreshed});
                outcomes.push_back({place, kind, true, refreshedDetails(verdict)});
                continue;
            }
            staleLeft += verdict.state == FormState::Stale;
        }
        if (!replacements.empty() && !write(index, onDisk, replacements, staleLeft)) {
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
    bool inConflict(const ReadForm& form) const {
        return form.snippet.kind == SnippetKind::Purchase &&
               m_check.conflictingSkus.contains(form.snippet.product.sku);
    }

    // Writes the page with the forms replaced once reading it back shows no
    // stale form but those left alone.
    bool write(std::size_t index, const PageOnDisk& page, std::vector<PageReplacement> replacements,
               std::size_t staleLeft) {
        const std::string& name = m_check.pages[index].name;
        try {
            const std::string bytes = replaceInPage(page.bytes, std::move(replacements));
            std::size_t stale = 0;
            for (const ReadForm& form : readSnippetForms(bytes))
                stale += judgeForm(form, m_settings).state == FormState::Stale;
            if (stale != staleLeft)
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
