// The commands on the store itself: the installation values, single values,
// .reg files and what the stored settings mean.
#include "app/cli/cli_support.h"
#include "base/error.h"
#include "base/file_io.h"
#include "base/text.h"
#include "settings/settings_report.h"
#include "shell/reg_file.h"
#include "shell/settings_store.h"

#include <iostream>
#include <iterator>

namespace vendaxo::cli {

namespace {

// What the installer writes; the optional values are left as they are when not given.
struct InstallationValues {
    std::string serial;
    std::string company;
    std::string cartServerAddress;
    std::string orderRetrievalAddress;
    std::optional<std::string> helpFile;
    std::optional<std::string> folder;
};

// Refuses a serial and company list of different lengths, as the chooser pairs them.
void install(SettingsStore& store, const InstallationValues& values) {
    if (values.serial.find_first_not_of("; ") == std::string::npos)
        throw Error("--serial names no merchant number.");
    const auto merchants = splitList(values.serial, ';').size();
    const auto companies = splitList(values.company, ';').size();
    if (merchants != companies)
        throw Error("--serial names " + std::to_string(merchants) + " merchant(s) but --company " +
                    std::to_string(companies) + "; give one company name per merchant number.");
    SettingsStore::KeyValues key{std::string(kInstallationKey), {}};
    const auto add = [&](const InstallationValue& value, const std::string& text) {
        key.values.push_back({std::string(value.name), RegValue::string(text)});
    };
    add(stored::kSerial, values.serial);
    add(stored::kCompany, values.company);
    add(stored::kCartServer, values.cartServerAddress);
    add(stored::kOrderRetrieval, values.orderRetrievalAddress);
    if (values.helpFile)
        add(stored::kHelpFile, *values.helpFile);
    if (values.folder)
        add(stored::kInstallFolder, *values.folder);
    store.writeAll({key});
}

} // namespace

void addInstallCommand(CLI::App& app, Commands& commands) {
    auto values = std::make_shared<InstallationValues>();
    CLI::App* command =
        app.add_subcommand("install", "Write the installation values of one or more merchants");
    command->add_option("--serial", values->serial, "Merchant number(s), ';'-separated")
        ->required();
    command->add_option("--company", values->company, "Company name(s), same order")->required();
    command->add_option("--cart-url", values->cartServerAddress, "Cart server address")->required();
    command->add_option("--retrieve-url", values->orderRetrievalAddress, "Order retrieval address")
        ->required();
    command->add_option("--help-file", values->helpFile, "Help file path");
    command->add_option("--dir", values->folder, "Installation folder");
    commands.add(command, [values](const GlobalOptions& globals) {
        install(*globals.openStore(), *values);
        return kExitDone;
    });
}

void addValueCommands(CLI::App& app, Commands& commands) {
    struct Value {
        std::string name;
        std::string text;
    };
    auto value = std::make_shared<Value>();
    CLI::App* get = app.add_subcommand("get", "Print a value of the current merchant");
    get->add_option("name", value->name, "Value name")->required();
    commands.add(get, [value](const GlobalOptions& globals) {
        const auto store = globals.openStore();
        selectMerchant(*store, globals);
        writeStdout(store->readMerchant(value->name) + "\n");
        return kExitDone;
    });

    CLI::App* set = app.add_subcommand("set", "Write a value of the current merchant");
    set->add_option("name", value->name, "Value name")->required();
    set->add_option("value", value->text, "The value; - reads it from standard input")->required();
    commands.add(set, [value](const GlobalOptions& globals) {
        const auto store = globals.openStore();
        selectMerchant(*store, globals);
        // Such a name could never be exported to a .reg file again.
        if (value->name.find_first_of("\r\n") != std::string::npos)
            throw Error("A value name cannot hold a line break.");
        if (value->text == "-")
            value->text.assign(std::istreambuf_iterator<char>(std::cin), {});
        store->writeMerchant(value->name, value->text);
        return kExitDone;
    });

    CLI::App* getInstall =
        app.add_subcommand("get-install", "Print a value of the installation key");
    getInstall->add_option("name", value->name, "Value name")->required();
    commands.add(getInstall, [value](const GlobalOptions& globals) {
        writeStdout(globals.openStore()->readInstallation(value->name) + "\n");
        return kExitDone;
    });
}

void addRegFileCommands(CLI::App& app, Commands& commands) {
    auto file = std::make_shared<std::string>();
    CLI::App* importCommand = app.add_subcommand("import", "Import a .reg file");
    importCommand->add_option("file", *file, ".reg file")->required();
    commands.add(importCommand, [file](const GlobalOptions& globals) {
        const auto store = globals.openStore();
        const std::string bytes = readFileBytes(pathFromUtf8(*file));
        try {
            importRegFile(*store, bytes);
        } catch (const Error& error) {
            throw Error(*file + ": " + error.what());
        }
        return kExitDone;
    });

    CLI::App* exportCommand =
        app.add_subcommand("export", "Export all settings as a .reg file (UTF-16)");
    exportCommand->add_option("file", *file, ".reg file; standard output when not given");
    commands.add(exportCommand, [file](const GlobalOptions& globals) {
        const std::string bytes = exportRegFile(*globals.openStore());
        if (file->empty())
            writeStdout(bytes);
        else
            writeFileAtomically(pathFromUtf8(*file), bytes);
        return kExitDone;
    });
}

void addSettingsCommand(CLI::App& app, Commands& commands) {
    auto json = std::make_shared<bool>(false);
    CLI::App* command =
        app.add_subcommand("settings", "Print what the current merchant's stored settings mean");
    command->add_flag("--json", *json, "As JSON, for scripts");
    commands.add(command, [json](const GlobalOptions& globals) {
        const auto store = globals.openStore();
        selectMerchant(*store, globals);
        writeStdout(*json ? settingsReportJson(*store) : settingsReport(*store));
        return kExitDone;
    });
}

} // namespace vendaxo::cli
