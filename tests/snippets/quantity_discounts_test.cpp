#include "snippets/quantity_discounts.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;

TEST(QuantityDiscounts, EntriesKeepTheirOrderAndTravelAsOneText) {
    QuantityDiscounts discounts;
    discounts.add("20", "9");
    discounts.add("10", "9.5");
    EXPECT_THAT(discounts.entries(), ElementsAre("20 - $9;", "10 - $9.5;"));
    EXPECT_EQ(discounts.snippetText(), "20-9;10-9.5;");
    EXPECT_TRUE(discounts.hasQuantity("10"));
    EXPECT_FALSE(discounts.hasQuantity("1"));
    EXPECT_EQ(QuantityDiscounts::quantityOf("100 - $7.25;"), "100");
    EXPECT_EQ(QuantityDiscounts::priceOf("100 - $7.25;"), "7.25");

    discounts.setPrice(1, "8");
    EXPECT_EQ(discounts.entries()[1], "10 - $8;");
    discounts.remove(0);
    EXPECT_THAT(discounts.entries(), ElementsAre("10 - $8;"));
    EXPECT_EQ(QuantityDiscounts().snippetText(), "");
}

TEST(QuantityDiscounts, StoredFormIsOneEntryPerCrLfLine) {
    QuantityDiscounts discounts;
    discounts.add("5", "0");
    discounts.add("10", "4.5");
    EXPECT_EQ(discounts.stored(), "5 - $0;\r\n10 - $4.5;\r\n");
    EXPECT_EQ(QuantityDiscounts::fromStored(discounts.stored()), discounts);
    EXPECT_THAT(QuantityDiscounts::fromStored("1 - $2;\n\n3 - $4;").entries(),
                ElementsAre("1 - $2;", "3 - $4;"));
    EXPECT_TRUE(QuantityDiscounts::fromStored("").empty());
}

TEST(QuantityDiscounts, TypedEntriesAreNormalisedAndRefusedAsTheDialogRefusesThem) {
    QuantityDiscounts discounts;
    EXPECT_EQ(discounts.addTyped(" 10.7 items", "$9.50"), DiscountRefusal::None);
    EXPECT_EQ(discounts.addTyped("20", ""), DiscountRefusal::None);
    EXPECT_THAT(discounts.entries(), ElementsAre("10 - $9.5;", "20 - $0;"));
    EXPECT_EQ(discounts.addTyped("10", "1"), DiscountRefusal::QuantityExists);
    EXPECT_EQ(discounts.addTyped("ten", "1"), DiscountRefusal::NotWholeNumber);
    EXPECT_EQ(discounts.addTyped("0", "1"), DiscountRefusal::NotWholeNumber);
    EXPECT_EQ(discounts.checkTypedQuantity("020"), DiscountRefusal::QuantityExists);
    EXPECT_EQ(discounts.checkTypedQuantity("30"), DiscountRefusal::None);
    EXPECT_EQ(discounts.entries().size(), 2u) << "nothing refused was added";
}

} // namespace vendaxo::test
