#include "shell/cli_fixture.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

class CatalogueCliTest : public CliTest {
protected:
    void SetUp() override {
        ASSERT_EQ(cli({"install", "--serial", "401122", "--company", "Kites", "--cart-url",
                       "https://cart.example.com/cart", "--retrieve-url", "x"})
                      .exitCode,
                  0);
        writeFile(m_dir / "kite.vdx", "Colour;Red;Blue (add $1);\r\n\r\n");
        writeFile(m_dir / "list.csv",
                  "sku;price;description;weight;caption;free-shipping;non-taxable;no-jump;"
                  "no-fractional;no-minimums;quantity-box;quantity-lock;discounts;options;"
                  "option-data;option-style\r\n"
                  "K1;$12.50;Delta kite;2;Buy;yes;yes;yes;;yes;;3;\"10=9.5;20=$9\";kite.vdx;;\r\n"
                  "K2;7;Box kite & more;;;;;;1;;true;;;;\"Size;S;M (add $2);\";radio\r\n"
                  "K3;0.5;Drachen gr\xFCn;1.25;;;;;;;;;;;;\r\n");
    }

    // The purchase command for each row of list.csv, with the same values.
    std::vector<std::vector<std::string>> purchaseCommands() const {
        return {
            {"purchase",
             "--sku",
             "K1",
             "--price",
             "$12.50",
             "--description",
             "Delta kite",
             "--weight",
             "2",
             "--caption",
             "Buy",
             "--free-shipping",
             "--non-taxable",
             "--no-jump",
             "--no-minimums",
             "--quantity-lock",
             "3",
             "--discount",
             "10=9.5",
             "--discount",
             "20=$9",
             "--options",
             (m_dir / "kite.vdx").string()},
            {"purchase", "--sku", "K2", "--price", "7", "--description", "Box kite & more",
             "--no-fractional", "--quantity-box", "--option-data", "Size;S;M (add $2);",
             "--option-style", "radio"},
            {"purchase", "--sku", "K3", "--price", "0.5", "--description", "Drachen grün",
             "--weight", "1.25"},
        };
    }
};

TEST_F(CatalogueCliTest, EachRowGivesTheBytesOfThePurchaseCommandWithTheSameValues) {
    const Result catalogue = cli({"catalogue", (m_dir / "list.csv").string()});
    ASSERT_EQ(catalogue.exitCode, 0) << catalogue.err;
    EXPECT_EQ(catalogue.err, "") << "no progress line where standard error is no terminal";
    std::string expected;
    for (const auto& command : purchaseCommands()) {
        const Result one = cli(command);
        ASSERT_EQ(one.exitCode, 0) << one.err;
        expected += one.out;
    }
    EXPECT_EQ(catalogue.out, expected);
}

TEST_F(CatalogueCliTest, IntoAPageTheButtonsGoWhereThePurchaseCommandPutsThem) {
    const std::string page = "<html><body>\r\n<p>Kites f\xFCr alle</p>\r\n"
                             "<!--vendaxo:caret-->\r\n</body></html>\r\n";
    writeFile(m_dir / "page.html", page);
    writeFile(m_dir / "one-by-one.html", page);
    const Result catalogue =
        cli({"catalogue", (m_dir / "list.csv").string(), "--into", (m_dir / "page.html").string()});
    ASSERT_EQ(catalogue.exitCode, 0) << catalogue.err;
    EXPECT_EQ(catalogue.out, "");
    for (auto command : purchaseCommands()) {
        command.insert(command.end(), {"--into", (m_dir / "one-by-one.html").string()});
        ASSERT_EQ(cli(command).exitCode, 0);
    }
    const std::string inserted = readFile(m_dir / "page.html");
    EXPECT_EQ(inserted, readFile(m_dir / "one-by-one.html"));
    EXPECT_THAT(inserted, ::testing::HasSubstr("Drachen gr\xFCn")) << "the page's encoding kept";
    // In row order, before the caret marker.
    const auto at = [&](const std::string& text) {
        return inserted.find(text);
    };
    EXPECT_LT(at("Kites f\xFCr alle"), at("value=\"K1\""));
    EXPECT_LT(at("value=\"K1\""), at("value=\"K2\""));
    EXPECT_LT(at("value=\"K2\""), at("value=\"K3\""));
    EXPECT_LT(at("value=\"K3\""), at("<!--vendaxo:caret-->"));
}

TEST_F(CatalogueCliTest, AListWithErrorsWritesNothingAndNamesEveryError) {
    const std::string list = (m_dir / "bad.csv").string();
    writeFile(list, "sku;price;description;weight\n"
                    "K1;12,50;Delta kite;\n"
                    "K2;3;Box kite;1\n"
                    "K1;4;\"Sled\nwith tail\";2 kg\n");
    const std::string page = "<body>\n<!--vendaxo:caret-->\n</body>\n";
    writeFile(m_dir / "page.html", page);
    for (const bool intoPage : {false, true}) {
        std::vector<std::string> args = {"catalogue", list};
        if (intoPage)
            args.insert(args.end(), {"--into", (m_dir / "page.html").string()});
        const Result result = cli(args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err,
                  "vendaxo-cli: " + list +
                      ", line 2, column 2 (price): \"12,50\" is not a plain amount: digits with "
                      "one \".\" at most (as 12.50), no thousands separator, no sign\n"
                      "vendaxo-cli: " +
                      list + ", line 4, column 1 (sku): the SKU is already on line 2\n" +
                      "vendaxo-cli: " + list +
                      ", line 5, column 4 (weight): \"2 kg\" is not a plain number: digits with "
                      "one \".\" at most (as 1.5), no unit, no sign\n"
                      "vendaxo-cli: 3 errors in the list; nothing was inserted.\n");
        EXPECT_EQ(readFile(m_dir / "page.html"), page);
    }
    const Result missing = cli({"catalogue", (m_dir / "missing.csv").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, ::testing::HasSubstr("missing.csv"));
}

} // namespace vendaxo::test
