#include "shell/cli_fixture.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;
using ::testing::Not;

class PurchaseCliTest : public CliTest {
protected:
    void SetUp() override {
        ASSERT_EQ(cli({"install", "--serial", "401122", "--company", "Kites", "--cart-url",
                       "https://cart.example.com/cart", "--retrieve-url", "x"})
                      .exitCode,
                  0);
    }
};

TEST_F(PurchaseCliTest, BuildsTheDialogsSnippetFromFlags) {
    writeFile(m_dir / "kite.vdx", "Colour;Red;Blue (add $1);\r\n\r\n");
    const Result result = cli({"purchase",
                               "--sku",
                               "K1",
                               "--price",
                               "$12.50",
                               "--description",
                               "Delta",
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
                               "--options",
                               (m_dir / "kite.vdx").string(),
                               "--discount",
                               "10=9.5",
                               "--discount",
                               "20=$9"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "<form method=\"POST\" action=\"http://cart.example.com/cart\">\n"
                          "<input type=\"submit\" value=\"Buy\" name=\"additem\">\n"
                          "<p><select size=\"1\" name=\"vdx_prodoptions0\">\n"
                          "<option value=\"+0;Red;1\">Red</option>\n"
                          "<option value=\"+1;Blue;2\">Blue (add $1)</option>\n"
                          "</select></p>\n"
                          "<input type=\"hidden\" value=\"K1\" name=\"sku\">\n"
                          "<input type=\"hidden\" value=\"$12.5\" name=\"price\">\n"
                          "<input type=\"hidden\" value=\"Delta\" name=\"description\">\n"
                          "<input type=\"hidden\" value=\"2\" name=\"weight\">\n"
                          "<input type=\"hidden\" value=\"yes\" name=\"ship_free\">\n"
                          "<input type=\"hidden\" value=\"10-9.5;20-9;\" name=\"quantity\">\n"
                          "<input type=\"hidden\" name=\"quantity_lock\" value=\"3\">\n"
                          "<input type=\"hidden\" name=\"vdx_minimumquantity\" value=\"no\">\n"
                          "<input type=\"hidden\" name=\"vdx_no_shopping_cart\" value=\"yes\">\n"
                          "<input type=\"hidden\" value=\"no\" name=\"taxable\">\n"
                          "<input type=\"hidden\" value=\"Kites\" name=\"merchantname\">\n"
                          "<input type=\"hidden\" value=\"401122\" name=\"merchant\">\n"
                          "</form>\n");
}

TEST_F(PurchaseCliTest, DefaultsArePastedAndFlagsOverrideThem) {
    cli({"set", "PPrc", "20"});
    cli({"set", "PDes", "Box kite"});
    cli({"set", "PShip", "true"});
    cli({"set", "PQty", "5 - $18;\r\n"});
    cli({"set", "POptionEnable", "true"});
    cli({"set", "POptionStyle", "1"});
    cli({"set", "POptionData", "Size;S;\n"});
    const Result result = cli({"purchase", "--defaults", "--sku", "B1", "--price", "19"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("value=\"$19\" name=\"price\""));
    EXPECT_THAT(result.out, HasSubstr("value=\"Box kite\" name=\"description\""));
    EXPECT_THAT(result.out, HasSubstr("name=\"ship_free\""));
    EXPECT_THAT(result.out, HasSubstr("value=\"5-18;\" name=\"quantity\""));
    EXPECT_THAT(result.out, HasSubstr("<input type=\"radio\" name=\"vdx_prodoptions0\""));
    EXPECT_THAT(result.out, HasSubstr("value=\"\" name=\"weight\""))
        << "a weight never saved pastes empty";

    const Result withoutDefaults = cli({"purchase", "--sku", "B1", "--price", "19"});
    EXPECT_EQ(withoutDefaults.exitCode, 2) << "no description, as a disabled Insert";
}

TEST_F(PurchaseCliTest, RefusesWhatTheDialogWouldNotTake) {
    const std::vector<std::string> base = {"purchase", "--sku",         "a", "--price",
                                           "1",        "--description", "d"};
    const auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = base;
        args.insert(args.end(), extra.begin(), extra.end());
        return cli(args);
    };
    EXPECT_EQ(with({"--quantity-lock", "2", "--quantity-box"}).exitCode, 2);
    EXPECT_EQ(with({"--option-style", "list"}).exitCode, 2);
    const Result duplicate = with({"--discount", "10=1", "--discount", "10.7=2"});
    EXPECT_EQ(duplicate.exitCode, 1);
    EXPECT_THAT(duplicate.err, HasSubstr("You cannot add a quantity that already exists"));
    EXPECT_EQ(with({"--discount", "abc=1"}).exitCode, 1);
    EXPECT_EQ(with({"--options", (m_dir / "missing.vdx").string()}).exitCode, 1);
    const Result priceOnly = with({"--discount", "7"});
    EXPECT_THAT(priceOnly.out, HasSubstr("value=\"7-0;\" name=\"quantity\""))
        << "a discount without a price costs 0, as a cancelled price box";
    EXPECT_THAT(with({}).out, Not(HasSubstr("vdx_prodoptions")));
}

TEST_F(PurchaseCliTest, ShowsTheListsOfAnOptionFile) {
    writeFile(m_dir / "o.vdx", "Colour;Red;Blue (add $1);\nSize;S;\n\n");
    const Result shown = cli({"options-file", "show", (m_dir / "o.vdx").string()});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.out, "Colour: Red, Blue (add $1)\nSize: S\n");
}

} // namespace vendaxo::test
