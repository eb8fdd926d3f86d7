#include "base/text_encoding.h"
#include "site/site_fixture.h"
#include "snippets/snippet_pages.h"

#include <gmock/gmock.h>

namespace vendaxo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// "PAGE:LINE: PROBLEM: details" for each problem, the page relative to the site.
std::vector<std::string> lines(const SiteReport& report, const std::filesystem::path& site) {
    std::vector<std::string> out;
    for (const SiteProblem& problem : report.problems) {
        const std::filesystem::path page = report.pages[problem.place.page].file;
        out.push_back(page.lexically_relative(site).generic_string() + ":" +
                      std::to_string(problem.place.line) + ": " +
                      std::string(siteProblemName(problem.kind)) + ": " + problem.details);
    }
    return out;
}

TEST_F(SiteTest, FindsNothingOnASiteAsInsertWroteIt) {
    page("index.html", purchase("A1") + "<p>between</p>\n" + viewCart());
    page("shop/order.htm", checkout() + retrieveOrders());
    page("about.html", "<form action=\"/search\"><input name=\"q\"></form>\n");
    const SiteReport report = check();
    EXPECT_EQ(report.pagesChecked, 3U);
    EXPECT_EQ(report.forms, 4U) << "the search form is not Vendaxo's";
    EXPECT_THAT(lines(report, site()), IsEmpty());
    EXPECT_THAT(report.failures, IsEmpty());
}

TEST_F(SiteTest, NamesEachProblemWithItsPageAndLine) {
    const std::string oldCheckout = checkout();
    MerchantProfile renamed = settings().profile;
    renamed.companyName = "Heron Books";
    const std::string oldViewCart =
        buildViewCartSnippet(kViewCartCaption, renamed, settings().checkout.shopColours);
    std::string damaged = purchase("D1", "3");
    damaged.replace(damaged.find("value=\"$3\""), 10, "value=\"3\"");
    MerchantProfile other = settings().profile;
    other.merchantNumber = "999";
    other.companyName = "Other Maps";
    page("a.html", purchase("K1", "10") + "\n" + oldViewCart);
    page("b.html", "\n\n" + purchase("K1", "11") + damaged);
    page("c.html", buildRetrieveOrdersSnippet("Orders", other) + oldCheckout);
    m_store.writeMerchant("OTax", "Ohio = 7%\r\n");

    const SiteReport report = check();
    EXPECT_EQ(report.forms, 6U);
    EXPECT_THAT(
        lines(report, site()),
        ElementsAre("a.html:3: sku-conflict: SKU \"K1\": price differs at " +
                        (site() / "b.html").string() + ":5",
                    "a.html:15: stale-common: view-cart form: company differs from the settings "
                    "now",
                    "b.html:5: sku-conflict: SKU \"K1\": price differs at " +
                        (site() / "a.html").string() + ":3",
                    "b.html:16: damaged: the price has no \"$\"",
                    "c.html:3: other-merchant: merchant 999 (Other Maps) is not installed here; "
                    "the current merchant is 401122 (Blue Heron Books & Maps)",
                    "c.html:9: stale-checkout: tax table differs from the settings now"));
    EXPECT_EQ(report.count(SiteProblemKind::SkuConflict), 2U);
    EXPECT_EQ(report.conflictingSkus, std::set<std::string>{"K1"});
}

TEST_F(SiteTest, ComparesWhatTheFormsCarryNotHowTheyAreWritten) {
    // A page editor rewrote the form and the merchant edited a label: not stale.
    std::string edited = reformatted(checkout(), 7);
    const std::size_t label = edited.find("Bill To:");
    ASSERT_NE(label, std::string::npos);
    edited.replace(label, 8, "Invoice address:");
    page("order.html", edited);
    EXPECT_THAT(lines(check(), site()), IsEmpty());
}

struct SettingChange {
    std::string_view name; // the stored value
    std::string_view value;
    std::string_view details;
};

