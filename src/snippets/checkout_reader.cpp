// Reading a checkout form back: its payment options, required values, send
// button and shipping method.
#include "settings/store_options.h"
#include "snippets/snippet_fields.h"

#include <algorithm>
#include <array>

namespace vendaxo {

namespace {

// The card type option values, in payment option order.
constexpr std::array<std::string_view, kPaymentOptionCount> kCardValues = {
    "Visa", "MasterCard", "Discover", "American Express", "Diners", "JCB", "ACH"};
constexpr std::string_view kPleaseSelectValue = "Please Select...";

// The fields each required value puts "*" on, in required value order.
struct Covered {
    std::array<std::string_view, 4> names;
    bool payment; // a payment row, which a LinkPoint form has not
};
constexpr std::array<Covered, kRequiredValueCount> kCovered = {{
    {{"billname"}, false},
    {{"billcompany"}, false},
    {{"billadd1", "billcity", "billstate", "billzip"}, false},
    {{"billphone1"}, false},
    {{"billemail"}, false},
    {{"shipname"}, false},
    {{"shipcompany"}, false},
    {{"shipadd1", "shipcity", "shipstate", "shipzip"}, false},
    {{"shipphone1"}, false},
    {{"cardtype"}, true},
    {{"cardnumber"}, true},
    {{"cardexpire"}, true},
    {{"ACCTNO", "ABACODE", "BANKNAME"}, true},
}};
constexpr std::size_t kElectronicCheck = static_cast<std::size_t>(RequiredValue::ElectronicCheck);

// A field written plain or with "*" when required: whether it is required,
// or none when the form has neither.
std::optional<bool> starred(const FormFields& fields, std::string_view name) {
    if (fields.field(std::string(name) + "*"))
        return true;
    if (fields.field(name))
        return false;
    return std::nullopt;
}

// The payment options from the card type select; none when the form has no
// payment rows (LinkPoint mode).
std::optional<std::string> readCards(FormFields& fields, ReadCheckout& checkout) {
    const HtmlControl* select = fields.field("cardtype*");
    if (!select)
        select = fields.field("cardtype");
    if (!select) {
        checkout.cardsShown = false;
        return std::nullopt;
    }
    std::array<bool, kPaymentOptionCount> cards = {};
    bool known = true;
    for (const HtmlOption& option : select->options) {
        if (option.value == kPleaseSelectValue)
            continue;
        const auto card = std::find(kCardValues.begin(), kCardValues.end(), option.value);
        if (card == kCardValues.end()) {
            fields.problem("the card type \"" + option.value + "\" is not one of this program's");
            known = false;
        } else {
            cards[static_cast<std::size_t>(card - kCardValues.begin())] = true;
        }
    }
    if (!known)
        return std::nullopt;
    checkout.choices.payments = cards;
    // The bank rows come with the electronic check and only with it.
    const bool bankRows = starred(fields, "ACCTNO").has_value();
    if (bankRows != checkout.choices.accepts(PaymentOption::ElectronicCheck))
        fields.problem(bankRows ? "bank rows without the electronic check"
                                : "the electronic check without its bank rows");
    return checkout.choices.paymentCodes();
}

// The required values from the names that end in "*". A value whose rows the
// form does not have (payment rows in LinkPoint mode, bank rows without the
// electronic check) cannot be shown and counts as not required.
std::optional<std::string> readRequired(FormFields& fields, ReadCheckout& checkout) {
    bool readable = true;
    for (std::size_t i = 0; i < kRequiredValueCount; ++i) {
        std::optional<bool> required;
        bool alike = true;
        bool missing = false;
        for (std::string_view name : kCovered[i].names) {
            if (name.empty())
                break;
            const std::optional<bool> field = starred(fields, name);
            if (!field)
                missing = true;
            else if (required && *required != *field)
                alike = false;
            else
                required = field;
        }
        const bool hidden =
            kCovered[i].payment &&
            (!checkout.cardsShown ||
             (i == kElectronicCheck && !checkout.choices.accepts(PaymentOption::ElectronicCheck)));
        if (hidden) {
            checkout.choices.required[i] = false;
            continue;
        }
        if (missing) {
            fields.problem("no " + std::string(kCovered[i].names[0]) + " field");
            readable = false;
        } else if (!alike) {
            fields.problem("the fields with " + std::string(kCovered[i].names[0]) +
                           " are not all required alike");
            readable = false;
        } else {
            checkout.choices.required[i] = *required;
        }
    }
    return readable ? std::optional(checkout.choices.requiredCodes()) : std::nullopt;
}

std::optional<ShippingMethod> readShipping(FormFields& fields) {
    if (fields.field("shipping*"))
        return ShippingMethod::UserChoice;
    const std::optional<std::string> shipping = fields.required("shipping");
    if (!shipping)
        return std::nullopt;
    if (*shipping == "byweight" || *shipping == "byquantity" || *shipping == "bytotal")
        return fields.field("baseshiprate*") ? ShippingMethod::MultipleBaseRate
                                             : ShippingMethod::RateCalculation;
    if (*shipping == "ups_shipping")
        return ShippingMethod::Ups;
    if (*shipping == "byratechart") {
        const HtmlControl* charts = fields.field("shiprate");
        if (charts)
            return charts->element == "select" ? ShippingMethod::MultipleRateChart
                                               : ShippingMethod::SingleRateChart;
        fields.problem("no shiprate field");
        return std::nullopt;
    }
    fields.problem("the shipping method \"" + *shipping + "\" is not one of this program's");
    return std::nullopt;
}

} // namespace

void readCheckout(FormFields& fields) {
    ReadCheckout& checkout = fields.snippet().checkout;
    const std::optional<std::string> cards = readCards(fields, checkout);
    const std::optional<std::string> required = readRequired(fields, checkout);
    const std::optional<std::string> button = fields.required("checkout");
    const std::optional<ShippingMethod> shipping = readShipping(fields);
    // Where the cart server sends the shopper and what it tells him.
    const std::optional<std::string> mainPage = fields.required("mainurl");
    const std::optional<std::string> confirmation = fields.required("confirmmessage");
    if (shipping == ShippingMethod::Ups ? !fields.field("vdxaction") : !fields.field("function"))
        fields.problem(shipping == ShippingMethod::Ups ? "no vdxaction field"
                                                       : "no function field");

    checkout.choices.buttonText = button.value_or("");
    checkout.shipping = shipping.value_or(ShippingMethod::UserChoice);
    SnippetMerchant& merchant = fields.snippet().merchant;
    merchant.mainPage = mainPage.value_or("");
    merchant.confirmation = confirmation.value_or("");

    fields.set("cards", cards);
    fields.set("require", required);
    fields.set("button", button);
    fields.set("shipping", shipping
                               ? std::optional(std::string(
                                     kShippingMethodNames[static_cast<std::size_t>(*shipping)]))
                               : std::nullopt);
}

} // namespace vendaxo
