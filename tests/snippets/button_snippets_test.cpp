#include "shell/merchant_profile.h"
#include "snippets/button_snippets.h"
#include "snippets/html.h"

#include <gtest/gtest.h>

namespace vendaxo::test {

namespace {

MerchantProfile acme() {
    MerchantProfile profile;
    profile.merchantNumber = "111";
    profile.companyName = "Acme";
    profile.cartServerAddress = "https://cart.example/cgi";
    profile.orderRetrievalAddress = "https://cart.example/orders";
    profile.currencySymbol = "$";
    profile.moneySign = "$";
    return profile;
}

} // namespace

TEST(ViewCartSnippet, DollarsAndNoColoursGiveFiveLines) {
    EXPECT_EQ(buildViewCartSnippet("View Shopping Cart", acme(), ""),
              "<form method=\"POST\" action=\"http://cart.example/cgi\">\n"
              "<p><input type=\"submit\" value=\"View Shopping Cart\" name=\"openshopcart\"></p>\n"
              "<input type=\"hidden\" value=\"111\" name=\"merchant\">\n"
              "<input type=\"hidden\" value=\"Acme\" name=\"merchantname\">\n"
              "</form>\n");
}

TEST(ViewCartSnippet, OtherCurrencyAndStoredColoursAddTheirFieldsInOrder) {
    MerchantProfile profile = acme();
    profile.currencySymbol = "EUR";
    EXPECT_EQ(buildViewCartSnippet("", profile, "-1,255,16777215"),
              "<form method=\"POST\" action=\"http://cart.example/cgi\">\n"
              "<p><input type=\"submit\" value=\"\" name=\"openshopcart\"></p>\n"
              "<input type=\"hidden\" value=\"111\" name=\"merchant\">\n"
              "<input type=\"hidden\" value=\"Acme\" name=\"merchantname\">\n"
              "<input type=\"hidden\" value=\"EUR\" name=\"currency\">\n"
              "<input type=\"hidden\" name=\"vdx_shopcolors\" value=\"-1,255,16777215\">\n"
              "</form>\n");
}

TEST(RetrieveOrdersSnippet, UsesTheRetrievalAddressAsHeldAndCarriesNoColours) {
    MerchantProfile profile = acme();
    profile.currencySymbol = "$ ";
    EXPECT_EQ(buildRetrieveOrdersSnippet("Retrieve Orders", profile),
              "<form method=\"POST\" action=\"https://cart.example/orders\">\n"
              "<p><input type=\"submit\" value=\"Retrieve Orders\" name=\"getorders\"></p>\n"
              "<input type=\"hidden\" value=\"111\" name=\"merchant\">\n"
              "<input type=\"hidden\" value=\"Acme\" name=\"merchantname\">\n"
              "<input type=\"hidden\" value=\"getorders\" name=\"vdxaction\">\n"
              "<input type=\"hidden\" value=\"$ \" name=\"currency\">\n"
              "</form>\n");
}

TEST(CartAction, OnlyTheFirstHttpsInAnyCaseBecomesHttp) {
    EXPECT_EQ(plainCartAction("HTTPS://a/?next=https://b"), "http://a/?next=https://b");
    EXPECT_EQ(plainCartAction("hTtPs:x"), "http:x");
    EXPECT_EQ(plainCartAction("http://a/"), "http://a/");
    EXPECT_EQ(plainCartAction("ftp://https:"), "ftp://http:");
    EXPECT_EQ(plainCartAction(""), "");
}

TEST(AttributeQuoting, QuotesAndAmpersandsCannotBreakTheForm) {
    MerchantProfile profile = acme();
    profile.companyName = "Bob's \"Best\" & <Co>";
    const std::string snippet = buildViewCartSnippet("Say \"hi\"", profile, "");
    EXPECT_NE(snippet.find("value=\"Bob's &quot;Best&quot; &amp; <Co>\" name=\"merchantname\""),
              std::string::npos);
    EXPECT_NE(snippet.find("value=\"Say &quot;hi&quot;\" name=\"openshopcart\""),
              std::string::npos);
    EXPECT_EQ(quoteAttribute("&copy"), "&amp;copy") << "a browser would decode &copy";
    EXPECT_EQ(quoteAttribute("\"a&&b\"&"), "&quot;a&amp;&amp;b&quot;&amp;");
    EXPECT_EQ(
        quoteAttribute(std::string(100, 'x') + "\"" + std::string(100, '&')),
        std::string(100, 'x') + "&quot;" + [] {
            std::string amps;
            for (int i = 0; i < 100; ++i)
                amps += "&amp;";
            return amps;
        }());
}

} // namespace vendaxo::test
