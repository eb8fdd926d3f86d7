#include "base/json.h"
#include "shell/cli_fixture.h"
#include "snippets/checkout_data.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;

class SnippetsCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ASSERT_EQ(cli({"install", "--serial", "401122", "--company", "Kites & \"Co\"", "--cart-url",
                       "https://cart.example.com/cart", "--retrieve-url",
                       "https://cart.example.com/orders"})
                      .exitCode,
                  0);
    }
    // The snippet the command prints.
    std::string built(const std::vector<std::string>& args) {
        const Result result = cli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }
    std::string page(const std::string& name, const std::string& body) {
        const std::filesystem::path file = m_dir / name;
        writeFile(file, "<html><body>\n" + body + "</body></html>\n");
        return file.string();
    }
};

TEST_F(SnippetsCliTest, ListsTheFormsOfEachPageOneALine) {
    const std::string shop =
        page("shop.html",
             built({"purchase", "--sku", "K1", "--price", "12.50", "--description", "Delta kite"}) +
                 built({"view-cart"}) + built({"retrieve-orders", "--caption", "Get"}));
    const std::string order = page("order.html", readFile(checkoutData("base_rates.html")));
    const Result result = cli({"snippets", shop, order});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, shop + ":2: purchase K1 $12.5\n" + shop +
                              ":12: view-cart \"View Shopping Cart\"\n" + shop +
                              ":17: retrieve-orders \"Get\"\n" + order +
                              ":2: checkout Multiple Base Rate Calculation\n");
}

TEST_F(SnippetsCliTest, GivesTheValuesAsJsonUnderTheOptionNames) {
    const std::string file = page(
        "kite.html", built({"purchase", "--sku", "K1", "--price", "12.50", "--description", "Delta",
                            "--option-data", "Colour;Red;Blue (add $1);\n", "--option-style",
                            "radio", "--discount", "10=11", "--quantity-lock", "2", "--no-jump"}) +
                         built({"view-cart"}));
    const Result result = cli({"snippets", "--json", file});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string kite = jsonString(file); // a Windows path has backslashes to escape
    EXPECT_EQ(result.out, "[\n"
                          "  {\n"
                          "    \"page\": " +
                              kite +
                              ",\n"
                              "    \"line\": 2,\n"
                              "    \"kind\": \"purchase\",\n"
                              "    \"sku\": \"K1\",\n"
                              "    \"price\": \"12.5\",\n"
                              "    \"description\": \"Delta\",\n"
                              "    \"weight\": \"0\",\n"
                              "    \"caption\": \"Add To Shopping Cart\",\n"
                              "    \"quantity-box\": false,\n"
                              "    \"free-shipping\": false,\n"
                              "    \"non-taxable\": false,\n"
                              "    \"no-jump\": true,\n"
                              "    \"no-fractional\": false,\n"
                              "    \"no-minimums\": false,\n"
                              "    \"quantity-lock\": \"2\",\n"
                              "    \"discounts\": [\"10=11\"],\n"
                              "    \"option-style\": \"radio\",\n"
                              "    \"option-data\": \"List 1;Red;Blue (add $1);\\n\",\n"
                              "    \"merchant\": \"401122\",\n"
                              "    \"company\": \"Kites & \\\"Co\\\"\",\n"
                              "    \"action\": \"http://cart.example.com/cart\",\n"
                              "    \"currency\": \"$\",\n"
                              "    \"shopcolors\": \"\",\n"
                              "    \"problems\": []\n"
                              "  },\n"
                              "  {\n"
                              "    \"page\": " +
                              kite +
                              ",\n"
                              "    \"line\": 15,\n"
                              "    \"kind\": \"view-cart\",\n"
                              "    \"caption\": \"View Shopping Cart\",\n"
                              "    \"merchant\": \"401122\",\n"
                              "    \"company\": \"Kites & \\\"Co\\\"\",\n"
                              "    \"action\": \"http://cart.example.com/cart\",\n"
                              "    \"currency\": \"$\",\n"
                              "    \"shopcolors\": \"\",\n"
                              "    \"problems\": []\n"
                              "  }\n"
                              "]\n");
    // Passed back, the values build the same button.
    EXPECT_EQ(built({"purchase",
                     "--sku",
                     "K1",
                     "--price",
                     "12.5",
                     "--description",
                     "Delta",
                     "--weight",
                     "0",
                     "--caption",
                     "Add To Shopping Cart",
                     "--no-jump",
                     "--quantity-lock",
                     "2",
                     "--discount",
                     "10=11",
                     "--option-style",
                     "radio",
                     "--option-data",
                     "List 1;Red;Blue (add $1);\n"}),
              built({"purchase", "--sku", "K1", "--price", "12.50", "--description", "Delta",
                     "--option-data", "Colour;Red;Blue (add $1);\n", "--option-style", "radio",
                     "--discount", "10=11", "--quantity-lock", "2", "--no-jump"}));
}

TEST_F(SnippetsCliTest, TellsADamagedFormAndAPageItCannotRead) {
    const std::string damaged =
        page("damaged.html", "<form action=x><input type=submit name=additem value=Add>"
                             "<input type=hidden name=merchant value=1>"
                             "<input type=hidden name=price value=9></form>\n");
    const std::string missing = (m_dir / "missing.html").string();
    const std::string korean = page("korean.html", "<meta charset=\"euc-kr\">");
    Result result = cli({"snippets", missing, damaged, korean});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, damaged + ":2: purchase (no SKU) (no price) (damaged: no sku field; "
                                    "the price has no \"$\"; no description field; no weight "
                                    "field; no taxable field; no merchantname field)\n");
    EXPECT_THAT(result.err, HasSubstr("missing.html"));
    EXPECT_THAT(result.err, HasSubstr(korean + ": The page is encoded as euc-kr"));

    result = cli({"snippets", "--json", damaged});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(result.out, HasSubstr("\"sku\": null,\n"));
    EXPECT_THAT(result.out,
                HasSubstr("\"problems\": [\"no sku field\", \"the price has no \\\"$\\\"\""));

    EXPECT_EQ(cli({"snippets"}).exitCode, 2);
    EXPECT_EQ(cli({"snippets", "--json"}).exitCode, 2);
    // An empty page has no forms: an empty list.
    result = cli({"snippets", "--json", page("empty.html", "")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "[]\n");
}

} // namespace vendaxo::test
