#include "base/text_encoding.h"
#include "site/site_fixture.h"
#include "snippets/page_file.h"

#include <gmock/gmock.h>

namespace vendaxo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// "LINE: refreshed|left alone KIND: details" for each form of the report.
std::vector<std::string> outcomes(const RefreshReport& report) {
    std::vector<std::string> out;
    for (const FormRefresh& form : report.forms)
        out.push_back(std::to_string(form.place.line) + ": " +
                      (form.refreshed ? "refreshed " : "left alone ") +
                      std::string(snippetKindName(form.form)) + ": " + form.details);
    return out;
}

TEST_F(SiteTest, RefreshMendsStaleFormsAndKeepsEveryOtherByte) {
    const std::string before =
        page("order.html", "<div>\n" + checkout() + "</div>\r\n<p>between</p>" + purchase("A1") +
                               "<!-- after -->" + viewCart());
    m_store.writeMerchant("OTax", "Ohio = 7%\r\n");
    m_store.writeValue(std::string(kInstallationKey), "Company", RegValue::string("Heron Maps"));

    const RefreshReport report = refresh();
    EXPECT_THAT(outcomes(report), ElementsAre("4: refreshed checkout: tax table, company",
                                              "689: refreshed purchase: company",
                                              "700: refreshed view-cart: company"));
    EXPECT_EQ(report.pagesWritten, 1U);
    EXPECT_THAT(report.failures, IsEmpty());
    const std::string after = readFile(site() / "order.html");
    EXPECT_EQ(outsideForms(after), outsideForms(before));
    EXPECT_EQ(readFile(site() / "order.html.bak"), before);
    EXPECT_THAT(check().problems, IsEmpty()) << "a check right after finds nothing stale";
    // The rebuilt forms are the ones Insert writes now; the line end after each is the page's.
    EXPECT_THAT(after, HasSubstr(purchase("A1") + "<!-- after -->"));
}

TEST_F(SiteTest, RefreshOfAFormStaleInItsTaxTableNamesOnlyTheTaxTable) {
    page("order.html", checkout());
    m_store.writeMerchant("OTax", "Ohio = 6.5%\r\nGuam\r\n");
    const SiteReport report = check();
    ASSERT_EQ(report.problems.size(), 1U);
    EXPECT_EQ(report.problems[0].details, "tax table differs from the settings now");
    EXPECT_THAT(outcomes(refreshSite(report, settings(), RefreshMode::Write)),
                ElementsAre("3: refreshed checkout: tax table"));
    EXPECT_THAT(readFile(site() / "order.html"), HasSubstr("Ohio;0.065"));
}

TEST_F(SiteTest, RefreshKeepsThePageEncoding) {
    m_store.writeValue(std::string(kInstallationKey), "Company",
                       RegValue::string("Caf\u00e9 Maps"));
    const std::string windows =
        "<html><head><meta charset=\"windows-1252\"></head><body>\r\n<p>Caf\xe9</p>\r\n" +
        encodeText(withCrlf(viewCart()), PageEncoding::Windows1252) + "<p>\xe9t\xe9</p>\r\n";
    std::filesystem::create_directories(site());
    writeFile(site() / "windows.html", windows);
    const std::string utf16 =
        "\xFF\xFE" + utf8ToUtf16leBytes("<p>\u00e9\u4e16</p>\n" + purchase("U1") + "<p>end</p>\n");
    writeFile(site() / "utf16.html", utf16);
    m_store.writeValue(std::string(kInstallationKey), "Company",
                       RegValue::string("Caf\u00e9 \u4e16 Maps"));

    EXPECT_THAT(outcomes(refresh()),
                ElementsAre("2: refreshed purchase: company", "3: refreshed view-cart: company"));
    for (const auto& [name, before] :
         {std::pair{"windows.html", windows}, std::pair{"utf16.html", utf16}}) {
        SCOPED_TRACE(name);
        const std::string after = readFile(site() / name);
        EXPECT_EQ(decodePage(after).encoding, decodePage(before).encoding);
        EXPECT_EQ(decodePage(after).crlf, decodePage(before).crlf);
        EXPECT_EQ(outsideForms(after), outsideForms(before));
    }
    EXPECT_THAT(readFile(site() / "windows.html"), HasSubstr("Caf\xe9 &#19990; Maps"))
        << "what Windows-1252 cannot hold, as a reference";
    EXPECT_THAT(check().problems, IsEmpty());
}

