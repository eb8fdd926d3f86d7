#include "base/json.h"
#include "shell/cli_fixture.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class SiteCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        installAcme();
        ASSERT_EQ(cli({"set", "OURL", "http://acme.example/"}).exitCode, 0);
        ASSERT_EQ(cli({"set", "OTax", "Ohio = 6%"}).exitCode, 0);
    }
    std::string built(const std::vector<std::string>& args) {
        const Result result = cli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }
    // A page of the site folder; its name as the commands give it.
    std::string page(const std::string& name, const std::string& body) {
        std::filesystem::create_directories(m_dir / "site");
        writeFile(m_dir / "site" / name, "<html><body>\n" + body + "</body></html>\n");
        return (m_dir / "site" / name).string();
    }
    std::string site() const { return (m_dir / "site").string(); }
};

TEST_F(SiteCliTest, CheckListsEachProblemAndCountsThemAll) {
    const std::string order = page("order.html", built({"checkout"}));
    const std::string a =
        page("a.html", built({"purchase", "--sku", "K1", "--price", "5", "--description", "Kite"}));
    const std::string b =
        page("b.html", built({"purchase", "--sku", "K1", "--price", "6", "--description", "Kite"}));
    ASSERT_EQ(cli({"set", "OTax", "Ohio = 7%"}).exitCode, 0);

    const Result result = cli({"site", "check", site()});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.err, "") << "no progress line when standard error is no terminal";
    EXPECT_EQ(result.out,
              a + ":2: sku-conflict: SKU \"K1\": price differs at " + b + ":2\n" + b +
                  ":2: sku-conflict: SKU \"K1\": price differs at " + a + ":2\n" + order +
                  ":2: stale-checkout: tax table differs from the settings now\n"
                  "3 pages, 3 forms: 1 stale-checkout, 0 stale-common, 0 other-merchant, 2 "
                  "sku-conflict, 0 damaged\n");

    const Result json = cli({"site", "check", "--json", order});
    EXPECT_EQ(json.exitCode, 3);
    EXPECT_EQ(json.out, "{\n"
                        "  \"pages\": 1,\n"
                        "  \"forms\": 1,\n"
                        "  \"problems\": [\n"
                        "    {\n"
                        "      \"page\": " +
                            jsonString(order) +
                            ",\n"
                            "      \"line\": 2,\n"
                            "      \"kind\": \"checkout\",\n"
                            "      \"problem\": \"stale-checkout\",\n"
                            "      \"details\": \"tax table differs from the settings now\"\n"
                            "    }\n"
                            "  ],\n"
                            "  \"errors\": []\n"
                            "}\n");
}

TEST_F(SiteCliTest, RefreshMendsWhatItCanAndSaysWhatItLeft) {
    const std::string order = page("order.html", built({"checkout"}) + built({"view-cart"}));
    const std::string before = readFile(m_dir / "site/order.html");
    ASSERT_EQ(cli({"set", "OTax", "Ohio = 7%"}).exitCode, 0);

    const Result dry = cli({"site", "refresh", "--dry-run", site()});
    EXPECT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_EQ(dry.out, order + ":2: would refresh checkout: tax table\n"
                               "1 form would be refreshed on 1 page, 0 left alone; nothing was "
                               "written\n");
    EXPECT_EQ(readFile(m_dir / "site/order.html"), before);

    const Result done = cli({"site", "refresh", site()});
    EXPECT_EQ(done.exitCode, 0) << done.err;
    EXPECT_EQ(done.out, order + ":2: refreshed checkout: tax table\n"
                                "1 form refreshed on 1 page, 0 left alone\n");
    EXPECT_EQ(readFile(m_dir / "site/order.html.bak"), before);
    EXPECT_EQ(cli({"site", "check", site()}).exitCode, 0);

    page("other.html", "<form action=\"x\"><input name=\"merchant\" value=\"999\">"
                       "<input type=\"submit\" name=\"openshopcart\" value=\"Cart\">"
                       "<input name=\"merchantname\" value=\"Else\"></form>\n");
    const Result left = cli({"site", "refresh", site()});
    EXPECT_EQ(left.exitCode, 3);
    EXPECT_THAT(left.out, HasSubstr("other.html:2: left alone view-cart: another merchant's "
                                    "form: merchant 999 (Else) is not installed here"));
}

TEST_F(SiteCliTest, ErrorsAndUsage) {
    page("a.html", built({"view-cart"}));
    writeFile(m_dir / "site/bad.html", "<meta charset=\"koi8-r\"><form>");
    const Result unreadable = cli({"site", "check", site()});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_THAT(unreadable.err,
                StartsWith("vendaxo-cli: " + (m_dir / "site" / "bad.html").string() +
                           ": The page is "
                           "encoded as koi8-r"));
    EXPECT_THAT(unreadable.out, HasSubstr("2 pages, 1 form: 0 stale-checkout"));
    EXPECT_EQ(cli({"site", "check", site() + "/missing"}).exitCode, 1);
    EXPECT_EQ(cli({"site"}).exitCode, 2);
    EXPECT_EQ(cli({"site", "check"}).exitCode, 2);
    EXPECT_EQ(cli({"site", "refresh", "--json", site()}).exitCode, 2);
}

} // namespace vendaxo::test
