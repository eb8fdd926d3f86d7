#include "snippets/checkout_snippet.h"

#include "base/numbers.h"
#include "shell/merchant_session.h"
#include "shell/settings_store.h"
#include "snippets/checkout_choices.h"
#include "snippets/checkout_shipping.h"
#include "snippets/countries.h"
#include "snippets/html.h"
#include "snippets/page_editor.h"

#include <algorithm>
#include <cmath>

namespace vendaxo {

namespace {

constexpr std::string_view kHeaderColour = "#FFFF00";

std::string strong(std::string_view label) {
    return "<strong>" + std::string(label) + "</strong>";
}

// A field the shopper must fill in has a bold label and "*" after its name:
// that is how the cart server knows.
struct Requirement {
    bool on;
    std::string label(std::string_view text) const { return on ? strong(text) : std::string(text); }
    std::string name(std::string_view text) const { return std::string(text) + (on ? "*" : ""); }
};

std::string textField(std::string_view name, int size, bool lineFeed = true) {
    return "<input type=\"text\" name=\"" + std::string(name) + "\" size=\"" +
           std::to_string(size) + "\">" + (lineFeed ? "\n" : "");
}

std::string textRow(std::string_view label, std::string_view name, Requirement required,
                    int size = 30) {
    return formRow(required.label(label), textField(required.name(name), size));
}

std::string stateSelect(std::string_view name, const std::vector<std::string>& taxEntries,
                        std::string& zipTaxes) {
    return selectOpening(name) + std::string(kPleaseSelect) + stateOptions(taxEntries, zipTaxes) +
           "</select>";
}

std::string countrySelect(std::string_view name) {
    std::string html = selectOpening(name);
    for (const Country& country : kCountries)
        html += "<option value=\"" + std::string(country.code) + "\">" + std::string(country.name) +
                "</option>\n";
    return html + "</select>\n";
}

// The rows of one address block; `required` covers name, company, address,
// phone and email, in that order. Only the billing address asks for an email.
std::string addressRows(std::string_view prefix, const std::array<bool, 5>& required,
                        bool withCountry, bool withEmail,
                        const std::vector<std::string>& taxEntries, std::string& zipTaxes) {
    const std::string p(prefix);
    const Requirement name{required[0]}, company{required[1]}, address{required[2]},
        phone{required[3]}, email{required[4]};
    std::string html = textRow("Name:", p + "name", name) +
                       textRow("Company:", p + "company", company) +
                       textRow("Address1:", p + "add1", address) +
                       textRow("Address2:", p + "add2", Requirement{false});
    html += formRow(address.label("City, State, Zip:"),
                    textField(address.name(p + "city"), 10, false) +
                        stateSelect(address.name(p + "state"), taxEntries, zipTaxes) +
                        textField(address.name(p + "zip"), 10));
    if (withCountry)
        html += formRow("Country:", countrySelect(p + "country"));
    html += textRow("Phone:", p + "phone1", phone) + textRow("Fax:", p + "fax", Requirement{false});
    if (withEmail)
        html += textRow("Email:", p + "email", email);
    return html;
}

std::string paymentRows(const CheckoutChoices& choices) {
    struct Card {
        PaymentOption option;
        std::string_view value;
        std::string_view name;
    };
    constexpr std::array<Card, kPaymentOptionCount> cards = {{
        {PaymentOption::Visa, "Visa", "Visa"},
        {PaymentOption::MasterCard, "MasterCard", "MasterCard"},
        {PaymentOption::Discover, "Discover", "Discover"},
        {PaymentOption::AmericanExpress, "American Express", "American Express"},
        {PaymentOption::DinersClub, "Diners", "Diners Club"},
        {PaymentOption::CarteBlanche, "JCB", "Carte Blanche"},
        {PaymentOption::ElectronicCheck, "ACH", "Electronic Check"},
    }};
    const Requirement paymentType{choices.isRequired(RequiredValue::PaymentType)};
    std::string select = selectOpening(paymentType.name("cardtype")) + std::string(kPleaseSelect);
    for (const Card& card : cards) {
        if (choices.accepts(card.option))
            select += "<option value=\"" + std::string(card.value) + "\">" +
                      std::string(card.name) + "</option>\n";
    }
    std::string html = formRow(paymentType.label("Payment Type:"), select + "</select>\n") +
                       textRow("Card Number:", "cardnumber",
                               Requirement{choices.isRequired(RequiredValue::CardNumber)}) +
                       textRow("Expiration Date:", "cardexpire",
                               Requirement{choices.isRequired(RequiredValue::CardExpiration)}, 10);
    if (choices.accepts(PaymentOption::ElectronicCheck)) {
        const Requirement check{choices.isRequired(RequiredValue::ElectronicCheck)};
        constexpr std::string_view only = " <small>(for Electronic Check Payment Only)</small>";
        html += formRow(check.label("Checking Account Number:") + std::string(only),
                        textField(check.name("ACCTNO"), 30)) +
                formRow(check.label("Bank Code:") + std::string(only),
                        textField(check.name("ABACODE"), 30)) +
                formRow(check.label("Bank Name:") + std::string(only),
                        textField(check.name("BANKNAME"), 30));
    }
    return html;
}

std::string noteToWebBuilder() {
    return "<em>Remember that you can't add photos, background images, WebBots,MS Form "
           "Validators, Java or JavaScript to this page.  Also, you must copy and paste this "
           "page's HTML text into the Vendaxo Merchant Network.  See the online help file for "
           "more information.<br><br>\nNote to Web Builder:  See online <a href=\"" +
           std::string(kOnlineGuideAddress) + "\">VDX Guide for more help.</a></em>\n" +
           "<p><font color=\"#0000FF\"><strong>Note:&nbsp; required fields are in "
           "bold.</strong></font></p>\n";
}

} // namespace

CheckoutSettings CheckoutSettings::load(SettingsStore& store) {
    CheckoutSettings settings;
    settings.options = StoreOptions::load(store);
    settings.shipping = ShippingSettings::load(store);
    settings.charges = OrderCharges::load(store);
    settings.singleChartText = store.read(stored::kSingleChart);
    settings.namedChartsText = store.read(stored::kNamedCharts);
    settings.shopColours = store.read(stored::kShopColours);
    return settings;
}

bool CheckoutSettings::linkPointMode() const {
    return options.verificationType == 2;
}

std::string strippedConfirmation(std::string_view message) {
    std::string text(message);
    std::erase_if(text, [](char c) { return c == '\n' || c == '\r' || c == '"'; });
    return text;
}

namespace {

// "6" (percent) gives "0.06". A zero rate keeps its text ("0.00"), unless that
// text is no number at all: the cart server reads the rate as one.
std::string taxFraction(const std::string& rate) {
    const double percent = leadingNumber(rate);
    if (percent != 0 && std::isfinite(percent))
        return numberText(percent / 100);
    const bool plainZero = !rate.empty() && rate.find_first_not_of("0.") == std::string::npos;
    return plainZero ? rate : "0";
}

} // namespace

std::string stateOptions(const std::vector<std::string>& taxEntries, std::string& zipTaxes) {
    std::string html;
    for (const std::string& entry : taxEntries) {
        std::string name = taxEntryName(entry);
        const std::string rate = taxFraction(taxEntryRate(entry));
        if (std::any_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            // ";" and "=" separate the pairs of the list.
            std::erase_if(name, [](char c) { return c == ';' || c == '='; });
            zipTaxes += name + "=" + rate + ";";
            continue;
        }
        std::erase(name, ';');
        html +=
            "<option value=\"" + quoteAttribute(name + ";" + rate) + "\">" + name + "</option>\n";
    }
    return html;
}

std::string buildCheckoutSnippet(const CheckoutChoices& choices, const CheckoutSettings& settings,
                                 const MerchantProfile& profile) {
    const bool linkPoint = settings.linkPointMode();
    const bool ups = settings.shipping.method == ShippingMethod::Ups;
    const bool withCountry = settings.options.internationalShipping || linkPoint;
    const auto required = [&](RequiredValue value) {
        return choices.isRequired(value);
    };
    const std::vector<std::string>& taxes = settings.options.taxEntries;
    std::string zipTaxes;

    std::string html = formOpening(profile.cartServerAddress) + noteToWebBuilder() +
                       "<table border=\"0\" width=\"100%\">\n";
    html += formRow(strong("Bill To:"), "", kHeaderColour);
    html += addressRows("bill",
                        {required(RequiredValue::BillName), required(RequiredValue::BillCompany),
                         required(RequiredValue::BillAddress), required(RequiredValue::BillPhone),
                         required(RequiredValue::BillEmail)},
                        withCountry, true, taxes, zipTaxes);
    html += formRow(strong("Ship To:"),
                    "<input type=\"checkbox\" name=\"shipsame\" value=\"yes\">Same As Billing",
                    kHeaderColour);
    html += addressRows("ship",
                        {required(RequiredValue::ShipName), required(RequiredValue::ShipCompany),
                         required(RequiredValue::ShipAddress), required(RequiredValue::ShipPhone),
                         false},
                        withCountry, false, taxes, zipTaxes);
    html += formRow(strong(linkPoint ? "Shipping:"
                           : ups     ? "Payment:"
                                     : "Shipping and Payment:"),
                    "", kHeaderColour);
    html += shippingRows(settings);
    if (!linkPoint)
        html += paymentRows(choices);
    html +=
        formRow("Comments:", "<textarea rows=\"2\" name=\"comments\" cols=\"40\"></textarea>\n");
    html += formRow("", "<input type=\"submit\" value=\"" + quoteAttribute(choices.buttonText) +
                            "\" name=\"checkout\">\n");
    html += ups ? hiddenField("vdxaction", "UPS_Checkout") : hiddenField("function", "checkout");
    html += companyNameField(profile) + merchantNumberField(profile) +
            hiddenField("mainurl", profile.mainPageAddress) + currencyField(profile);
    html += shippingHiddenFields(settings.shipping);
    html += hiddenField("confirmmessage", strippedConfirmation(profile.confirmationMessage));
    if (!zipTaxes.empty())
        html += hiddenField("ziptaxes", zipTaxes);
    html += orderChargeFields(settings.charges, settings.shopColours);
    return html + "</table>\n" + formClosing();
}

void insertCheckoutForm(MerchantSession& session, const CheckoutChoices& choices,
                        PageEditorBridge& editor) {
    const CheckoutSettings settings = CheckoutSettings::load(session.store());
    settings.options.applyTo(session);
    const auto page = editor.obtain();
    const std::string html = buildCheckoutSnippet(choices, settings, session.profile());
    session.followConfirmation(strippedConfirmation(session.profile().confirmationMessage));
    page->insertHtml(html);
    choices.save(session.store());
}

} // namespace vendaxo
