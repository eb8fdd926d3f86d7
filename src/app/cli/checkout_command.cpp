// The checkout form: the dialog's boxes as its show leaves them, with the flags applied.
#include "app/cli/cli_support.h"
#include "base/error.h"
#include "snippets/checkout_choices.h"
#include "snippets/checkout_snippet.h"

namespace vendaxo::cli {

namespace {

struct CheckoutOptions {
    CheckoutValues values;
    std::string button = std::string(kDefaultCheckoutButtonText);
    OutputOptions output;
};

CheckoutChoices choicesFrom(SettingsStore& store, const CheckoutOptions& options) {
    CheckoutValues values = options.values;
    values.button = options.button;
    try {
        return values.toChoices(CheckoutChoices::load(store));
    } catch (const RefusedValue& refused) {
        throw CLI::ValidationError("--" + refused.name(), refused.what());
    }
}

} // namespace

void addCheckoutCommand(CLI::App& app, Commands& commands) {
    auto options = std::make_shared<CheckoutOptions>();
    CLI::App* command = app.add_subcommand("checkout", "Build the checkout form snippet");
    command->add_option("--cards", options->values.cards,
                        "Payment options, digits 1-7: Visa, Master Card, Discover / Novus, "
                        "American Express, Diners Club, Carte Blanche, Electronic Check "
                        "(default: as last stored, else all)");
    command->add_option("--require", options->values.require,
                        "Required values, 1-9 and a-d: bill name, company, address, phone, "
                        "email, ship name, company, address, phone, payment type, card number, "
                        "card expiration, electronic check (default: as last stored, else none)");
    command->add_option("--button", options->button, "Text of the send button")
        ->capture_default_str();
    addOutputOptions(*command, options->output);
    commands.add(command, [options](const GlobalOptions& globals) {
        const auto store = globals.openStore();
        selectMerchant(*store, globals);
        const CheckoutChoices choices = choicesFrom(*store, *options);
        MerchantSession session(*store);
        activateMerchant(session, globals);
        if (session.profile().mainPageAddress.empty())
            throw Error(std::string(kSetupNeededMessage));
        insertCheckoutForm(session, choices, *options->output.bridge());
        return kExitDone;
    });
}

} // namespace vendaxo::cli
