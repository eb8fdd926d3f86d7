// The purchase button: the dialog's fields as the flags set them.
#include "app/cli/cli_support.h"
#include "base/error.h"
#include "base/file_io.h"
#include "shell/settings_store.h"
#include "snippets/option_file.h"
#include "snippets/purchase_snippet.h"
#include "snippets/purchase_values.h"

namespace vendaxo::cli {

namespace {

// The flags only ever turn a box on.
struct PurchaseOptions {
    PurchaseValues values;
    bool freeShipping = false, nonTaxable = false, noJump = false, noFractional = false;
    bool noMinimums = false, quantityBox = false;
    std::optional<std::string> optionsFile;
    bool defaults = false;
    OutputOptions output;

    PurchaseValues givenValues() const {
        PurchaseValues given = values;
        const auto turnOn = [](bool flag, std::optional<bool>& value) {
            if (flag)
                value = true;
        };
        turnOn(freeShipping, given.freeShipping);
        turnOn(nonTaxable, given.nonTaxable);
        turnOn(noJump, given.noJump);
        turnOn(noFractional, given.noFractional);
        turnOn(noMinimums, given.noMinimums);
        turnOn(quantityBox, given.quantityBox);
        if (optionsFile)
            given.optionData = readOptionFile(pathFromUtf8(*optionsFile));
        return given;
    }
};

void addPurchaseOptions(CLI::App& command, PurchaseOptions& options) {
    PurchaseValues& values = options.values;
    command.add_option("--sku", values.sku, "Product identifier (SKU)");
    command.add_option("--price", values.price, "Product price, e.g. 12.99");
    command.add_option("--description", values.description, "Product line description");
    command.add_option("--weight", values.weight, "Shipping weight (default 0)");
    command.add_option("--caption", values.caption,
                       "Button caption (default \"Add To Shopping Cart\")");
    command.add_flag("--free-shipping", options.freeShipping, "Free shipping");
    command.add_flag("--non-taxable", options.nonTaxable, "Not taxable");
    command.add_flag("--no-jump", options.noJump, "Don't jump to the shopping cart");
    auto* fractional =
        command.add_flag("--no-fractional", options.noFractional, "Disallow fractional quantity");
    auto* lock = command.add_option("--quantity-lock", values.quantityLock,
                                    "Lock the quantity to this fixed number");
    command.add_flag("--no-minimums", options.noMinimums, "No quantity or price minimums");
    auto* box =
        command.add_flag("--quantity-box", options.quantityBox, "Include a quantity input box");
    lock->excludes(fractional)->excludes(box);
    auto* file = command.add_option("--options", options.optionsFile, "Option lists file (.vdx)");
    command.add_option("--option-data", values.optionData, "Option lists as option data text")
        ->excludes(file);
    command.add_option("--option-style", values.optionStyle, "drop-down (default) or radio")
        ->check(CLI::IsMember({std::string(kDropDownOptionStyle), std::string(kRadioOptionStyle)}));
    command.add_option("--discount", values.discounts,
                       "Quantity discount QTY=PRICE, repeatable, in order");
    command.add_flag("--defaults", options.defaults,
                     "Start from the stored product defaults, as Paste Default does");
    addOutputOptions(command, options.output);
}

// The dialog's fields as the flags set them; refused where the dialog would
// keep Insert disabled.
Product productFrom(SettingsStore& store, const PurchaseOptions& options) {
    Product start;
    if (options.defaults)
        ProductDefaults::paste(store, start);
    const PurchaseValues& values = options.values;
    if (values.sku.value_or(start.sku).empty() || values.price.value_or(start.price).empty() ||
        values.description.value_or(start.description).empty())
        throw CLI::ValidationError("purchase", "--sku, --price and --description are required");
    try {
        return options.givenValues().toProduct(start);
    } catch (const RefusedValue& refused) {
        throw Error("--" + refused.name() + " " + refused.value() + ": " + refused.what());
    }
}

} // namespace

void addPurchaseCommand(CLI::App& app, Commands& commands) {
    auto options = std::make_shared<PurchaseOptions>();
    CLI::App* command = app.add_subcommand("purchase", "Build a purchase button snippet");
    addPurchaseOptions(*command, *options);
    commands.add(command, [options](const GlobalOptions& globals) {
        const auto store = globals.openStore();
        selectMerchant(*store, globals);
        const Product product = productFrom(*store, *options);
        MerchantSession session(*store);
        activateMerchant(session, globals);
        const auto editor = options->output.bridge()->obtain();
        editor->insertHtml(
            buildPurchaseSnippet(product, session.profile(), store->read(stored::kShopColours)));
        return kExitDone;
    });
}

} // namespace vendaxo::cli
