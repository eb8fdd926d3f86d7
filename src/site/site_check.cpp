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
    // "colours" and "shipping method and rates" are plural by themselves.
    const bool plural = verdict.groups.size() > 1 ||
                        verdict.groups.front() == SettingGroup::Colours ||
                        verdict.groups.front() == SettingGroup::Shipping;
    details +=
        groupNames(verdict.groups) + (plural ? " differ" : " differs") + " from the settings now";
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
    // encoding a page is read in keeps ASCII as it is. Setting 0x20 makes an
    // ASCII capital small and turns no other byte into one of these letters.
    constexpr std::string_view tag = "<form";
    const bool bigEndian = bytes.starts_with(kBomUtf16BE);
    if (!bigEndian && !bytes.starts_with(kBomUtf16LE)) {
        const char* end = bytes.data() + bytes.size();
        for (const char* at = bytes.data(); (at = static_cast<const char*>(std::memchr(
                                                 at, '<', static_cast<std::size_t>(end - at))));
             ++at) {
            if (end - at >= 5 && (at[1] | 0x20) == 'f' && (at[2] | 0x20) == 'o' &&
                (at[3] | 0x20) == 'r' && (at[4] | 0x20) == 'm')
                return true;
        }
        return false;
    }
    const std::size_t low = bigEndian ? 1 : 0;
    for (std::size_t at = 2; at + 2 * tag.size() <= bytes.size(); at += 2) {
        std::size_t i = 0;
        while (i < tag.size() && bytes[at + 2 * i + 1 - low] == '\0' &&
               (bytes[at + 2 * i + low] | (i ? 0x20 : 0)) == tag[i])
            ++i;
        if (i == tag.size())
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
