// vendaxo-cli: the merchant's settings and the shop snippets without the desktop program.
#include "app/command_line.h"
#include "base/error.h"
#include "base/file_io.h"
#include "base/numbers.h"
#include "settings/settings_report.h"
#include "shell/reg_file.h"
#include "snippets/button_snippets.h"
#include "snippets/checkout_choices.h"
#include "snippets/checkout_snippet.h"
#include "snippets/html.h"
#include "snippets/option_file.h"
#include "snippets/page_editor.h"
#include "snippets/product.h"
#include "snippets/purchase_snippet.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <iterator>

#ifdef _WIN32
#include "base/text_encoding.h"
#include "shell/registry_store.h"
#include "snippets/ole_bridge.h"

#include <fcntl.h>
#include <io.h>
#else
#include "shell/sqlite_store.h"
#endif

namespace {

using namespace vendaxo;

void writeStdout(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0)
        throw Error("Cannot write to standard output.");
}

// Arguments are UTF-8 everywhere; on Windows a narrow path would be taken as the ANSI code page.
std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

struct Globals {
    std::string storePath;
    std::optional<std::string> merchant;

#ifdef _WIN32
    std::unique_ptr<SettingsStore> openStore() const {
        return std::make_unique<RegistryStore>();
    }
#else
    std::unique_ptr<SettingsStore> openStore() const {
        return std::make_unique<SqliteStore>(storePath.empty() ? SqliteStore::defaultPath()
                                                               : pathFromUtf8(storePath));
    }
#endif
};

struct SnippetOptions {
    std::string caption;
    std::string into;
    std::string editor;
};

std::unique_ptr<PageEditorBridge> outputBridge(const SnippetOptions& options) {
#ifdef _WIN32
    if (!options.editor.empty())
        return std::make_unique<OleAutomationBridge>();
#endif
    if (options.into.empty())
        return std::make_unique<StandardOutputBridge>();
    return std::make_unique<PageFileBridge>(pathFromUtf8(options.into));
}

// Obtained before the snippet is built, as the dialogs do.
std::unique_ptr<PageEditor> obtainEditor(const SnippetOptions& options) {
    return outputBridge(options)->obtain();
}

// Where the snippet goes: standard output, a page file or the page editor.
void addOutputOptions(CLI::App& command, SnippetOptions& options) {
    CLI::Option* into =
        command.add_option("--into", options.into,
                           "Insert into this page file (at <!--vendaxo:caret-->, else before "
                           "</body>, else at the end) instead of printing");
#ifdef _WIN32
    command
        .add_option("--editor", options.editor,
                    "Insert at the caret of the running page editor (FrontPage.Editor) instead "
                    "of printing")
        ->check(CLI::IsMember({"frontpage"}))
        ->excludes(into);
#else
    static_cast<void>(into);
#endif
}

void addSnippetOptions(CLI::App& command, SnippetOptions& options) {
    command.add_option("--caption", options.caption, "The button's caption")->capture_default_str();
    addOutputOptions(command, options);
}

// The purchase command's flags, applied over the dialog's initial fields or
// over the stored defaults.
struct PurchaseOptions {
    std::optional<std::string> sku, price, description, weight, caption, quantityLock;
    std::optional<std::string> optionsFile, optionData, optionStyle;
    std::vector<std::string> discounts;
    bool freeShipping = false, nonTaxable = false, noJump = false, noFractional = false;
    bool noMinimums = false, quantityBox = false, defaults = false;
    SnippetOptions output;
};

CLI::App* addPurchaseCommand(CLI::App& app, PurchaseOptions& options) {
    CLI::App* command = app.add_subcommand("purchase", "Build a purchase button snippet");
    command->add_option("--sku", options.sku, "Product identifier (SKU)");
    command->add_option("--price", options.price, "Product price, e.g. 12.99");
    command->add_option("--description", options.description, "Product line description");
    command->add_option("--weight", options.weight, "Shipping weight (default 0)");
    command->add_option("--caption", options.caption,
                        "Button caption (default \"Add To Shopping Cart\")");
    command->add_flag("--free-shipping", options.freeShipping, "Free shipping");
    command->add_flag("--non-taxable", options.nonTaxable, "Not taxable");
    command->add_flag("--no-jump", options.noJump, "Don't jump to the shopping cart");
    auto* fractional =
        command->add_flag("--no-fractional", options.noFractional, "Disallow fractional quantity");
    auto* lock = command->add_option("--quantity-lock", options.quantityLock,
                                     "Lock the quantity to this fixed number");
    command->add_flag("--no-minimums", options.noMinimums, "No quantity or price minimums");
    auto* box =
        command->add_flag("--quantity-box", options.quantityBox, "Include a quantity input box");
    lock->excludes(fractional)->excludes(box);
    auto* file = command->add_option("--options", options.optionsFile, "Option lists file (.vdx)");
    command->add_option("--option-data", options.optionData, "Option lists as option data text")
        ->excludes(file);
    command->add_option("--option-style", options.optionStyle, "drop-down (default) or radio")
        ->check(CLI::IsMember({"drop-down", "radio"}));
    command->add_option("--discount", options.discounts,
                        "Quantity discount QTY=PRICE, repeatable, in order");
    command->add_flag("--defaults", options.defaults,
                      "Start from the stored product defaults, as Paste Default does");
    addOutputOptions(*command, options.output);
    return command;
}

