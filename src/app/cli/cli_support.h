#pragma once

#include "shell/merchant_session.h"
#include "snippets/page_editor.h"

#include <CLI/CLI.hpp>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo::cli {

// The options before the command, which every command shares.
struct GlobalOptions {
    std::string storePath;
    std::optional<std::string> merchant;

    std::unique_ptr<SettingsStore> openStore() const;
};

// Exit statuses: 1 is an error and 2 a usage error, both reported by main.
inline constexpr int kExitDone = 0;
inline constexpr int kExitError = 1;
// Some commands end in 3 when they found what the merchant should look at.
inline constexpr int kExitFound = 3;

// What a command does once the whole line is parsed; returns the exit status.
using Action = std::function<int(const GlobalOptions&)>;

// The commands of the line, each a CLI11 subcommand and its action.
class Commands {
public:
    void add(CLI::App* command, Action action);
    // Runs the command the line named; its exit status.
    int runParsed(const GlobalOptions& globals) const;

private:
    std::vector<std::pair<CLI::App*, Action>> m_commands;
};

// Registered in the order --help lists them.
void addInstallCommand(CLI::App& app, Commands& commands);
void addValueCommands(CLI::App& app, Commands& commands);
void addRegFileCommands(CLI::App& app, Commands& commands);
void addButtonCommands(CLI::App& app, Commands& commands);
void addSettingsCommand(CLI::App& app, Commands& commands);
void addPurchaseCommand(CLI::App& app, Commands& commands);
void addCatalogueCommand(CLI::App& app, Commands& commands);
void addCheckoutCommand(CLI::App& app, Commands& commands);
void addOptionsFileCommand(CLI::App& app, Commands& commands);
void addSnippetsCommand(CLI::App& app, Commands& commands);
void addSiteCommands(CLI::App& app, Commands& commands);

void writeStdout(std::string_view bytes);

// "1 page", "2 pages".
std::string counted(std::size_t count, std::string_view noun);

// "Checked 412 of 1000 pages" on standard error while it is a terminal (and
// nothing when it is not, so logs stay clean), once the total reaches
// `from`: written again only when the percentage moves, cleared at the end.
class TerminalProgress {
public:
    TerminalProgress(std::string verb, std::string noun, std::size_t from = 0);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // Called after each item with how many are done of how many; never stops
    // the work. Empty when standard error is no terminal.
    std::function<bool(std::size_t done, std::size_t total)> callback();
    void clear();

private:
    std::string m_verb;
    std::string m_noun;
    std::size_t m_from;
    bool m_shown;
    std::size_t m_percent = static_cast<std::size_t>(-1);
    std::string m_line;
};

// Where a snippet goes: standard output, a page file or the page editor.
struct OutputOptions {
    std::string into;
    std::string editor;

    std::unique_ptr<PageEditorBridge> bridge() const;
};
void addOutputOptions(CLI::App& command, OutputOptions& output);

// Makes the --merchant merchant current without loading its profile: the only
// one installed, or the one named, which must be installed (required when
// several are).
void selectMerchant(SettingsStore& store, const GlobalOptions& globals);
// The same merchant with its profile loaded exactly as the main window loads it.
void activateMerchant(MerchantSession& session, const GlobalOptions& globals);

} // namespace vendaxo::cli
