// The product list: one purchase button per row, all inserted at once.
#include "app/cli/cli_support.h"
#include "base/file_io.h"
#include "shell/settings_store.h"
#include "snippets/catalogue.h"
#include "snippets/catalogue_columns.h"

#include <iostream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vendaxo::cli {

namespace {

// Lists shorter than this are done before a progress line could be read.
constexpr std::size_t kLongList = 2000;

struct CatalogueOptions {
    std::string list;
    OutputOptions output;
};

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

// One line on standard error, rewritten at each percent and cleared at the
// end; nothing when standard error is no terminal, so logs stay clean.
CatalogueProgress progressLine() {
    if (!stderrIsTerminal())
        return {};
    return [shown = std::size_t{101}](std::size_t done, std::size_t total) mutable {
        if (total < kLongList)
            return;
        const std::size_t percent = done * 100 / total;
        if (percent == shown)
            return;
        shown = percent;
        const std::string line = "vendaxo-cli: checked " + std::to_string(done) + " of " +
                                 std::to_string(total) + " products";
        std::cerr << '\r' << (done == total ? std::string(line.size(), ' ') + '\r' : line)
                  << std::flush;
    };
}

} // namespace

void addCatalogueCommand(CLI::App& app, Commands& commands) {
    auto options = std::make_shared<CatalogueOptions>();
    CLI::App* command = app.add_subcommand(
        "catalogue", "Build a purchase button for every product of a list, inserted as one block");
    command
        ->add_option("list", options->list,
                     "Product list (CSV): a header naming the columns (" + catalogueColumnNames() +
                         "), then one product a row")
        ->required();
    addOutputOptions(*command, options->output);
    commands.add(command, [options](const GlobalOptions& globals) {
        const auto store = globals.openStore();
        selectMerchant(*store, globals);
        const Catalogue catalogue = readCatalogueFile(pathFromUtf8(options->list), progressLine());
        if (!catalogue.errors.empty()) {
            for (const CatalogueError& error : catalogue.errors)
                std::cerr << "vendaxo-cli: " << error.text(options->list) << '\n';
            std::cerr << "vendaxo-cli: " << catalogue.errors.size()
                      << (catalogue.errors.size() == 1 ? " error" : " errors")
                      << " in the list; nothing was inserted.\n";
            return kExitError;
        }
        MerchantSession session(*store);
        activateMerchant(session, globals);
        const auto editor = options->output.bridge()->obtain();
        editor->insertHtml(buildCatalogueSnippets(catalogue.rows, session.profile(),
                                                  store->read(stored::kShopColours)));
        return kExitDone;
    });
}

} // namespace vendaxo::cli
