// The site check and refresh: every form of the site against the settings now.
#include "app/cli/cli_support.h"
#include "base/file_io.h"
#include "base/json.h"
#include "site/site_text.h"

#include <cstdio>

namespace vendaxo::cli {

namespace {

struct SiteOptions {
    std::vector<std::string> paths;
    bool json = false;
    bool dryRun = false;
};

std::vector<std::filesystem::path> rootsOf(const SiteOptions& options) {
    std::vector<std::filesystem::path> roots;
    for (const std::string& path : options.paths)
        roots.push_back(pathFromUtf8(path));
    return roots;
}

SiteReport check(const SiteOptions& options, const SiteSettings& settings) {
    TerminalProgress progress("Checked", "pages");
    return checkSite(rootsOf(options), settings, progress.callback());
}

void reportFailures(const std::vector<SiteFailure>& failures) {
    for (const SiteFailure& failure : failures)
        std::fprintf(stderr, "vendaxo-cli: %s\n", failure.message.c_str());
}

std::string plainCheck(const SiteReport& report) {
    std::string text;
    for (const SiteProblem& problem : report.problems)
        text += placeName(report, problem.place) + ": " +
                std::string(siteProblemName(problem.kind)) + ": " + problem.details + "\n";
    return text + siteSummary(report) + "\n";
}

std::string jsonCheck(const SiteReport& report) {
    std::vector<std::string> problems;
    for (const SiteProblem& problem : report.problems)
        problems.push_back(jsonObject({{"page", jsonString(report.pages[problem.place.page].name)},
                                       {"line", std::to_string(problem.place.line)},
                                       {"kind", jsonString(snippetKindName(problem.form))},
                                       {"problem", jsonString(siteProblemName(problem.kind))},
                                       {"details", jsonString(problem.details)}},
                                      2));
    std::vector<std::string> errors;
    for (const SiteFailure& failure : report.failures)
        errors.push_back(jsonObject(
            {{"page", jsonString(failure.name)}, {"message", jsonString(failure.message)}}, 2));
    const auto list = [](const std::vector<std::string>& items) {
        std::string text = "[";
        for (std::size_t i = 0; i < items.size(); ++i)
            text += (i ? ",\n    " : "\n    ") + items[i];
        return text + (items.empty() ? "]" : "\n  ]");
    };
    return jsonObject({{"pages", std::to_string(report.pagesChecked)},
                       {"forms", std::to_string(report.forms)},
                       {"problems", list(problems)},
                       {"errors", list(errors)}}) +
           "\n";
}

std::string plainRefresh(const SiteReport& check, const RefreshReport& refresh, RefreshMode mode) {
    std::string text;
    for (const FormRefresh& form : refresh.forms)
        text += formRefreshLine(check, form, mode) + "\n";
    return text + refreshSummary(refresh, mode) + "\n";
}

SiteSettings loadSettings(const GlobalOptions& globals, SettingsStore& store) {
    MerchantSession session(store);
    activateMerchant(session, globals);
    return SiteSettings::load(session);
}

int checkCommand(const SiteOptions& options, const GlobalOptions& globals) {
    const auto store = globals.openStore();
    const SiteReport report = check(options, loadSettings(globals, *store));
    reportFailures(report.failures);
    writeStdout(options.json ? jsonCheck(report) : plainCheck(report));
    if (!report.failures.empty())
        return kExitError;
    return report.problems.empty() ? kExitDone : kExitFound;
}

int refreshCommand(const SiteOptions& options, const GlobalOptions& globals) {
    const auto store = globals.openStore();
    const SiteSettings settings = loadSettings(globals, *store);
    const SiteReport report = check(options, settings);
    const RefreshMode mode = options.dryRun ? RefreshMode::DryRun : RefreshMode::Write;
    RefreshReport refresh;
    {
        TerminalProgress progress("Refreshed", "pages");
        refresh = refreshSite(report, settings, mode, progress.callback());
    }
    reportFailures(report.failures);
    reportFailures(refresh.failures);
    writeStdout(plainRefresh(report, refresh, mode));
    if (!report.failures.empty() || !refresh.failures.empty())
        return kExitError;
    return refresh.leftAloneCount() == 0 ? kExitDone : kExitFound;
}

} // namespace

void addSiteCommands(CLI::App& app, Commands& commands) {
    CLI::App* site = app.add_subcommand(
        "site", "Check the forms of a whole site against the settings now, and refresh them");
    site->require_subcommand(1);

    auto checkOptions = std::make_shared<SiteOptions>();
    CLI::App* checkCmd = site->add_subcommand(
        "check", "List the forms that differ from what Insert would write now, other merchants' "
                 "forms, SKUs sold at two prices and damaged forms: PAGE:LINE: PROBLEM: details. "
                 "Exit status 3 when something is found");
    checkCmd
        ->add_option("path", checkOptions->paths, "Pages and folders (walked for .htm and .html)")
        ->required();
    checkCmd->add_flag("--json", checkOptions->json,
                       "As JSON: {\"pages\", \"forms\", \"problems\": [{\"page\", \"line\", "
                       "\"kind\", \"problem\", \"details\"}], \"errors\"}");
    commands.add(checkCmd, [checkOptions](const GlobalOptions& globals) {
        return checkCommand(*checkOptions, globals);
    });

    auto refreshOptions = std::make_shared<SiteOptions>();
    CLI::App* refreshCmd = site->add_subcommand(
        "refresh",
        "Rebuild the stale forms in place from their own values and the settings now; every "
        "other byte of a page stays, and its previous version is kept as PAGE.bak. Exit status 3 "
        "when problems remain that a refresh does not mend");
    refreshCmd
        ->add_option("path", refreshOptions->paths, "Pages and folders (walked for .htm and .html)")
        ->required();
    refreshCmd->add_flag("--dry-run", refreshOptions->dryRun,
                         "Write nothing; print what a refresh would do");
    commands.add(refreshCmd, [refreshOptions](const GlobalOptions& globals) {
        return refreshCommand(*refreshOptions, globals);
    });
}

} // namespace vendaxo::cli
