#include "base/error.h"
#include "scratch_store.h"
#include "shell/merchant_session.h"
#include "shell/reg_file.h"
#include "snippets/checkout_choices.h"
#include "snippets/checkout_data.h"
#include "snippets/checkout_snippet.h"
#include "snippets/page_editor.h"
#include "test_support.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

MerchantProfile shop() {
    MerchantProfile profile;
    profile.merchantNumber = "401122";
    profile.companyName = "Blue Heron";
    profile.cartServerAddress = "HTTPS://cart.example.com/cart";
    profile.mainPageAddress = "http://shop.example/";
    profile.confirmationMessage = "Thanks.";
    profile.currencySymbol = "$";
    profile.moneySign = "$";
    return profile;
}

std::string build(const CheckoutSettings& settings, const CheckoutChoices& choices = {}) {
    return buildCheckoutSnippet(choices, settings, shop());
}

CheckoutChoices requiring(std::string_view codes) {
    CheckoutChoices choices;
    choices.setRequiredCodes(codes);
    return choices;
}

std::string between(const std::string& html, std::string_view from, std::string_view to) {
    const auto start = html.find(from);
    if (start == std::string::npos)
        return {};
    return html.substr(start, html.find(to, start) - start);
}

std::size_t count(const std::string& html, std::string_view piece) {
    std::size_t n = 0;
    for (auto at = html.find(piece); at != std::string::npos; at = html.find(piece, at + 1))
        ++n;
    return n;
}

struct CapturingEditor final : PageEditor {
    explicit CapturingEditor(std::string& into) : m_into(into) {}
    void insertHtml(const std::string& html) override { m_into += html; }
    std::string& m_into;
};

struct CapturingBridge final : PageEditorBridge {
    std::unique_ptr<PageEditor> obtain() override {
        if (unreachable)
            throw Error("No page is open in the page editor.");
        return std::make_unique<CapturingEditor>(inserted);
    }
    bool unreachable = false;
    std::string inserted;
};

} // namespace

// The whole form, byte for byte, for a realistic store under each method.
class CheckoutForm : public ::testing::Test {
protected:
    void SetUp() override {
        importRegFile(m_store, readFile(checkoutData("store.reg")));
        m_session.activate(Installation::load(m_store));
        m_choices.setPaymentCodes(kCheckoutCards);
        m_choices.setRequiredCodes(kCheckoutRequired);
    }
    ScratchStore m_scratch;
    SettingsStore& m_store = m_scratch.store();
    MerchantSession m_session{m_store};
    const MerchantProfile& m_profile = m_session.profile();
    CheckoutChoices m_choices;
    CapturingBridge m_bridge;
};

TEST_F(CheckoutForm, EveryShippingMethodGivesItsExpectedForm) {
    for (const CheckoutCase& c : kCheckoutCases) {
        SCOPED_TRACE(std::string(c.expected));
        m_store.writeMerchant("OSta", c.method);
        m_bridge.inserted.clear();
        insertCheckoutForm(m_session, m_choices, m_bridge);
        EXPECT_EQ(m_bridge.inserted, readFile(checkoutData(std::string(c.expected))));
    }
}

TEST_F(CheckoutForm, InsertStoresTheChoicesAndKeepsTheMessageItSent) {
    m_store.writeMerchant("OURL", "http://heron.example/");
    insertCheckoutForm(m_session, m_choices, m_bridge);
    EXPECT_EQ(m_store.readMerchant("ccCards"), "12347");
    EXPECT_EQ(m_store.readMerchant("ccVerify"), "13abc");
    // The settings are read at the moment of Insert, and the profile follows them.
    EXPECT_THAT(m_bridge.inserted, HasSubstr("value=\"http://heron.example/\" name=\"mainurl\""));
    EXPECT_EQ(m_profile.mainPageAddress, "http://heron.example/");
    EXPECT_EQ(m_profile.confirmationMessage,
              "Thank you for shopping with Blue Heron!We will e-mail you when your books ship.");
}

TEST_F(CheckoutForm, AnUnreachableEditorStoresNothing) {
    m_store.writeMerchant("ccCards", "1");
    m_bridge.unreachable = true;
    EXPECT_THROW(insertCheckoutForm(m_session, m_choices, m_bridge), Error);
    EXPECT_EQ(m_store.readMerchant("ccCards"), "1");
    EXPECT_EQ(m_store.readMerchant("ccVerify"), "");
}

