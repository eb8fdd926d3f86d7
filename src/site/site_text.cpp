#include "site/site_text.h"

namespace vendaxo {

namespace {

// "1 page", "2 pages".
std::string counted(std::size_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

} // namespace

std::string placeName(const SiteReport& report, FormPlace place) {
    return report.pages[place.page].name + ":" + std::to_string(place.line);
}

std::string siteSummary(const SiteReport& report) {
    std::string text =
        counted(report.pagesChecked, "page") + ", " + counted(report.forms, "form") + ": ";
    for (std::size_t i = 0; i < kSiteProblemKinds; ++i) {
        const auto kind = static_cast<SiteProblemKind>(i);
        text += (i ? ", " : "") + std::to_string(report.count(kind)) + " " +
                std::string(siteProblemName(kind));
    }
    if (!report.failures.empty())
        text += "; " + std::to_string(report.failures.size()) + " could not be read";
    return text;
}

std::string formRefreshLine(const SiteReport& check, const FormRefresh& form, RefreshMode mode) {
    const bool dryRun = mode == RefreshMode::DryRun;
    return placeName(check, form.place) + ": " +
           (form.refreshed ? dryRun ? "would refresh " : "refreshed " : "left alone ") +
           std::string(snippetKindName(form.form)) + ": " + form.details;
}

std::string refreshSummary(const RefreshReport& refresh, RefreshMode mode) {
    const bool dryRun = mode == RefreshMode::DryRun;
    return counted(refresh.refreshedCount(), "form") +
           (dryRun ? " would be refreshed on " : " refreshed on ") +
           counted(refresh.pagesWritten, "page") + ", " + std::to_string(refresh.leftAloneCount()) +
           " left alone" + (dryRun ? "; nothing was written" : "");
}

} // namespace vendaxo
