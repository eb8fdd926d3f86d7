#include "shell/cli_fixture.h"

#include <algorithm>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;

class CatalogueUpdateCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        installAcme();
        ASSERT_EQ(cli({"set", "OURL", "http://acme.example/"}).exitCode, 0);
    }
    std::string built(const std::vector<std::string>& args) {
        const Result result = cli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }
    std::string kite(const std::string& sku, const std::string& price,
                     std::vector<std::string> more = {}) {
        more.insert(more.begin(),
                    {"purchase", "--sku", sku, "--price", price, "--description", "Kite " + sku});
        return built(more);
    }
    // The page's bytes around its forms.
    static std::string pageOf(const std::vector<std::string>& forms) {
        std::string body;
        for (const std::string& form : forms)
            body += form;
        return "<html><body>\n" + body + "</body></html>\n";
    }
    // A page of the site; its name as the commands give it.
    std::string page(const std::string& name, const std::vector<std::string>& forms) {
        std::filesystem::create_directories(m_dir / "site");
        writeFile(m_dir / "site" / name, pageOf(forms));
        return (m_dir / "site" / name).string();
    }
    // "PAGE:LINE: " of the form that follows the forms before it on the page.
    static std::string at(const std::string& page, const std::vector<std::string>& before) {
        std::size_t line = 2;
        for (const std::string& form : before)
            line += static_cast<std::size_t>(std::count(form.begin(), form.end(), '\n'));
        return page + ":" + std::to_string(line) + ": ";
    }
    std::string site() const { return (m_dir / "site").string(); }
    std::string list(const std::string& csv) {
        writeFile(m_dir / "list.csv", csv);
        return (m_dir / "list.csv").string();
    }
};

TEST_F(CatalogueUpdateCliTest, UpdateRebuildsEachFormAsThePurchaseCommandBuildsItsRow) {
    const std::vector<std::string> aForms = {kite("K1", "5"), built({"view-cart"}),
                                             kite("K2", "7")};
    const std::vector<std::string> orderForms = {built({"checkout"}), kite("Z9", "1"),
                                                 kite("K1", "5")};
    const std::string a = page("a.html", aForms);
    const std::string order = page("order.html", orderForms);
    // As a spreadsheet exports it: ";" and CR LF.
    const std::string csv = list("sku;price;description;free-shipping\r\n"
                                 "K1;6;Kite K1;yes\r\n"
                                 "K2;7;Kite K2;\r\n"
                                 "K3;2;Kite K3;\r\n");
    const std::string report =
        at(a, {}) + "would update SKU \"K1\": price, ship_free\n" + at(order, {orderForms[0]}) +
        "SKU \"Z9\" is not in the list\n" + at(order, {orderForms[0], orderForms[1]}) +
        "would update SKU \"K1\": price, ship_free\n" + csv +
        ":4: SKU \"K3\" is not on the site\n"
        "2 forms would be updated on 2 pages, 1 in line, 0 left alone, 1 not in the list; 1 SKU "
        "of the list not on the site";

    const Result dry = cli({"catalogue", csv, "--update", site(), "--dry-run"});
    EXPECT_EQ(dry.exitCode, 3) << dry.err;
    EXPECT_EQ(dry.err, "");
    EXPECT_EQ(dry.out, report + "; nothing was written\n");
    EXPECT_EQ(readFile(m_dir / "site/a.html"), pageOf(aForms));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "site/a.html.bak"));

    const Result done = cli({"catalogue", csv, "--update", a, order});
    EXPECT_EQ(done.exitCode, 3) << done.err;
    EXPECT_EQ(done.err, "");
    std::string written = report;
    for (std::size_t would = written.find("would update"); would != std::string::npos;
         would = written.find("would update"))
        written.replace(would, 12, "updated");
    written.replace(written.find("would be updated"), 16, "updated");
    EXPECT_EQ(done.out, written + "\n");

    // Byte for byte the purchase command's button for the row, all else kept.
    const std::string newK1 = kite("K1", "6", {"--free-shipping"});
    EXPECT_EQ(readFile(m_dir / "site/a.html"), pageOf({newK1, aForms[1], aForms[2]}));
    EXPECT_EQ(readFile(m_dir / "site/order.html"), pageOf({orderForms[0], orderForms[1], newK1}));
    EXPECT_EQ(readFile(m_dir / "site/a.html.bak"), pageOf(aForms));
    EXPECT_EQ(readFile(m_dir / "site/order.html.bak"), pageOf(orderForms));

    // Every SKU of the list on the site and every form in line.
    const std::string shorter = list("sku;price;description;free-shipping\r\n"
                                     "K1;6;Kite K1;yes\r\n"
                                     "K2;7;Kite K2;\r\n");
    const Result again = cli({"catalogue", shorter, "--update", site()});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, at(order, {orderForms[0]}) +
                             "SKU \"Z9\" is not in the list\n"
                             "0 forms updated on 0 pages, 3 in line, 0 left alone, 1 not in the "
                             "list; 0 SKUs of the list not on the site\n");
}

TEST_F(CatalogueUpdateCliTest, ErrorsWriteNothingAndUsageIsChecked) {
    const std::string a = page("a.html", {kite("K1", "5")});
    const std::string before = readFile(m_dir / "site/a.html");
    const std::string bad = list("sku,price,description\nK1,\"12,50\",Kite K1\n");
    const Result refused = cli({"catalogue", bad, "--update", site()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
              "vendaxo-cli: " + bad +
                  ", line 2, column 2 (price): \"12,50\" is not a plain amount: digits with one "
                  "\".\" at most (as 12.50), no thousands separator, no sign\n"
                  "vendaxo-cli: 1 error in the list; nothing was updated.\n");
    EXPECT_EQ(readFile(m_dir / "site/a.html"), before);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "site/a.html.bak"));

    const std::string good = list("sku,price,description\nK1,6,Kite K1\n");
    const Result missing = cli({"catalogue", good, "--update", site() + "/gone"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, HasSubstr("vendaxo-cli: " + site() + "/gone cannot be read: "));
    EXPECT_EQ(missing.out, good + ":2: SKU \"K1\" is not on the site\n0 forms updated on 0 pages, "
                                  "0 in line, 0 left alone, "
                                  "0 not in the list; 1 SKU of the list not on the site\n");

    EXPECT_EQ(cli({"catalogue", good, "--update", site(), "--into", a}).exitCode, 2);
    EXPECT_EQ(cli({"catalogue", good, "--dry-run"}).exitCode, 2);
    EXPECT_EQ(cli({"catalogue", good, "--update"}).exitCode, 2);
    EXPECT_EQ(readFile(m_dir / "site/a.html"), before);
}

} // namespace vendaxo::test