TEST_F(SiteTest, NamesTheSettingsGroupThatChangedAndNoOther) {
    const std::vector<SettingChange> changes = {
        {"OTax", "Ohio = 7%\r\nGuam\r\n", "tax table differs from the settings now"},
        {"taxshipping", "no", "tax table differs from the settings now"},
        {"OShp", "Standard Ground = $6;\r\n",
         "shipping method and rates differ from the settings now"},
        {"OSta", "5", "shipping method and rates differ from the settings now"},
        {"internationalship", "no", "international shipping differs from the settings now"},
        {"OCCVerifyType", "2", "card verification differs from the settings now"},
        {"MinimumRate", "30", "minimum order differs from the settings now"},
        {"GlobalDisRate", "15", "discount differs from the settings now"},
        {"HandlingRate", "0.50", "handling differs from the settings now"},
        {"InsuranceEnabled", "1", "insurance differs from the settings now"},
        {"shopcolors", "1,2,3", "colours differ from the settings now"},
        {"OCnf", "Thanks.", "confirmation message differs from the settings now"},
        {"OURL", "http://maps.example/", "main page address differs from the settings now"},
        {"Currency", "EUR", "currency differs from the settings now"},
    };
    const std::string form = checkout();
    page("order.html", form);
    for (const SettingChange& change : changes) {
        SCOPED_TRACE(std::string(change.name));
        const std::string before = m_store.readMerchant(std::string(change.name));
        m_store.writeMerchant(std::string(change.name), std::string(change.value));
        const SiteReport report = check();
        ASSERT_EQ(report.problems.size(), 1U);
        EXPECT_EQ(report.problems[0].kind, SiteProblemKind::StaleCheckout);
        EXPECT_EQ(report.problems[0].details, change.details);
        m_store.writeMerchant(std::string(change.name), before);
    }
    // The installation's values: the company and the cart server.
    const std::string key(kInstallationKey);
    m_store.writeValue(key, "Company", RegValue::string("Heron Maps"));
    m_store.writeValue(key, "CGIPath", RegValue::string("https://new.example/cart.cgi"));
    page("buttons.html", purchase("B1") + viewCart() + retrieveOrders());
    m_store.writeValue(key, "CGIRetrive", RegValue::string("https://new.example/orders.cgi"));
    EXPECT_THAT(lines(check(), site()),
                ElementsAre("buttons.html:20: stale-common: retrieve-orders form: order retrieval "
                            "address differs from the settings now",
                            "order.html:3: stale-checkout: cart server address, company differ "
                            "from the settings now"));
}

TEST_F(SiteTest, SaysWhoseFormItIsWhenSeveralMerchantsAreInstalled) {
    const std::string key(kInstallationKey);
    m_store.writeValue(key, "Serial", RegValue::string("401122;401133"));
    m_store.writeValue(key, "Company", RegValue::string("Blue Heron;Red Kite"));
    MerchantSession session(m_store);
    session.activate(Installation::load(m_store));
    session.choose(0);
    const SiteSettings current = SiteSettings::load(session);
    MerchantProfile other = current.profile;
    other.merchantNumber = "401133";
    page("a.html", buildViewCartSnippet("Cart", other, ""));
    const SiteReport report = checkSite({site()}, current);
    EXPECT_THAT(
        lines(report, site()),
        ElementsAre("a.html:3: other-merchant: merchant 401133 (Red Kite) is another "
                    "merchant installed here; the current merchant is 401122 (Blue Heron)"));
}

TEST_F(SiteTest, ReportsAPageItCannotReadAndGoesOn) {
    page("a.html", "<meta charset=\"shift_jis\">" + viewCart());
    page("b.html", viewCart());
    m_store.writeMerchant("shopcolors", "");
    const SiteReport report = check();
    ASSERT_EQ(report.failures.size(), 1U);
    EXPECT_THAT(report.failures[0].message, HasSubstr("a.html: The page is encoded as shift_jis"));
    EXPECT_EQ(report.pagesChecked, 2U);
    EXPECT_THAT(lines(report, site()),
                ElementsAre("b.html:3: stale-common: view-cart form: colours differ from the "
                            "settings now"));
}

TEST_F(SiteTest, StopsBetweenPagesWhenAsked) {
    for (const char* name : {"a.html", "b.html", "c.html"})
        page(name, viewCart());
    m_store.writeMerchant("shopcolors", "");
    std::vector<std::size_t> seen;
    const SiteReport report =
        checkSite({site()}, settings(), [&](std::size_t done, std::size_t total) {
            seen.push_back(done);
            EXPECT_EQ(total, 3U);
            return done < 2;
        });
    EXPECT_THAT(seen, ElementsAre(1, 2));
    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(report.pagesChecked, 2U);
    EXPECT_EQ(report.problems.size(), 2U);
}

TEST(SiteCheck, SkipsPagesThatCannotHoldAFormInAnyEncoding) {
    EXPECT_FALSE(mayHoldForm("<p>no forms</p><for m><fo"));
    EXPECT_TRUE(mayHoldForm("<p>x<FoRm action=y>"));
    EXPECT_TRUE(mayHoldForm("<!-- <form> --> only a comment, but read it"));
    const std::string utf16 = "\xFF\xFE" + utf8ToUtf16leBytes("<p>\u00e9<Form>");
    EXPECT_TRUE(mayHoldForm(utf16));
    EXPECT_FALSE(mayHoldForm("\xFF\xFE" + utf8ToUtf16leBytes("<p>\u00e9<for")));
    std::string bigEndian = "\xFE\xFF" + utf8ToUtf16leBytes("<form>");
    for (std::size_t i = 2; i + 1 < bigEndian.size(); i += 2)
        std::swap(bigEndian[i], bigEndian[i + 1]);
    EXPECT_TRUE(mayHoldForm(bigEndian));
    EXPECT_FALSE(mayHoldForm("\xFF\xFE" + std::string("<\0f\0o\0r\0m\0", 9)))
        << "the last unit is cut off";
}

} // namespace
} // namespace vendaxo::test
