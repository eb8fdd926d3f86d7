// vendaxo-cli: the merchant's settings and the shop snippets without the desktop program.
#include "shell/command_line.h"
#include "shell/error.h"
#include "shell/file_io.h"
#include "shell/reg_file.h"
#include "shell/sqlite_store.h"
#include "snippets/button_snippets.h"
#include "snippets/html.h"
#include "snippets/page_editor.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <iterator>

namespace {

using namespace vendaxo;

void writeStdout(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0)
        throw Error("Cannot write to standard output.");
}

struct Globals {
    std::string storePath;
    std::optional<std::string> merchant;

    std::unique_ptr<SettingsStore> openStore() const {
        return std::make_unique<SqliteStore>(storePath.empty() ? SqliteStore::defaultPath()
                                                               : std::filesystem::path(storePath));
    }
};

struct SnippetOptions {
    std::string caption;
    std::string into;
};

// Obtained before the snippet is built, as the dialogs do.
std::unique_ptr<PageEditor> obtainEditor(const SnippetOptions& options) {
    if (options.into.empty())
        return StandardOutputBridge().obtain();
    return PageFileBridge(options.into).obtain();
}

void addSnippetOptions(CLI::App& command, SnippetOptions& options) {
    command.add_option("--caption", options.caption, "The button's caption")->capture_default_str();
    command.add_option("--into", options.into,
                       "Insert into this page file (at <!--vendaxo:caret-->, else before "
                       "</body>, else at the end) instead of printing");
}

int run(int argc, char** argv) {
    CLI::App app{"Vendaxo command line: merchant settings and shop snippets.", "vendaxo-cli"};
    app.set_version_flag("--version", std::string("vendaxo-cli ") + VENDAXO_VERSION);
    app.require_subcommand(1);

    Globals globals;
    app.add_option("--store", globals.storePath,
                   "Settings store file (default: $VENDAXO_STORE, else "
                   "$XDG_DATA_HOME/vendaxo/registry.sqlite3)");
    app.add_option("--merchant", globals.merchant,
                   "Merchant number; required when several merchants are installed");

    InstallationValues installation;
    CLI::App* installCommand =
        app.add_subcommand("install", "Write the installation values of one or more merchants");
    installCommand->add_option("--serial", installation.serial, "Merchant number(s), ';'-separated")
        ->required();
    installCommand->add_option("--company", installation.company, "Company name(s), same order")
        ->required();
    installCommand->add_option("--cart-url", installation.cartServerAddress, "Cart server address")
        ->required();
    installCommand
        ->add_option("--retrieve-url", installation.orderRetrievalAddress,
                     "Order retrieval address")
        ->required();
    installCommand->add_option("--help-file", installation.helpFile, "Help file path");
    installCommand->add_option("--dir", installation.folder, "Installation folder");

    std::string name;
    std::string value;
    CLI::App* getCommand = app.add_subcommand("get", "Print a value of the current merchant");
    getCommand->add_option("name", name, "Value name")->required();
    CLI::App* setCommand = app.add_subcommand("set", "Write a value of the current merchant");
    setCommand->add_option("name", name, "Value name")->required();
    setCommand->add_option("value", value, "The value; - reads it from standard input")->required();
    CLI::App* getInstallCommand =
        app.add_subcommand("get-install", "Print a value of the installation key");
    getInstallCommand->add_option("name", name, "Value name")->required();

    std::string file;
    CLI::App* importCommand = app.add_subcommand("import", "Import a .reg file");
    importCommand->add_option("file", file, ".reg file")->required();
    CLI::App* exportCommand =
        app.add_subcommand("export", "Export all settings as a .reg file (UTF-16)");
    exportCommand->add_option("file", file, ".reg file; standard output when not given");

    SnippetOptions viewCart{std::string(kViewCartCaption), {}};
    CLI::App* viewCartCommand =
        app.add_subcommand("view-cart", "Build the view-cart button snippet");
    addSnippetOptions(*viewCartCommand, viewCart);
    SnippetOptions retrieveOrders{std::string(kRetrieveOrdersCaption), {}};
    CLI::App* retrieveOrdersCommand =
        app.add_subcommand("retrieve-orders", "Build the retrieve-orders button snippet");
    addSnippetOptions(*retrieveOrdersCommand, retrieveOrders);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version);
    } catch (const CLI::ParseError& error) {
        std::cerr << "vendaxo-cli: " << error.what() << "\nRun with --help for more information.\n";
        return 2;
    }

    const auto store = globals.openStore();
    if (installCommand->parsed()) {
        install(*store, installation);
    } else if (getInstallCommand->parsed()) {
        writeStdout(store->readInstallation(name) + "\n");
    } else if (getCommand->parsed() || setCommand->parsed()) {
        selectMerchant(*store, Installation::load(*store), globals.merchant);
        if (getCommand->parsed()) {
            writeStdout(store->readMerchant(name) + "\n");
        } else {
            if (value == "-")
                value.assign(std::istreambuf_iterator<char>(std::cin), {});
            store->writeMerchant(name, value);
        }
    } else if (importCommand->parsed()) {
        const std::string bytes = readFileBytes(file);
        try {
            importRegFile(*store, bytes);
        } catch (const Error& error) {
            throw Error(file + ": " + error.what());
        }
    } else if (exportCommand->parsed()) {
        const std::string bytes = exportRegFile(*store);
        if (file.empty())
            writeStdout(bytes);
        else
            writeFileAtomically(file, bytes);
    } else if (viewCartCommand->parsed()) {
        const MerchantProfile profile =
            loadProfileFor(*store, Installation::load(*store), globals.merchant);
        const auto editor = obtainEditor(viewCart);
        editor->insertHtml(buildViewCartSnippet(viewCart.caption, profile,
                                                store->readMerchant(kShopColoursValue)));
    } else if (retrieveOrdersCommand->parsed()) {
        const MerchantProfile profile =
            loadProfileFor(*store, Installation::load(*store), globals.merchant);
        const auto editor = obtainEditor(retrieveOrders);
        editor->insertHtml(buildRetrieveOrdersSnippet(retrieveOrders.caption, profile));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "vendaxo-cli: " << error.what() << '\n';
        return 1;
    }
}