TEST_F(CheckoutForm, AnEmptyConfirmationMessageSendsTheDefault) {
    m_store.writeMerchant("OCnf", "");
    m_session.followConfirmation("");
    insertCheckoutForm(m_session, m_choices, m_bridge);
    EXPECT_THAT(m_bridge.inserted, HasSubstr("value=\"" + std::string(kDefaultConfirmationMessage) +
                                             "\" name=\"confirmmessage\""));
}

TEST(CheckoutStates, TaxEntriesBecomeOptionsOrZipTaxes) {
    std::string zipTaxes;
    EXPECT_EQ(stateOptions({"Ohio = 6%", "Ohio", "California = 7.25%", "Nowhere = 0%",
                            "St;Croix = 4%", "90210 = 8.25%", "Area 51 = 5%", "Zone 9"},
                           zipTaxes),
              "<option value=\"Ohio;0.06\">Ohio</option>\n"
              "<option value=\"Ohio;0\">Ohio</option>\n"
              "<option value=\"California;0.0725\">California</option>\n"
              "<option value=\"Nowhere;0\">Nowhere</option>\n"
              "<option value=\"StCroix;0.04\">StCroix</option>\n");
    EXPECT_EQ(zipTaxes, "90210=0.0825;Area 51=0.05;Zone 9=0;");
}

TEST(CheckoutStates, HandEditedEntriesStillGiveNumbersAndWholePairs) {
    std::string zipTaxes;
    EXPECT_EQ(stateOptions({"Ohio = 6", "Guam = 0.00%", "Utah = none%", "Iowa = 1e999%"}, zipTaxes),
              "<option value=\"Ohio;0.06\">Ohio</option>\n"
              "<option value=\"Guam;0.00\">Guam</option>\n"
              "<option value=\"Utah;0\">Utah</option>\n"
              "<option value=\"Iowa;0\">Iowa</option>\n");
    stateOptions({"44101;2=x = 7%", "90210 = abc%"}, zipTaxes);
    EXPECT_EQ(zipTaxes, "441012x=0.07;90210=0;");
}

TEST(CheckoutStates, BothSelectsCarryTheTableAndZipCodesGoTwice) {
    CheckoutSettings settings;
    settings.options.taxEntries = {"90210 = 8.25%", "Ohio = 6%"};
    const std::string html = build(settings);
    EXPECT_EQ(count(html, "<option value=\"Ohio;0.06\">Ohio</option>\n"), 2u);
    EXPECT_THAT(html, HasSubstr("<input type=\"hidden\" value=\"90210=0.0825;90210=0.0825;\" "
                                "name=\"ziptaxes\">\n"));
}

TEST(CheckoutStates, AnEmptyTaxTableGivesOnlyPleaseSelect) {
    const std::string html = build(CheckoutSettings{});
    EXPECT_THAT(html, HasSubstr("<select name=\"billstate\" size=\"1\">\n<option value=\"Please "
                                "Select...\">Please Select...</option>\n</select><input"));
    EXPECT_THAT(html, Not(HasSubstr("ziptaxes")));
}

TEST(CheckoutAddresses, BillAddressRequiredCoversItsFieldsOnly) {
    const std::string html = build(CheckoutSettings{}, requiring("3"));
    EXPECT_THAT(html, HasSubstr("<td width=\"20%\"><strong>Address1:</strong></td>\n<td "
                                "width=\"80%\"><input type=\"text\" name=\"billadd1*\" "
                                "size=\"30\">\n</td>"));
    EXPECT_THAT(html, HasSubstr("<td width=\"20%\">Address2:</td>\n<td width=\"80%\"><input "
                                "type=\"text\" name=\"billadd2\" size=\"30\">\n</td>"));
    EXPECT_THAT(html, HasSubstr("<td width=\"20%\"><strong>City, State, Zip:</strong></td>\n<td "
                                "width=\"80%\"><input type=\"text\" name=\"billcity*\" "
                                "size=\"10\"><select name=\"billstate*\" size=\"1\">\n"));
    EXPECT_THAT(html, HasSubstr("</select><input type=\"text\" name=\"billzip*\" size=\"10\">\n"));
    // The shipping address is its own requirement.
    EXPECT_THAT(html, HasSubstr("name=\"shipadd1\""));
    EXPECT_THAT(html, HasSubstr("<select name=\"shipstate\" size=\"1\">"));
    EXPECT_THAT(html, Not(HasSubstr("billname*")));
}

