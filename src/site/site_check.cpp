#include "site/site_check.h"

#include "base/error.h"
#include "base/file_io.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vendaxo {

namespace {

constexpr std::string_view kBomUtf16LE = "\xFF\xFE";
constexpr std::string_view kBomUtf16BE = "\xFE\xFF";

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether "<form" stands at `at` in code units of `unit` bytes, the ASCII
// byte of each at `low`.
bool formTagAt(std::string_view bytes, std::size_t at, std::size_t unit, std::size_t low) {
    constexpr std::string_view name = "form";
    if (at + (name.size() + 1) * unit > bytes.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::size_t unitAt = at + (i + 1) * unit;
        if (unit == 2 && bytes[unitAt + 1 - low] != '\0')
            return false;
        if (lowerAscii(bytes[unitAt + low]) != name[i])
            return false;
    }
    return true;
}

std::string groupNames(const std::vector<SettingGroup>& groups) {
    std::string text;
    for (SettingGroup group : groups)
        text += (text.empty() ? "" : ", ") + std::string(settingGroupName(group));
    return text;
}

std::string staleDetails(const ReadForm& form, const FormVerdict& verdict) {
    std::string details;
    if (form.snippet.kind != SnippetKind::Checkout)
        details = std::string(snippetKindName(form.snippet.kind)) + " form: ";
    details += groupNames(verdict.groups) + " differ" + (verdict.groups.size() == 1 ? "s" : "") +
               " from the settings now";
    if (!verdict.notRefreshable.empty())
        details += " (refresh leaves it: " + verdict.notRefreshable + ")";
    return details;
}

SiteProblemKind problemOf(const ReadForm& form, const FormVerdict& verdict) {
    switch (verdict.state) {
    case FormState::Stale:
        return form.snippet.kind == SnippetKind::Checkout ? SiteProblemKind::StaleCheckout
                                                          : SiteProblemKind::StaleCommon;
    case FormState::OtherMerchant:
        return SiteProblemKind::OtherMerchant;
    case FormState::Damaged:
    case FormState::Current:
        break;
    }
    return SiteProblemKind::Damaged;
}

class SiteChecker {
public:
    SiteChecker(const SiteSettings& settings, SiteReport& report)
        : m_settings(settings), m_report(report) {}

    void page(std::size_t index) {
        const SitePage& page = m_report.pages[index];
        std::string bytes;
        try {
            bytes = readFileBytes(page.file);
        } catch (const Error& error) {
            m_report.failures.push_back({page.name, error.what()});
            return;
        }
        if (!mayHoldForm(bytes))
            return;
        std::vector<ReadForm> forms;
        try {
            forms = readSnippetForms(bytes);
        } catch (const Error& error) {
            m_report.failures.push_back({page.name, page.name + ": " + error.what()});
            return;
        }
        for (const ReadForm& form : forms)
            judge(FormPlace{index, form.snippet.line}, form);
    }

    void finish() {
        const auto name = [&](std::size_t page) {
            return m_report.pages[page].name;
        };
        for (SkuConflict& conflict : m_skus.conflicts(name))
            m_report.problems.push_back({conflict.place, SnippetKind::Purchase,
                                         SiteProblemKind::SkuConflict,
                                         std::move(conflict.details)});
        m_report.conflictingSkus = m_skus.conflictingSkus();
        std::stable_sort(m_report.problems.begin(), m_report.problems.end(),
                         [](const SiteProblem& a, const SiteProblem& b) {
                             return std::tie(a.place.page, a.place.line) <
                                    std::tie(b.place.page, b.place.line);
                         });
    }

private:
    void judge(FormPlace place, const ReadForm& form) {
        ++m_report.forms;
        const FormVerdict verdict = judgeForm(form, m_settings);
        if (form.snippet.kind == SnippetKind::Purchase &&
            (verdict.state == FormState::Current || verdict.state == FormState::Stale))
            m_skus.add(place, form.snippet);
        if (verdict.state == FormState::Current)
            return;
        const SiteProblemKind kind = problemOf(form, verdict);
        m_report.problems.push_back(
            {place, form.snippet.kind, kind,
             verdict.state == FormState::Stale ? staleDetails(form, verdict) : verdict.details});
    }

    const SiteSettings& m_settings;
    SiteReport& m_report;
    SkuIndex m_skus;
};

} // namespace

std::string_view siteProblemName(SiteProblemKind kind) {
    constexpr std::array<std::string_view, kSiteProblemKinds> names = {
        "stale-checkout", "stale-common", "other-merchant", "sku-conflict", "damaged"};
    return names[static_cast<std::size_t>(kind)];
}

std::size_t SiteReport::count(SiteProblemKind kind) const {
    return static_cast<std::size_t>(
        std::count_if(problems.begin(), problems.end(),
                      [kind](const SiteProblem& problem) { return problem.kind == kind; }));
}

bool mayHoldForm(std::string_view bytes) {
    // Only a page with a byte order mark is read as UTF-16; every other
    // encoding a page is read in keeps ASCII as it is.
    const bool utf16 = bytes.starts_with(kBomUtf16LE) || bytes.starts_with(kBomUtf16BE);
    const std::size_t unit = utf16 ? 2 : 1;
    const std::size_t low = bytes.starts_with(kBomUtf16BE) ? 1 : 0;
    const char* data = bytes.data();
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const void* found = std::memchr(data + at, '<', bytes.size() - at);
        if (!found)
            return false;
        at = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        if (utf16 && (at % 2 != low || at + 1 >= bytes.size() || bytes[at + 1 - 2 * low] != '\0'))
            continue;
        if (formTagAt(bytes, at - low, unit, low))
            return true;
    }
    return false;
}

SiteReport checkSite(const std::vector<std::filesystem::path>& roots, const SiteSettings& settings,
                     const SiteProgress& progress) {
    SitePages listed = listSitePages(roots);
    SiteReport report;
    report.pages = std::move(listed.pages);
    report.failures = std::move(listed.failures);
    SiteChecker checker(settings, report);
    for (std::size_t i = 0; i < report.pages.size(); ++i) {
        checker.page(i);
        ++report.pagesChecked;
        if (progress && !progress(i + 1, report.pages.size())) {
            report.stopped = i + 1 < report.pages.size();
            break;
        }
    }
    checker.finish();
    return report;
}

} // namespace vendaxo