TEST_F(SiteTest, RefreshLeavesOtherMerchantsDamagedAndConflictingFormsAlone) {
    MerchantProfile other = settings().profile;
    other.merchantNumber = "999";
    std::string damaged = viewCart();
    damaged.replace(damaged.find("</form>"), 7, "");
    const std::string conflicting = purchase("K1", "10");
    const std::string before =
        page("a.html", buildViewCartSnippet("Cart", other, "") + conflicting + damaged);
    page("b.html", purchase("K1", "11"));
    m_store.writeValue(std::string(kInstallationKey), "CGIPath",
                       RegValue::string("https://new.example/cart.cgi"));

    const RefreshReport report = refresh();
    EXPECT_THAT(outcomes(report),
                ElementsAre("3: left alone view-cart: another merchant's form: merchant 999 "
                            "(Blue Heron Books & Maps) is not installed here; the current "
                            "merchant is 401122 (Blue Heron Books & Maps)",
                            "8: left alone purchase: its SKU \"K1\" is sold differently on other "
                            "forms; make them agree first",
                            "19: left alone view-cart: damaged: no </form>",
                            "3: left alone purchase: its SKU \"K1\" is sold differently on other "
                            "forms; make them agree first"));
    EXPECT_EQ(report.leftAloneCount(), 4U);
    EXPECT_EQ(readFile(site() / "a.html"), before);
    EXPECT_FALSE(std::filesystem::exists(site() / "a.html.bak"));
}

TEST_F(SiteTest, RefreshWritesNoPageThatChangedOnDiskSinceItWasRead) {
    page("a.html", viewCart());
    m_store.writeMerchant("shopcolors", "");
    const SiteSettings now = settings();
    const SiteReport report = checkSite({site()}, now);
    const PageRefreshPlan plan = planPageRefresh(report, 0, now);
    ASSERT_FALSE(plan.bytes.empty());
    const std::string edited = readFile(site() / "a.html") + "<p>typed meanwhile</p>";
    writeFile(site() / "a.html", edited);
    EXPECT_THROW(writePageRewrite(plan), PageChangedOnDisk);
    EXPECT_EQ(readFile(site() / "a.html"), edited);
    EXPECT_FALSE(std::filesystem::exists(site() / "a.html.bak"));

    // The whole refresh reads the page again, so the edit stays and the form is mended.
    EXPECT_THAT(outcomes(refreshSite(report, now, RefreshMode::Write)),
                ElementsAre("3: refreshed view-cart: colours"));
    EXPECT_THAT(readFile(site() / "a.html"), HasSubstr("<p>typed meanwhile</p>"));
}

TEST_F(SiteTest, DryRunWritesNothing) {
    const std::string before = page("a.html", viewCart());
    m_store.writeMerchant("shopcolors", "");
    const RefreshReport report = refresh(RefreshMode::DryRun);
    EXPECT_THAT(outcomes(report), ElementsAre("3: refreshed view-cart: colours"));
    EXPECT_EQ(report.pagesWritten, 1U);
    EXPECT_EQ(readFile(site() / "a.html"), before);
    EXPECT_FALSE(std::filesystem::exists(site() / "a.html.bak"));
}

TEST_F(SiteTest, RefreshSaysWhatARebuildDropsOrWouldChange) {
    std::string added = viewCart();
    added.insert(added.find("</form>"), "<input type=\"hidden\" name=\"affiliate\" value=\"7\">");
    std::string odd = purchase("P1", "5");
    odd.replace(odd.find("value=\"$5\""), 10, "value=\"$05\"");
    page("a.html", added + odd);
    m_store.writeMerchant("shopcolors", "");
    EXPECT_THAT(outcomes(refresh()),
                ElementsAre("3: refreshed view-cart: colours; dropped the fields the program "
                            "does not write: affiliate",
                            "9: left alone purchase: rebuilding it would also change what the "
                            "form says itself (price); insert it again instead"));
    const SiteReport after = check();
    ASSERT_EQ(after.problems.size(), 1U);
    EXPECT_THAT(after.problems[0].details, HasSubstr("(refresh leaves it: rebuilding it would"));
}

TEST_F(SiteTest, RefreshShowsOptionItemsInTheNewCurrencyWithTheirAmounts) {
    Product kite = product("O1", "20");
    kite.optionsEnabled = true;
    kite.options.addList("Size");
    kite.options.addItem(0, "Small");
    kite.options.addItem(0, "Large (add $2.50)");
    page("a.html", purchase(kite));
    m_store.writeMerchant("Currency", "EUR");
    EXPECT_THAT(outcomes(refresh()), ElementsAre("3: refreshed purchase: currency"));
    const std::vector<ReadSnippet> read = readSnippets(readFile(site() / "a.html"));
    ASSERT_EQ(read.size(), 1U);
    EXPECT_EQ(read[0].product.options.cell(0, 2), "Large (add EUR2.50)");
    EXPECT_THAT(readFile(site() / "a.html"), HasSubstr("value=\"+2.50;Large;2\""));
}

} // namespace
} // namespace vendaxo::test
