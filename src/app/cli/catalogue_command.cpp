// The product list: one purchase button per row, all inserted at once, or the
// purchase forms of a site brought in line with it.
#include "app/cli/cli_support.h"
#include "base/file_io.h"
#include "shell/settings_store.h"
#include "site/catalogue_update.h"
#include "snippets/catalogue.h"
#include "snippets/catalogue_columns.h"

#include <iostream>
#include <optional>

namespace vendaxo::cli {

namespace {

// Lists shorter than this are checked before a progress line could be read.
constexpr std::size_t kLongList = 2000;

struct CatalogueOptions {
    std::string list;
    OutputOptions output;
    std::vector<std::string> update;
    bool dryRun = false;
};

// The rows of the list; its errors on standard error, and none when it has any.
std::optional<Catalogue> readList(const CatalogueOptions& options, std::string_view undone) {
    Catalogue catalogue;
    {
        TerminalProgress progress("Checked", "products", kLongList);
        catalogue = readCatalogueFile(pathFromUtf8(options.list), progress.callback());
    }
    if (catalogue.errors.empty())
        return catalogue;
    for (const CatalogueError& error : catalogue.errors)
        std::cerr << "vendaxo-cli: " << error.text(options.list) << '\n';
    std::cerr << "vendaxo-cli: " << catalogue.errors.size()
              << (catalogue.errors.size() == 1 ? " error" : " errors")
              << " in the list; nothing was " << undone << ".\n";
    return std::nullopt;
}

int insertCommand(const CatalogueOptions& options, const GlobalOptions& globals) {
    const auto store = globals.openStore();
    selectMerchant(*store, globals);
    const std::optional<Catalogue> catalogue = readList(options, "inserted");
    if (!catalogue)
        return kExitError;
    MerchantSession session(*store);
    activateMerchant(session, globals);
    const auto editor = options.output.bridge()->obtain();
    editor->insertHtml(buildCatalogueSnippets(catalogue->rows, session.profile(),
                                              store->read(stored::kShopColours)));
    return kExitDone;
}

std::string skuText(const std::string& sku) {
    return "SKU \"" + sku + "\"";
}

// A line for each form changed or left alone and for each SKU found on one
// side only, then the figures.
std::string updateText(const CatalogueUpdateReport& report, std::string_view list, bool dryRun) {
    using enum FormUpdateOutcome;
    std::string text;
    for (const FormUpdate& form : report.forms) {
        const std::string place =
            report.pages[form.place.page].name + ":" + std::to_string(form.place.line) + ": ";
        switch (form.outcome) {
        case Updated:
            text += place + (dryRun ? "would update " : "updated ") + skuText(form.sku) + ": " +
                    form.details + "\n";
            break;
        case LeftAlone:
            text += place + "left alone " + skuText(form.sku) + ": " + form.details + "\n";
            break;
        case NotInList:
            text += place + skuText(form.sku) + " is not in the list\n";
            break;
        case InLine:
            break;
        }
    }
    for (const CatalogueRow* row : report.missing)
        text += std::string(list) + ":" + std::to_string(row->line) + ": " +
                skuText(row->product.sku) + " is not on the site\n";
    text += counted(report.count(Updated), "form") +
            (dryRun ? " would be updated on " : " updated on ") +
            counted(report.pagesWritten, "page") + ", " + std::to_string(report.count(InLine)) +
            " in line, " + std::to_string(report.count(LeftAlone)) + " left alone, " +
            std::to_string(report.count(NotInList)) + " not in the list; " +
            counted(report.missing.size(), "SKU") + " of the list not on the site";
    return text + (dryRun ? "; nothing was written\n" : "\n");
}

int updateCommand(const CatalogueOptions& options, const GlobalOptions& globals) {
    const auto store = globals.openStore();
    selectMerchant(*store, globals);
    const std::optional<Catalogue> catalogue = readList(options, "updated");
    if (!catalogue)
        return kExitError;
    MerchantSession session(*store);
    activateMerchant(session, globals);
    const SiteSettings settings = SiteSettings::load(session);
    std::vector<std::filesystem::path> roots;
    for (const std::string& path : options.update)
        roots.push_back(pathFromUtf8(path));
    CatalogueUpdateReport report;
    {
        TerminalProgress progress(options.dryRun ? "Checked" : "Updated", "pages");
        report = updateCatalogue(catalogue->rows, roots, settings,
                                 options.dryRun ? RefreshMode::DryRun : RefreshMode::Write,
                                 progress.callback());
    }
    for (const SiteFailure& failure : report.failures)
        std::cerr << "vendaxo-cli: " << failure.message << '\n';
    writeStdout(updateText(report, options.list, options.dryRun));
    if (!report.failures.empty())
        return kExitError;
    return report.missing.empty() ? kExitDone : kExitFound;
}

} // namespace

void addCatalogueCommand(CLI::App& app, Commands& commands) {
    auto options = std::make_shared<CatalogueOptions>();
    CLI::App* command = app.add_subcommand(
        "catalogue", "Build a purchase button for every product of a list, inserted as one block; "
                     "or, with --update, rebuild the site's purchase forms from the list");
    command
        ->add_option("list", options->list,
                     "Product list (CSV): a header naming the columns (" + catalogueColumnNames() +
                         "), then one product a row")
        ->required();
    addOutputOptions(*command, options->output);
    CLI::Option* update = command->add_option(
        "--update", options->update,
        "Rebuild the purchase forms of these pages and folders (walked for .htm and .html) from "
        "the rows of their SKUs, in place; each changed page's previous version is kept as "
        "PAGE.bak. Exit status 3 when SKUs of the list are not on the site");
    update->excludes(command->get_option("--into"));
#ifdef _WIN32
    update->excludes(command->get_option("--editor"));
#endif
    command
        ->add_flag("--dry-run", options->dryRun,
                   "With --update: write nothing; print what "
                   "an update would do")
        ->needs(update);
    command->footer(
        "Exit status: 0 when done. With --update, with or without --dry-run: 0 when every SKU of "
        "the list has a purchase form of the current merchant on the site (forms of another "
        "merchant and damaged forms do not count), 3 when some have none, 1 when a page or "
        "folder could not be read or a page could not be written. 1 for an error in the list "
        "(then nothing is written), 2 for a usage error.");
    commands.add(command, [options](const GlobalOptions& globals) {
        return options->update.empty() ? insertCommand(*options, globals)
                                       : updateCommand(*options, globals);
    });
}

} // namespace vendaxo::cli
