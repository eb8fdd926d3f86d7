#include "app/cli/cli_support.h"

#include "base/error.h"
#include "base/file_io.h"
#include "base/text.h"
#include "shell/settings_store.h"

#include <algorithm>
#include <cstdio>

#ifdef _WIN32
#include "shell/registry_store.h"
#include "snippets/ole_bridge.h"

#include <io.h>
#else
#include "shell/sqlite_store.h"

#include <unistd.h>
#endif

namespace vendaxo::cli {

namespace {

bool standardErrorIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

std::string installedList(const Installation& installation) {
    const auto numbers = installation.merchantNumbers();
    const auto names = installation.companyNames();
    std::string list;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (!list.empty())
            list += ", ";
        list += numbers[i];
        if (i < names.size() && !names[i].empty())
            list += " (" + names[i] + ")";
    }
    return list;
}

// Index of the requested merchant among the installed ones.
std::size_t merchantIndex(const Installation& installation,
                          const std::optional<std::string>& requested) {
    if (trimmed(installation.serial).empty())
        throw Error("No merchant is installed; run 'vendaxo-cli install' first.");
    const auto numbers = installation.merchantNumbers();
    if (!requested) {
        if (installation.hasSeveralMerchants())
            throw Error("Several merchants are installed: " + installedList(installation) +
                        ". Choose one with --merchant.");
        return 0;
    }
    const auto found = std::find(numbers.begin(), numbers.end(), trimmed(*requested));
    if (found == numbers.end())
        throw Error("Merchant " + *requested +
                    " is not installed. Installed: " + installedList(installation) + ".");
    return static_cast<std::size_t>(found - numbers.begin());
}

} // namespace

#ifdef _WIN32
std::unique_ptr<SettingsStore> GlobalOptions::openStore() const {
    return std::make_unique<RegistryStore>();
}
#else
std::unique_ptr<SettingsStore> GlobalOptions::openStore() const {
    return std::make_unique<SqliteStore>(storePath.empty() ? SqliteStore::defaultPath()
                                                           : pathFromUtf8(storePath));
}
#endif

void Commands::add(CLI::App* command, Action action) {
    m_commands.emplace_back(command, std::move(action));
}

int Commands::runParsed(const GlobalOptions& globals) const {
    for (const auto& [command, action] : m_commands) {
        if (command->parsed())
            return action(globals);
    }
    return kExitDone;
}

void writeStdout(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0)
        throw Error("Cannot write to standard output.");
}

std::string counted(std::size_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

TerminalProgress::TerminalProgress(std::string verb, std::string noun, std::size_t from)
    : m_verb(std::move(verb)), m_noun(std::move(noun)), m_from(from),
      m_shown(standardErrorIsTerminal()) {}

TerminalProgress::~TerminalProgress() {
    clear();
}

std::function<bool(std::size_t, std::size_t)> TerminalProgress::callback() {
    if (!m_shown)
        return {};
    return [this](std::size_t done, std::size_t total) {
        if (total < m_from)
            return true;
        const std::size_t percent = done * 100 / total;
        if (percent != m_percent || done == total) {
            m_percent = percent;
            m_line =
                m_verb + " " + std::to_string(done) + " of " + std::to_string(total) + " " + m_noun;
            std::fprintf(stderr, "\r%s", m_line.c_str());
            std::fflush(stderr);
        }
        return true;
    };
}

void TerminalProgress::clear() {
    if (m_line.empty())
        return;
    std::fprintf(stderr, "\r%s\r", std::string(m_line.size(), ' ').c_str());
    std::fflush(stderr);
    m_line.clear();
}

std::unique_ptr<PageEditorBridge> OutputOptions::bridge() const {
#ifdef _WIN32
    if (!editor.empty())
        return std::make_unique<OleAutomationBridge>();
#endif
    if (into.empty())
        return std::make_unique<StandardOutputBridge>();
    return std::make_unique<PageFileBridge>(pathFromUtf8(into));
}

void addOutputOptions(CLI::App& command, OutputOptions& output) {
    CLI::Option* into =
        command.add_option("--into", output.into,
                           "Insert into this page file (at <!--vendaxo:caret-->, else before "
                           "</body>, else at the end) instead of printing");
#ifdef _WIN32
    command
        .add_option("--editor", output.editor,
                    "Insert at the caret of the running page editor (FrontPage.Editor) instead "
                    "of printing")
        ->check(CLI::IsMember({"frontpage"}))
        ->excludes(into);
#else
    static_cast<void>(into);
#endif
}

void selectMerchant(SettingsStore& store, const GlobalOptions& globals) {
    const Installation installation = Installation::load(store);
    const std::size_t index = merchantIndex(installation, globals.merchant);
    store.setMerchantNumber(installation.hasSeveralMerchants()
                                ? installation.merchantNumbers()[index]
                                : installation.serial);
}

void activateMerchant(MerchantSession& session, const GlobalOptions& globals) {
    const Installation installation = Installation::load(session.store());
    const std::size_t index = merchantIndex(installation, globals.merchant);
    session.activate(installation);
    if (session.needsChoice())
        session.choose(index);
}

} // namespace vendaxo::cli
