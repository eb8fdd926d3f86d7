// vendaxo-cli: the merchant's settings and the shop snippets without the desktop program.
#include "app/cli/cli_support.h"
#include "shell/settings_store.h"

#include <iostream>

#ifdef _WIN32
#include "base/text_encoding.h"

#include <fcntl.h>
#include <io.h>
#endif

namespace {

using namespace vendaxo;
using namespace vendaxo::cli;

void addGlobalOptions(CLI::App& app, GlobalOptions& globals) {
#ifdef _WIN32
    app.add_option("--store", globals.storePath,
                   "Not available on Windows: the settings live in the registry");
#else
    app.add_option("--store", globals.storePath,
                   "Settings store file (default: $VENDAXO_STORE, else "
                   "$XDG_DATA_HOME/vendaxo/registry.sqlite3)");
#endif
    app.add_option("--merchant", globals.merchant,
                   "Merchant number; required when several merchants are installed");
}

int run(int argc, char** argv) {
    CLI::App app{"Vendaxo command line: merchant settings and shop snippets.", "vendaxo-cli"};
    app.set_version_flag("--version", std::string("vendaxo-cli ") + VENDAXO_VERSION);
    app.require_subcommand(1);
    GlobalOptions globals;
    addGlobalOptions(app, globals);
    Commands commands;
    addInstallCommand(app, commands);
    addValueCommands(app, commands);
    addRegFileCommands(app, commands);
    addButtonCommands(app, commands);
    addSettingsCommand(app, commands);
    addPurchaseCommand(app, commands);
    addCatalogueCommand(app, commands);
    addCheckoutCommand(app, commands);
    addOptionsFileCommand(app, commands);
    addSnippetsCommand(app, commands);
    addSiteCommands(app, commands);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version);
    }
#ifdef _WIN32
    if (!globals.storePath.empty()) {
        std::cerr << "vendaxo-cli: --store: on Windows the settings live in the registry "
                     "(HKEY_LOCAL_MACHINE\\"
                  << kInstallationKey << "); the embedded store is not built here.\n";
        return 2;
    }
#endif
    return commands.runParsed(globals);
}

int guardedRun(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    try {
        return run(argc, argv);
    } catch (const CLI::ParseError& error) {
        // Also what a command's own checks of its flags throw, after parsing.
        std::cerr << "vendaxo-cli: " << error.what() << "\nRun with --help for more information.\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "vendaxo-cli: " << error.what() << '\n';
        return 1;
    }
}

} // namespace

#ifdef _WIN32
// The arguments come as UTF-16 and are passed on as UTF-8. Standard input and
// output are binary, so that values and snippets keep "\n" as one byte.
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(utf16ToUtf8(std::u16string(argv[i], argv[i] + wcslen(argv[i]))));
    std::vector<char*> pointers;
    for (std::string& argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    return guardedRun(argc, pointers.data());
}
#else
int main(int argc, char** argv) {
    return guardedRun(argc, argv);
}
#endif
