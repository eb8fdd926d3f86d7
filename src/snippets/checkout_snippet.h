#pragma once

#include "settings/order_charges.h"
#include "settings/shipping_settings.h"
#include "settings/store_options.h"

#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

struct CheckoutChoices;
struct MerchantProfile;
class MerchantSession;
class PageEditorBridge;
class SettingsStore;

// Where the note to the web builder points: the program's help page online.
inline constexpr std::string_view kOnlineGuideAddress =
    "https://www.vendaxo.com/help/index.html#context-1004";

// Why the order form cannot be made while the shop has no main page address.
inline constexpr std::string_view kSetupNeededMessage =
    "You need to enter the Main Page URL in the VDX Options section before you can insert this "
    "component.";

// Everything the order form carries besides the dialog's choices, read from
// the store at the moment of Insert.
struct CheckoutSettings {
    StoreOptions options;
    ShippingSettings shipping;
    OrderCharges charges;
    // As stored, not as the shipping dialog reads them: the form passes the
    // chart texts on to the cart server.
    std::string singleChartText;
    std::string namedChartsText;
    std::string shopColours;

    static CheckoutSettings load(SettingsStore& store);
    // LinkPoint takes the card details itself, so the form asks for none.
    bool linkPointMode() const;
};

// The order form: address blocks, shipping, payment, comments, the send button
// and the hidden fields with the store-wide settings. Takes the main page
// address, currency and confirmation message from the profile, which the
// caller has refreshed from settings.options.
std::string buildCheckoutSnippet(const CheckoutChoices& choices, const CheckoutSettings& settings,
                                 const MerchantProfile& profile);

// What Insert does: reads the settings as stored now and refreshes the profile
// from them, reaches the page editor, inserts the form, and only then stores
// the choices. The profile keeps the confirmation message as the form sent it.
void insertCheckoutForm(MerchantSession& session, const CheckoutChoices& choices,
                        PageEditorBridge& editor);

// The confirmation message travels in one attribute: no line breaks, no quotation marks.
std::string strippedConfirmation(std::string_view message);

// The options of a state select made from the tax table. Entries whose name
// holds a digit are zip codes: they give no option and go to `zipTaxes` as
// "NAME=RATE;".
std::string stateOptions(const std::vector<std::string>& taxEntries, std::string& zipTaxes);

} // namespace vendaxo
