#include "scratch_store.h"
#include "snippets/product.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

class ProductDefaultsTest : public ::testing::Test {
protected:
    ProductDefaultsTest() { m_store.setMerchantNumber("111"); }
    ScratchStore m_scratch;
    SettingsStore& m_store = m_scratch.store();
};

namespace {

Product richProduct() {
    Product product;
    product.sku = "KITE-1";
    product.price = "$39.50";
    product.description = "Delta kite";
    product.weight = "1.2";
    product.caption = "Buy";
    product.nonTaxable = true;
    product.freeShipping = true;
    product.quantityDiscount = true;
    product.discounts.add("10", "35");
    product.discounts.add("20", "30");
    product.quantityLock = true;
    product.fixedQuantity = "2";
    product.noMinimums = true;
    product.optionsEnabled = true;
    product.optionStyle = OptionStyle::Radio;
    product.options.rebuild("Colour;Red;Blue (add $1);\n");
    product.carriedText = "kept 1";
    product.carriedText2 = "kept 2";
    return product;
}

} // namespace

TEST_F(ProductDefaultsTest, SavesTheNineteenValuesInOrderWithTheirEncodings) {
    ProductDefaults::save(m_store, richProduct());
    // The SKU is never stored.
    expectWrittenInOrder(m_store,
                         {"PPrc", "PBut", "PWgt", "PDes", "POpt", "POpt2", "PQty", "PTax", "PQcb",
                          "PShip", "PNoJump", "PFractional", "PQlock", "PQlockVal", "PQNoMin",
                          "PQInBox", "POptionEnable", "POptionStyle", "POptionData"});
    EXPECT_EQ(m_store.readMerchant("PPrc"), "$39.50") << "the price as typed";
    EXPECT_EQ(m_store.readMerchant("PQty"), "10 - $35;\r\n20 - $30;\r\n");
    EXPECT_EQ(m_store.readMerchant("PTax"), "true");
    EXPECT_EQ(m_store.readMerchant("PNoJump"), "false");
    EXPECT_EQ(m_store.readMerchant("POptionStyle"), "1");
    EXPECT_EQ(m_store.readMerchant("POptionData"), "Colour;Red;Blue (add $1);\n");
}

TEST_F(ProductDefaultsTest, PasteGivesBackWhatWasSavedWithoutTheSku) {
    const Product saved = richProduct();
    ProductDefaults::save(m_store, saved);
    Product pasted;
    pasted.sku = "typed before";
    ProductDefaults::paste(m_store, pasted);
    Product expected = saved;
    expected.sku.clear();
    EXPECT_EQ(pasted, expected);
}

TEST_F(ProductDefaultsTest, NeverSavedPastesEmptyAndKeepsTheLists) {
    Product product;
    product.options.rebuild("Size;S;\n");
    product.weight = "3";
    ProductDefaults::paste(m_store, product);
    EXPECT_EQ(product.weight, "");
    EXPECT_EQ(product.caption, "");
    EXPECT_EQ(product.fixedQuantity, "");
    EXPECT_FALSE(product.optionsEnabled);
    EXPECT_EQ(product.optionStyle, OptionStyle::DropDown) << "an empty style is Drop Down";
    EXPECT_EQ(product.options.data(), "Size;S;\n") << "empty option data leaves the lists";

    m_store.writeMerchant("POptionStyle", "-1");
    ProductDefaults::paste(m_store, product);
    EXPECT_EQ(product.optionStyle, OptionStyle::None);
}

TEST_F(ProductDefaultsTest, PastingRunsTheCheckBoxRulesInOrder) {
    m_store.writeMerchant("PFractional", "true");
    m_store.writeMerchant("PQlock", "true");
    Product product;
    ProductDefaults::paste(m_store, product);
    EXPECT_TRUE(product.quantityLock);
    EXPECT_FALSE(product.noFractional) << "the lock, pasted after, wins";

    m_store.writeMerchant("PQInBox", "true");
    ProductDefaults::paste(m_store, product);
    EXPECT_TRUE(product.quantityBox);
    EXPECT_FALSE(product.quantityLock) << "the quantity box, pasted last, switches the lock off";
}

TEST(ProductRules, CheckingABoxUnchecksTheOnesItExcludes) {
    Product product;
    product.noFractional = true;
    product.quantityBox = true;
    product.setQuantityLock(true);
    EXPECT_FALSE(product.noFractional);
    EXPECT_FALSE(product.quantityBox);
    product.setQuantityBox(true);
    EXPECT_FALSE(product.quantityLock);
    product.quantityLock = true;
    product.setQuantityBox(true);
    EXPECT_TRUE(product.quantityLock) << "a box that does not change runs no rule";
    product.setNoFractional(true);
    EXPECT_FALSE(product.quantityLock);
    EXPECT_EQ(product.taxable(), "yes");
    product.nonTaxable = true;
    EXPECT_EQ(product.taxable(), "no");
}

TEST(ProductRules, ADescriptionIsOneLineWithoutQuotationMarks) {
    EXPECT_TRUE(Product::isAllowedDescription("Delta Kite, 1.4 m"));
    EXPECT_FALSE(Product::isAllowedDescription("Delta Kite \"Harbour\" edition"));
    EXPECT_EQ(Product::descriptionLine("Delta\r\nKite\nRed\rBlue"), "Delta Kite Red Blue");
    EXPECT_EQ(Product::descriptionLine("Delta\r\n\r\nKite"), "Delta  Kite")
        << "one blank for each line break, so the caret can stay where it was";
}

TEST(ProductRules, TheOptionListsTravelAsOneValue) {
    Product product;
    ProductOptions lists{true, OptionStyle::Radio, {}};
    lists.grid.rebuild("Size;S;M;\n");
    product.setOptionLists(lists);
    EXPECT_TRUE(product.optionsEnabled);
    EXPECT_EQ(product.optionStyle, OptionStyle::Radio);
    EXPECT_EQ(product.options.data(), "Size;S;M;\n");
    EXPECT_EQ(product.optionLists(), lists);
    EXPECT_EQ(Product{}.optionLists(), ProductOptions{}) << "both start from the same lists";
}

} // namespace vendaxo::test
