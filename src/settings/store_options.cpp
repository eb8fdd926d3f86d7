#include "settings/store_options.h"

#include "base/numbers.h"
#include "base/text.h"
#include "settings/order_charges.h"
#include "settings/shipping_settings.h"
#include "shell/merchant_session.h"
#include "shell/settings_store.h"

#include <algorithm>
#include <cctype>

namespace vendaxo {

const std::array<std::string_view, 53> kUsStates = {
    "Alabama",
    "Alaska",
    "Arizona",
    "Arkansas",
    "California",
    "Colorado",
    "Connecticut",
    "Delaware",
    "Florida",
    "Georgia",
    "Hawaii",
    "Idaho",
    "Illinois",
    "Indiana",
    "Iowa",
    "Kansas",
    "Kentucky",
    "Louisiana",
    "Maine",
    "Maryland",
    "Massachusetts",
    "Michigan",
    "Minnesota",
    "Mississippi",
    "Missouri",
    "Montana",
    "Nebraska",
    "Nevada",
    "New Hampshire",
    "New Jersey",
    "New Mexico",
    "New York",
    "North Carolina",
    "North Dakota",
    "Ohio",
    "Oklahoma",
    "Oregon",
    "Pennsylvania",
    "Puerto Rico",
    "Rhode Island",
    "South Carolina",
    "South Dakota",
    "Tennessee",
    "Texas",
    "U.S. Virgin Islands",
    "Utah",
    "Vermont",
    "Virginia",
    "Washington (State)",
    "Washington,D.C.",
    "West Virginia",
    "Wisconsin",
    "Wyoming",
};

namespace {

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string yesOrEmpty(bool on) {
    return on ? "yes" : "";
}

} // namespace

void StoreOptions::addTaxEntry(std::string entry) {
    const auto at = std::upper_bound(taxEntries.begin(), taxEntries.end(), entry, lessIgnoringCase);
    taxEntries.insert(at, std::move(entry));
}

StoreOptions StoreOptions::load(SettingsStore& store) {
    StoreOptions options;
    for (std::string& entry : nonEmptyLines(store.read(stored::kTaxTable)))
        options.addTaxEntry(std::move(entry));
    options.mainPageAddress = store.read(stored::kMainPage);
    options.checkoutPage = store.read(stored::kCheckoutPage);
    options.currency = store.readOrDefault(stored::kCurrency);
    options.confirmationMessage = store.readOrDefault(stored::kConfirmation);
    options.taxShipping = store.read(stored::kTaxShipping) == "yes";
    options.internationalShipping = store.read(stored::kInternational) == "yes";
    const std::string type = integerText(store.readOrDefault(stored::kVerification));
    options.verificationType = type == "1" ? 1 : type == "2" ? 2 : 0;
    return options;
}

void StoreOptions::save(SettingsStore& store) const {
    store.write(stored::kTaxTable, crlfLines(taxEntries));
    store.write(stored::kMainPage, mainPageAddress);
    store.write(stored::kCheckoutPage, checkoutPage);
    store.write(stored::kConfirmation, confirmationMessage);
    store.write(stored::kCurrency, currency);
    store.write(stored::kTaxShipping, yesOrEmpty(taxShipping));
    store.write(stored::kInternational, yesOrEmpty(internationalShipping));
    store.write(stored::kVerification, std::to_string(verificationType));
}

void StoreOptions::applyTo(MerchantSession& session) const {
    session.followCurrency(currency);
    session.followMainPage(mainPageAddress);
    session.followCheckoutPage(checkoutPage);
    session.followConfirmation(confirmationMessage);
}

std::string rateText(std::string_view typed) {
    if (typed.find('-') != std::string_view::npos)
        return "0";
    std::string text;
    for (char c : typed) {
        if (c != '$')
            text += c;
    }
    if (text.find('%') != std::string::npos) {
        text.erase(std::remove(text.begin(), text.end(), '%'), text.end());
        if (text.size() > 1 && text[1] == '.')
            text = "0.0" + text.erase(1, 1);
        else if (text.size() > 2 && text[2] == '.')
            text = "0." + text.erase(2, 1);
        else if (text.find('.') == std::string::npos && text.size() == 1)
            text = "0.0" + text;
        else if (text.find('.') == std::string::npos && text.size() == 2)
            text = "0." + text;
    }
    // A rate small enough to need "e-" would read as 0 the next time round: it is 0 now.
    const std::string rate = numberText(leadingNumber(text));
    return rate.find('-') == std::string::npos ? rate : "0";
}

std::string taxRateText(std::string_view typed) {
    double rate = leadingNumber(rateText(typed));
    if (rate < 1)
        rate *= 100;
    return numberText(rate);
}

std::string listItemName(std::string_view typed, std::string_view separator) {
    std::string name(typed);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    // The "=" of the first separator the stored entry would be read apart at.
    const std::size_t equalsAt = separator.find('=');
    for (;;) {
        const std::size_t at = (name + std::string(separator)).find(separator);
        if (at >= name.size() || at + equalsAt >= name.size())
            return name;
        name[at + equalsAt] = '-';
    }
}

std::string addedTaxEntry(std::string_view typedName, std::string_view typedRate) {
    return listItemName(typedName, " = ") + " = " + taxRateText(typedRate) + "%";
}

std::string editedTaxEntry(std::string_view typedName, std::string_view typedRate) {
    const std::string name = listItemName(typedName, " = ");
    const std::string rate = taxRateText(typedRate);
    return rate == "0" ? name : name + " = " + rate + "%";
}

std::string taxEntryName(std::string_view entry) {
    return std::string(entry.substr(0, entry.find(" = ")));
}

std::string taxEntryRate(std::string_view entry) {
    const auto equals = entry.find(" = ");
    if (equals == std::string_view::npos)
        return {};
    std::string_view rate = entry.substr(equals + 3);
    return std::string(rate.substr(0, rate.find('%')));
}

bool hasWebPrefix(std::string_view address) {
    for (std::string_view prefix : {"http://", "https:/", "HTTP://", "HTTPS://"}) {
        if (address.find(prefix) != std::string_view::npos)
            return true;
    }
    return false;
}

std::string shippingSummary(const ShippingSettings& shipping, const OrderCharges& charges) {
    std::string summary(kShippingMethodNames[static_cast<std::size_t>(shipping.method)]);
    const auto line = [&](std::string_view label, bool enabled) {
        summary += "\n" + std::string(label) + (enabled ? " enabled" : " disabled");
    };
    line("Handling", charges.handling.enabled);
    line("Insurance", charges.insurance.enabled);
    line("Global Discount", charges.discountEnabled);
    line("Minimum Restrictions", charges.minimumEnabled);
    return summary;
}

std::string shippingSummary(SettingsStore& store) {
    return shippingSummary(ShippingSettings::load(store), OrderCharges::load(store));
}

} // namespace vendaxo