TEST(CheckoutAddresses, EveryRequiredValueMarksItsField) {
    CheckoutSettings settings;
    settings.options.internationalShipping = true;
    const std::string html = build(settings, requiring("123456789abcd"));
    for (const char* name :
         {"billname*", "billcompany*", "billphone1*", "billemail*", "shipname*", "shipcompany*",
          "shipadd1*", "shipcity*", "shipzip*", "shipphone1*", "cardtype*", "cardnumber*",
          "cardexpire*", "ACCTNO*", "ABACODE*", "BANKNAME*"})
        EXPECT_THAT(html, HasSubstr(std::string("name=\"") + name + "\"")) << name;
    for (const char* name : {"billfax", "shipfax", "billadd2", "shipadd2", "billcountry"})
        EXPECT_THAT(html, Not(HasSubstr(std::string("name=\"") + name + "*\""))) << name;
    EXPECT_THAT(html, Not(HasSubstr("shipemail")));
    EXPECT_THAT(html, HasSubstr("<strong>Checking Account Number:</strong> <small>(for Electronic "
                                "Check Payment Only)</small></td>"));
}

TEST(CheckoutAddresses, CountryRowsOnlyForInternationalShipmentsOrLinkPoint) {
    CheckoutSettings settings;
    EXPECT_THAT(build(settings), Not(HasSubstr("Country:")));
    settings.options.internationalShipping = true;
    const std::string html = build(settings);
    const std::string countries =
        between(html, "<select name=\"billcountry\" size=\"1\">\n", "</select>\n");
    EXPECT_EQ(count(countries, "<option "), 243u);
    EXPECT_THAT(countries, StartsWith("<select name=\"billcountry\" size=\"1\">\n<option "
                                      "value=\"US\">United States </option>\n<option "
                                      "value=\"AL\">Albania</option>\n"));
    EXPECT_THAT(countries, HasSubstr("<option value=\"AS\">Bahamas</option>\n"));
    EXPECT_THAT(countries, HasSubstr("<option value=\"TT\">Trinidad &amp; Tobago </option>\n"));
    EXPECT_THAT(countries, HasSubstr("<option value=\"CN\">China, Peoples Republic of </option>\n"
                                     "<option value=\"CX\">Christmas Island</option>\n"));
    EXPECT_THAT(countries, EndsWith("<option value=\"ZW\">Zimbabwe</option>\n"));
    EXPECT_EQ(count(html, "<select name=\"shipcountry\" size=\"1\">\n"), 1u);
    settings.options.internationalShipping = false;
    settings.options.verificationType = 2;
    EXPECT_THAT(build(settings), HasSubstr("<select name=\"shipcountry\""));
}

TEST(CheckoutPayment, LinkPointAsksForNoCardAndHeadsTheShipping) {
    CheckoutSettings settings;
    settings.options.verificationType = 2;
    settings.shipping.method = ShippingMethod::Ups;
    const std::string html = build(settings, requiring("abcd"));
    EXPECT_THAT(html, HasSubstr("<td width=\"20%\" bgcolor=\"#FFFF00\"><strong>Shipping:</strong>"
                                "</td>\n<td width=\"80%\" bgcolor=\"#FFFF00\"></td>\n</tr>\n"));
    for (const char* name : {"cardtype", "cardnumber", "cardexpire", "ACCTNO"})
        EXPECT_THAT(html, Not(HasSubstr(name)));
    settings.options.verificationType = 1;
    EXPECT_THAT(build(settings), HasSubstr("<strong>Payment:</strong>"));
    settings.shipping.method = ShippingMethod::UserChoice;
    EXPECT_THAT(build(settings), HasSubstr("<strong>Shipping and Payment:</strong>"));
}