// The dialog's fields as the flags set them; throws CLI::ValidationError where
// the dialog would keep Insert disabled.
Product productFrom(SettingsStore& store, const PurchaseOptions& options) {
    Product product;
    if (options.defaults)
        ProductDefaults::paste(store, product);
    const auto take = [](const std::optional<std::string>& value, std::string& field) {
        if (value)
            field = *value;
    };
    take(options.sku, product.sku);
    take(options.price, product.price);
    take(options.description, product.description);
    take(options.weight, product.weight);
    take(options.caption, product.caption);
    if (product.sku.empty() || product.price.empty() || product.description.empty())
        throw CLI::ValidationError("purchase", "--sku, --price and --description are required");
    product.freeShipping |= options.freeShipping;
    product.nonTaxable |= options.nonTaxable;
    product.noJump |= options.noJump;
    product.noMinimums |= options.noMinimums;
    if (options.noFractional)
        product.setNoFractional(true);
    if (options.quantityBox)
        product.setQuantityBox(true);
    if (options.quantityLock) {
        product.setQuantityLock(true);
        product.fixedQuantity = *options.quantityLock;
    }
    if (options.optionsFile || options.optionData) {
        std::string data = options.optionsFile ? readOptionFile(pathFromUtf8(*options.optionsFile))
                                               : *options.optionData;
        if (!data.empty() && data.back() != '\n')
            data += '\n';
        product.options.rebuild(data);
        product.optionsEnabled = true;
        product.optionStyle = OptionStyle::DropDown;
    }
    if (options.optionStyle)
        product.optionStyle =
            *options.optionStyle == "radio" ? OptionStyle::Radio : OptionStyle::DropDown;
    for (const std::string& discount : options.discounts) {
        const auto equals = discount.find('=');
        const std::string quantity = integerText(discount.substr(0, equals));
        if (quantity == "0")
            throw Error("--discount " + discount + ": the quantity must be a whole number.");
        if (product.discounts.hasQuantity(quantity))
            throw Error("--discount " + discount +
                        ": You cannot add a quantity that already exists");
        product.discounts.add(
            quantity,
            priceText(equals == std::string::npos ? std::string() : discount.substr(equals + 1)));
    }
    return product;
}

std::string optionListsText(const OptionGrid& grid) {
    std::string text;
    for (std::size_t c = 0; c < grid.columnCount(); ++c) {
        text += grid.title(c) + ":";
        const char* separator = " ";
        for (std::size_t r = 1; r < grid.rowCount(); ++r) {
            if (!grid.cell(c, r).empty()) {
                text += separator + grid.cell(c, r);
                separator = ", ";
            }
        }
        text += '\n';
    }
    return text;
}

struct CheckoutOptions {
    std::optional<std::string> cards, require;
    std::string button = std::string(kDefaultCheckoutButtonText);
    SnippetOptions output;
};

CLI::App* addCheckoutCommand(CLI::App& app, CheckoutOptions& options) {
    CLI::App* command = app.add_subcommand("checkout", "Build the checkout form snippet");
    command->add_option("--cards", options.cards,
                        "Payment options, digits 1-7: Visa, Master Card, Discover / Novus, "
                        "American Express, Diners Club, Carte Blanche, Electronic Check "
                        "(default: as last stored, else all)");
    command->add_option("--require", options.require,
                        "Required values, 1-9 and a-d: bill name, company, address, phone, "
                        "email, ship name, company, address, phone, payment type, card number, "
                        "card expiration, electronic check (default: as last stored, else none)");
    command->add_option("--button", options.button, "Text of the send button")
        ->capture_default_str();
    addOutputOptions(*command, options.output);
    return command;
}

// The dialog's boxes as its show leaves them, with the flags applied over them.
CheckoutChoices checkoutChoicesFrom(SettingsStore& store, const CheckoutOptions& options) {
    CheckoutChoices choices = CheckoutChoices::load(store);
    if (options.cards && !choices.setPaymentCodes(*options.cards))
        throw CLI::ValidationError("--cards", "takes only the digits 1 to 7");
    if (options.require && !choices.setRequiredCodes(*options.require))
        throw CLI::ValidationError("--require", "takes only the characters 1 to 9 and a to d");
    if (options.button.empty())
        throw CLI::ValidationError("--button", "the send button needs a text");
    choices.buttonText = options.button;
    return choices;
}

