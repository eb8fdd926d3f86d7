#pragma once

#include "shell/stored_values.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

class MerchantSession;
class SettingsStore;
struct OrderCharges;
struct ShippingSettings;

inline constexpr std::array<std::string_view, 3> kVerificationTypes = {
    "No Automatic Credit Card Verification", "AuthorizeNet Verification",
    "LinkPoint HTML Verification"};

// The 53 names "US States..." puts into the tax table.
extern const std::array<std::string_view, 53> kUsStates;

// The options dialog's settings: tax table, merchant information, the
// verification type and two shipping flags.
struct StoreOptions {
    std::vector<std::string> taxEntries; // sorted, "Ohio = 6%" or a bare name
    bool taxShipping = false;
    std::string currency{stored::kCurrency.whenEmpty};
    std::string mainPageAddress;
    std::string checkoutPage;
    std::string confirmationMessage{stored::kConfirmation.whenEmpty};
    int verificationType = 0; // index into kVerificationTypes
    bool internationalShipping = false;

    // Empty values keep the dialog's defaults; an empty tax table stays empty.
    static StoreOptions load(SettingsStore& store);
    // In the dialog's order: OTax, OURL, OChk, OCnf, Currency, taxshipping,
    // internationalship, OCCVerifyType.
    void save(SettingsStore& store) const;
    // The profile follows the options as loaded: main page, checkout page,
    // confirmation message and (when one is set) the currency symbol.
    void applyTo(MerchantSession& session) const;

    // Keeps the table sorted as the dialog's list shows it.
    void addTaxEntry(std::string entry);

    bool operator==(const StoreOptions&) const = default;
};

// A typed rate as number text: "$5.00" gives "5", "5%" gives "0.05", a text
// with "-" gives "0", nothing readable gives "0", nor does a rate below 0.0001.
std::string rateText(std::string_view typed);
// A typed tax rate as a percentage: "6%" and "6" both give "6", ".5" gives
// "50" (a rate below 1 is taken as a fraction).
std::string taxRateText(std::string_view typed);
// A typed name as a list stored one entry a line, each read apart at its first
// `separator` (" = ", " = $"), holds it: line breaks become blanks and the "="
// of a separator in the name (or completed by the one after it) becomes "-".
std::string listItemName(std::string_view typed, std::string_view separator);
// The entry "Add..." makes of a name and a typed rate: "Ohio = 6%".
std::string addedTaxEntry(std::string_view name, std::string_view typedRate);
// The entry an edit makes: as above for a non-zero rate, else the bare name.
std::string editedTaxEntry(std::string_view name, std::string_view typedRate);
std::string taxEntryName(std::string_view entry);
std::string taxEntryRate(std::string_view entry);

// Whether the main page address carries one of the prefixes the OK check takes.
bool hasWebPrefix(std::string_view address);

// "Current Settings:  " is followed by this: the chosen shipping method and
// whether each order charge is enabled, one a line.
inline constexpr std::array<std::string_view, 6> kShippingMethodNames = {
    "User Choice",       "Rate Calculation",    "Multiple Base Rate Calculation",
    "Single Rate Chart", "Multiple Rate Chart", "UPS Calculations"};
std::string shippingSummary(const ShippingSettings& shipping, const OrderCharges& charges);
// The same for the settings as stored now.
std::string shippingSummary(SettingsStore& store);

} // namespace vendaxo