TEST(CheckoutPayment, CardTypesFollowTheTickedOptions) {
    CheckoutChoices choices = requiring("d");
    choices.setPaymentCodes("135");
    const std::string html = build(CheckoutSettings{}, choices);
    EXPECT_THAT(html, HasSubstr("<td width=\"20%\">Payment Type:</td>\n<td width=\"80%\"><select "
                                "name=\"cardtype\" size=\"1\">\n<option value=\"Please "
                                "Select...\">Please Select...</option>\n<option "
                                "value=\"Visa\">Visa</option>\n<option "
                                "value=\"Discover\">Discover</option>\n<option "
                                "value=\"Diners\">Diners Club</option>\n</select>\n</td>"));
    // No electronic check offered: no bank rows, even when they are required.
    EXPECT_THAT(html, Not(HasSubstr("ACCTNO")));
    choices.setPaymentCodes("");
    EXPECT_THAT(build(CheckoutSettings{}, choices),
                HasSubstr("<option value=\"Please Select...\">Please Select...</option>\n</select>"
                          "\n</td>\n</tr>\n<tr>\n<td width=\"20%\">Card Number:</td>"));
}

TEST(CheckoutFields, TheProfileFieldsAndTheirOrder) {
    CheckoutChoices choices;
    choices.buttonText = "Send \"now\"";
    MerchantProfile profile = shop();
    profile.currencySymbol = "EUR";
    profile.confirmationMessage = "Thank you!\r\nWe ship \"soon\".\n";
    const std::string html = buildCheckoutSnippet(choices, CheckoutSettings{}, profile);
    EXPECT_THAT(html, StartsWith("<form method=\"POST\" action=\"HTTPS://cart.example.com/cart\">\n"
                                 "<em>Remember that you can't add photos"));
    EXPECT_THAT(
        html, HasSubstr("<td width=\"20%\"></td>\n<td width=\"80%\"><input type=\"submit\" "
                        "value=\"Send &quot;now&quot;\" name=\"checkout\">\n</td>\n</tr>\n"
                        "<input type=\"hidden\" value=\"checkout\" name=\"function\">\n"
                        "<input type=\"hidden\" value=\"Blue Heron\" name=\"merchantname\">\n"
                        "<input type=\"hidden\" value=\"401122\" name=\"merchant\">\n"
                        "<input type=\"hidden\" value=\"http://shop.example/\" name=\"mainurl\">\n"
                        "<input type=\"hidden\" value=\"EUR\" name=\"currency\">\n"
                        "<input type=\"hidden\" value=\"Thank you!We ship soon.\" "
                        "name=\"confirmmessage\">\n"
                        "</table>\n</form>\n"));
    EXPECT_THAT(build(CheckoutSettings{}), Not(HasSubstr("name=\"currency\"")));
}

TEST(CheckoutChoicesTest, StoredCodesTickTheBoxes) {
    ScratchStore scratch;
    SettingsStore& store = scratch.store();
    store.setMerchantNumber("401122");
    CheckoutChoices shown;
    shown.setPaymentCodes("27");
    shown.setRequiredCodes("5");
    // Nothing stored: the boxes stay as they are.
    EXPECT_EQ(CheckoutChoices::load(store, shown), shown);
    store.writeMerchant("ccCards", "135");
    store.writeMerchant("ccVerify", "19bd");
    const CheckoutChoices loaded = CheckoutChoices::load(store, shown);
    EXPECT_EQ(loaded.paymentCodes(), "135");
    EXPECT_EQ(loaded.requiredCodes(), "19bd");
    EXPECT_TRUE(loaded.isRequired(RequiredValue::ShipPhone));
    EXPECT_FALSE(loaded.accepts(PaymentOption::MasterCard));
    CheckoutChoices none;
    none.setPaymentCodes("");
    none.save(store);
    EXPECT_EQ(store.readMerchant("ccCards"), "");
    EXPECT_EQ(store.readMerchant("ccVerify"), "");
}

TEST(CheckoutChoicesTest, CodesAreCheckedWhenTyped) {
    CheckoutChoices choices;
    EXPECT_TRUE(choices.setRequiredCodes("D1a"));
    EXPECT_EQ(choices.requiredCodes(), "1ad");
    EXPECT_FALSE(choices.setRequiredCodes("1e"));
    EXPECT_FALSE(choices.setPaymentCodes("18"));
    EXPECT_EQ(choices.paymentCodes(), "1234567");
    EXPECT_EQ(choices.requiredCodes(), "1ad");
}

} // namespace vendaxo::test