int run(int argc, char** argv) {
    CLI::App app{"Vendaxo command line: merchant settings and shop snippets.", "vendaxo-cli"};
    app.set_version_flag("--version", std::string("vendaxo-cli ") + VENDAXO_VERSION);
    app.require_subcommand(1);

    Globals globals;
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

    SnippetOptions viewCart{std::string(kViewCartCaption), {}, {}};
    CLI::App* viewCartCommand =
        app.add_subcommand("view-cart", "Build the view-cart button snippet");
    addSnippetOptions(*viewCartCommand, viewCart);
    SnippetOptions retrieveOrders{std::string(kRetrieveOrdersCaption), {}, {}};
    CLI::App* retrieveOrdersCommand =
        app.add_subcommand("retrieve-orders", "Build the retrieve-orders button snippet");
    addSnippetOptions(*retrieveOrdersCommand, retrieveOrders);

    bool json = false;
    CLI::App* settingsCommand =
        app.add_subcommand("settings", "Print what the current merchant's stored settings mean");
    settingsCommand->add_flag("--json", json, "As JSON, for scripts");

    PurchaseOptions purchase;
    CLI::App* purchaseCommand = addPurchaseCommand(app, purchase);
    CheckoutOptions checkout;
    CLI::App* checkoutCommand = addCheckoutCommand(app, checkout);

    CLI::App* optionsFileCommand = app.add_subcommand("options-file", "Option list files");
    optionsFileCommand->require_subcommand(1);
    CLI::App* showOptionsCommand =
        optionsFileCommand->add_subcommand("show", "Print a file's option lists, one a line");
    showOptionsCommand->add_option("file", file, "Option lists file (.vdx)")->required();

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

    if (showOptionsCommand->parsed()) {
        OptionGrid grid;
        grid.rebuild(readOptionFile(pathFromUtf8(file)));
        writeStdout(optionListsText(grid));
        return 0;
    }

    const auto store = globals.openStore();
    if (installCommand->parsed()) {
        if (installation.serial.find_first_not_of("; ") == std::string::npos)
            throw Error("--serial names no merchant number.");
        install(*store, installation);
    } else if (getInstallCommand->parsed()) {
        writeStdout(store->readInstallation(name) + "\n");
    } else if (getCommand->parsed() || setCommand->parsed()) {
        selectMerchant(*store, Installation::load(*store), globals.merchant);
        if (getCommand->parsed()) {
            writeStdout(store->readMerchant(name) + "\n");
        } else {
            // Such a name could never be exported to a .reg file again.
            if (name.find_first_of("\r\n") != std::string::npos)
                throw Error("A value name cannot hold a line break.");
            if (value == "-")
                value.assign(std::istreambuf_iterator<char>(std::cin), {});
            store->writeMerchant(name, value);
        }
    } else if (settingsCommand->parsed()) {
        selectMerchant(*store, Installation::load(*store), globals.merchant);
        writeStdout(json ? settingsReportJson(*store) : settingsReport(*store));
    } else if (importCommand->parsed()) {
        const std::string bytes = readFileBytes(pathFromUtf8(file));
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
            writeFileAtomically(pathFromUtf8(file), bytes);
    } else if (viewCartCommand->parsed()) {
        const MerchantProfile profile =
            loadProfileFor(*store, Installation::load(*store), globals.merchant);
        const auto editor = obtainEditor(viewCart);
        editor->insertHtml(buildViewCartSnippet(viewCart.caption, profile,
                                                store->read(stored::kShopColours)));
    } else if (retrieveOrdersCommand->parsed()) {
        const MerchantProfile profile =
            loadProfileFor(*store, Installation::load(*store), globals.merchant);
        const auto editor = obtainEditor(retrieveOrders);
        editor->insertHtml(buildRetrieveOrdersSnippet(retrieveOrders.caption, profile));
    } else if (purchaseCommand->parsed()) {
        const Installation installation = Installation::load(*store);
        selectMerchant(*store, installation, globals.merchant);
        const Product product = productFrom(*store, purchase);
        const MerchantProfile profile = loadProfileFor(*store, installation, globals.merchant);
        const auto editor = obtainEditor(purchase.output);
        editor->insertHtml(
            buildPurchaseSnippet(product, profile, store->read(stored::kShopColours)));
    } else if (checkoutCommand->parsed()) {
        const Installation installation = Installation::load(*store);
        selectMerchant(*store, installation, globals.merchant);
        const CheckoutChoices choices = checkoutChoicesFrom(*store, checkout);
        MerchantProfile profile = loadProfileFor(*store, installation, globals.merchant);
        if (profile.mainPageAddress.empty())
            throw Error(std::string(kSetupNeededMessage));
        insertCheckoutForm(*store, profile, choices, *outputBridge(checkout.output));
    }
    return 0;
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
