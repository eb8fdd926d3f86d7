// The view-cart and retrieve-orders buttons.
#include "app/cli/cli_support.h"
#include "shell/settings_store.h"
#include "snippets/button_snippets.h"

namespace vendaxo::cli {

namespace {

struct ButtonOptions {
    std::string caption;
    OutputOptions output;
};

using BuildButton = std::string (*)(std::string_view caption, const MerchantSession& session);

void addButtonCommand(CLI::App& app, Commands& commands, const std::string& name,
                      const std::string& description, std::string_view caption, BuildButton build) {
    auto options = std::make_shared<ButtonOptions>(ButtonOptions{std::string(caption), {}});
    CLI::App* command = app.add_subcommand(name, description);
    command->add_option("--caption", options->caption, "The button's caption")
        ->capture_default_str();
    addOutputOptions(*command, options->output);
    commands.add(command, [options, build](const GlobalOptions& globals) {
        const auto store = globals.openStore();
        MerchantSession session(*store);
        activateMerchant(session, globals);
        const auto editor = options->output.bridge()->obtain();
        editor->insertHtml(build(options->caption, session));
        return kExitDone;
    });
}

} // namespace

void addButtonCommands(CLI::App& app, Commands& commands) {
    addButtonCommand(app, commands, "view-cart", "Build the view-cart button snippet",
                     kViewCartCaption,
                     [](std::string_view caption, const MerchantSession& session) {
                         return buildViewCartSnippet(caption, session.profile(),
                                                     session.store().read(stored::kShopColours));
                     });
    addButtonCommand(app, commands, "retrieve-orders", "Build the retrieve-orders button snippet",
                     kRetrieveOrdersCaption,
                     [](std::string_view caption, const MerchantSession& session) {
                         return buildRetrieveOrdersSnippet(caption, session.profile());
                     });
}

} // namespace vendaxo::cli
