#include "base/error.h"
#include "snippets/checkout_choices.h"
#include "snippets/purchase_values.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;

namespace {

std::string refusalOf(const PurchaseValues& values, const Product& start = {}) {
    try {
        values.toProduct(start);
    } catch (const RefusedValue& refused) {
        return refused.name() + "|" + refused.value() + "|" + refused.what();
    }
    return "taken";
}

} // namespace

TEST(PurchaseValues, NothingGivenLeavesTheStartAsItIs) {
    Product start;
    start.sku = "K-1";
    start.setQuantityLock(true);
    start.fixedQuantity = "3";
    start.discounts.add("10", "9");
    EXPECT_EQ(PurchaseValues().toProduct(start), start);
    EXPECT_EQ(PurchaseValues().toProduct(), Product());
}

TEST(PurchaseValues, GivenValuesReplaceTheStartsAndTheBoxRulesRun) {
    Product start;
    start.price = "5";
    start.description = "Kite";
    start.freeShipping = true;
    start.setQuantityLock(true);
    start.fixedQuantity = "2";

    PurchaseValues values;
    values.sku = "K-2";
    values.weight = "1.5";
    values.nonTaxable = true;
    values.freeShipping = false;
    values.quantityBox = true;
    const Product product = values.toProduct(start);
    EXPECT_EQ(product.sku, "K-2");
    EXPECT_EQ(product.price, "5") << "not given: as it was";
    EXPECT_EQ(product.description, "Kite");
    EXPECT_EQ(product.weight, "1.5");
    EXPECT_TRUE(product.nonTaxable);
    EXPECT_FALSE(product.freeShipping) << "a value given as false clears the box";
    EXPECT_TRUE(product.quantityBox);
    EXPECT_FALSE(product.quantityLock) << "the quantity box excludes the lock";

    PurchaseValues lock;
    lock.noFractional = true;
    lock.quantityLock = "6";
    const Product locked = lock.toProduct();
    EXPECT_TRUE(locked.quantityLock);
    EXPECT_EQ(locked.fixedQuantity, "6");
    EXPECT_FALSE(locked.noFractional) << "the lock comes last and excludes it";
}

TEST(PurchaseValues, OptionDataEnablesTheListsAsDropDownsUnlessAStyleIsGiven) {
    PurchaseValues values;
    values.optionData = "Colour;Red;Blue;";
    Product product = values.toProduct();
    EXPECT_TRUE(product.optionsEnabled);
    EXPECT_EQ(product.optionStyle, OptionStyle::DropDown);
    EXPECT_EQ(product.options.data(), "Colour;Red;Blue;\n") << "the last list ends its line";

    Product radio;
    radio.optionStyle = OptionStyle::Radio;
    EXPECT_EQ(values.toProduct(radio).optionStyle, OptionStyle::DropDown);
    values.optionStyle = std::string(kRadioOptionStyle);
    EXPECT_EQ(values.toProduct().optionStyle, OptionStyle::Radio);
    PurchaseValues styleOnly;
    styleOnly.optionStyle = std::string(kDropDownOptionStyle);
    EXPECT_EQ(styleOnly.toProduct(radio).optionStyle, OptionStyle::DropDown);
    EXPECT_FALSE(styleOnly.toProduct(radio).optionsEnabled);
}

TEST(PurchaseValues, DiscountsAreAddedInOrderAndARefusedOneIsNamed) {
    PurchaseValues values;
    values.discounts = {"10=9.50", "20", "5=$4"};
    EXPECT_THAT(values.toProduct().discounts.entries(),
                ElementsAre("10 - $9.5;", "20 - $0;", "5 - $4;"));

    Product start;
    start.discounts.add("10", "8");
    PurchaseValues again;
    again.discounts = {"10.0=7"};
    EXPECT_EQ(refusalOf(again, start),
              "discount|10.0=7|You cannot add a quantity that already exists");
    again.discounts = {"none=7"};
    EXPECT_EQ(refusalOf(again), "discount|none=7|the quantity must be a whole number.");
}

TEST(PurchaseValues, EqualWhenEveryValueIs) {
    PurchaseValues a;
    a.sku = "K";
    a.discounts = {"2=1"};
    PurchaseValues b = a;
    EXPECT_EQ(a, b);
    b.noJump = false;
    EXPECT_NE(a, b) << "given as false is not the same as not given";
}

TEST(CheckoutValues, ApplyOverTheShownBoxesOrNameWhatTheDialogCouldNotHold) {
    CheckoutChoices shown;
    shown.setRequiredCodes("1");
    EXPECT_EQ(CheckoutValues().toChoices(shown), shown);

    CheckoutValues values;
    values.cards = "17";
    values.require = "ab";
    values.button = "Send";
    const CheckoutChoices choices = values.toChoices(shown);
    EXPECT_EQ(choices.paymentCodes(), "17");
    EXPECT_EQ(choices.requiredCodes(), "ab");
    EXPECT_EQ(choices.buttonText, "Send");

    const auto refusal = [&](CheckoutValues refused) {
        try {
            refused.toChoices(shown);
        } catch (const RefusedValue& error) {
            return error.name() + "|" + error.what();
        }
        return std::string("taken");
    };
    EXPECT_EQ(refusal({"8", {}, {}}), "cards|takes only the digits 1 to 7");
    EXPECT_EQ(refusal({{}, "e", {}}), "require|takes only the characters 1 to 9 and a to d");
    EXPECT_EQ(refusal({{}, {}, ""}), "button|the send button needs a text");
}

} // namespace vendaxo::test
