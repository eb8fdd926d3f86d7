#include "shell/merchant_profile.h"
#include "snippets/product.h"
#include "snippets/purchase_snippet.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

MerchantProfile kites() {
    MerchantProfile profile;
    profile.merchantNumber = "401122";
    profile.companyName = "Harbour Lane Kites";
    profile.cartServerAddress = "HTTPS://cart.example.com/cgi-bin/cart";
    profile.currencySymbol = "$";
    profile.moneySign = "$";
    return profile;
}

Product basic() {
    Product product;
    product.sku = "K1";
    product.price = "12.50";
    product.description = "Delta Kite";
    return product;
}

} // namespace

TEST(PurchaseSnippet, PlainProduct) {
    EXPECT_EQ(buildPurchaseSnippet(basic(), kites(), ""),
              "<form method=\"POST\" action=\"http://cart.example.com/cgi-bin/cart\">\n"
              "<input type=\"submit\" value=\"Add To Shopping Cart\" name=\"additem\">\n"
              "<input type=\"hidden\" value=\"K1\" name=\"sku\">\n"
              "<input type=\"hidden\" value=\"$12.5\" name=\"price\">\n"
              "<input type=\"hidden\" value=\"Delta Kite\" name=\"description\">\n"
              "<input type=\"hidden\" value=\"0\" name=\"weight\">\n"
              "<input type=\"hidden\" value=\"yes\" name=\"taxable\">\n"
              "<input type=\"hidden\" value=\"Harbour Lane Kites\" name=\"merchantname\">\n"
              "<input type=\"hidden\" value=\"401122\" name=\"merchant\">\n"
              "</form>\n");
}

TEST(PurchaseSnippet, RichProductHasEveryPieceInOrder) {
    Product product = basic();
    product.sku = "K\"2\"";
    product.price = "$1,000";
    product.weight = "";
    product.caption = "Buy now";
    product.quantityBox = true;
    product.optionsEnabled = true;
    product.options.rebuild("Size;Small;Large (add EUR2.50);\n");
    product.freeShipping = true;
    product.discounts.add("10", "9.5");
    product.discounts.add("20", "9");
    product.quantityLock = true; // with the box and the fractional rule, as a stored mix may hold
    product.fixedQuantity = "0";
    product.noFractional = true;
    product.noMinimums = true;
    product.noJump = true;
    product.nonTaxable = true;
    MerchantProfile profile = kites();
    profile.currencySymbol = "EUR";
    EXPECT_EQ(buildPurchaseSnippet(product, profile, "-1,255"),
              "<form method=\"POST\" action=\"http://cart.example.com/cgi-bin/cart\">\n"
              "<input type=\"text\" name=\"vdx_quantity_input\" size=\"4\" value=\"1\">\n"
              "<input type=\"submit\" value=\"Buy now\" name=\"additem\">\n"
              "<p><select size=\"1\" name=\"vdx_prodoptions0\">\n"
              "<option value=\"+0;Small;1\">Small</option>\n"
              "<option value=\"+2.50;Large;2\">Large (add EUR2.50)</option>\n"
              "</select></p>\n"
              "<input type=\"hidden\" value=\"K&quot;2&quot;\" name=\"sku\">\n"
              "<input type=\"hidden\" value=\"$1\" name=\"price\">\n"
              "<input type=\"hidden\" value=\"Delta Kite\" name=\"description\">\n"
              "<input type=\"hidden\" value=\"\" name=\"weight\">\n"
              "<input type=\"hidden\" value=\"yes\" name=\"ship_free\">\n"
              "<input type=\"hidden\" value=\"10-9.5;20-9;\" name=\"quantity\">\n"
              "<input type=\"hidden\" name=\"quantity_lock\" value=\"0\">\n"
              "<input type=\"hidden\" name=\"vdx_disallowfractionalquantity\" value=\"yes\">\n"
              "<input type=\"hidden\" name=\"vdx_minimumquantity\" value=\"no\">\n"
              "<input type=\"hidden\" name=\"vdx_no_shopping_cart\" value=\"yes\">\n"
              "<input type=\"hidden\" value=\"no\" name=\"taxable\">\n"
              "<input type=\"hidden\" value=\"Harbour Lane Kites\" name=\"merchantname\">\n"
              "<input type=\"hidden\" value=\"401122\" name=\"merchant\">\n"
              "<input type=\"hidden\" value=\"EUR\" name=\"currency\">\n"
              "<input type=\"hidden\" name=\"vdx_shopcolors\" value=\"-1,255\">\n"
              "</form>\n");
}

TEST(PurchaseSnippet, OptionalPiecesFollowTheirBoxes) {
    Product product = basic();
    product.quantityLock = true;
    product.fixedQuantity = "";
    product.options.rebuild("Size;S;\n");
    product.optionsEnabled = false;
    product.quantityDiscount = false;
    product.discounts.add("5", "0");
    const std::string html = buildPurchaseSnippet(product, kites(), "");
    EXPECT_THAT(html, Not(HasSubstr("quantity_lock"))) << "an emptied fixed quantity";
    EXPECT_THAT(html, Not(HasSubstr("vdx_prodoptions"))) << "options disabled keep no block";
    EXPECT_THAT(html, HasSubstr("value=\"5-0;\" name=\"quantity\""))
        << "discounts travel with their box unchecked";

    product.optionsEnabled = true;
    product.optionStyle = OptionStyle::None;
    EXPECT_THAT(buildPurchaseSnippet(product, kites(), ""), Not(HasSubstr("vdx_prodoptions")));
    product.optionStyle = OptionStyle::Radio;
    EXPECT_THAT(buildPurchaseSnippet(product, kites(), ""),
                HasSubstr("additem\">\n<p><input type=\"radio\""));
}

} // namespace vendaxo::test
