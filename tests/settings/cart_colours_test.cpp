#include "scratch_store.h"
#include "settings/cart_colours.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vendaxo::test {

TEST(CartColours, FreshListIsTwentyEightUnsetSlots) {
    const std::string text = CartColours().text();
    EXPECT_EQ(std::count(text.begin(), text.end(), ','), 27);
    EXPECT_EQ(text.substr(0, 6), "-1,-1,");
    EXPECT_EQ(text.substr(text.size() - 3), ",-1");
    EXPECT_EQ(CartColours::parse(text), CartColours());
}

TEST(CartColours, RoundTripsAndToleratesMalformedLists) {
    CartColours colours;
    colours.values[0] = colourValue(255, 0, 0);
    colours.values[1] = colourValue(0, 0, 128);
    colours.values[27] = 16777215;
    EXPECT_EQ(colours.values[1], 0x800000) << "0x00BBGGRR";
    EXPECT_EQ(CartColours::parse(colours.text()), colours);

    const CartColours parsed = CartColours::parse(" 255 , x,,12abc,99999999999,-5");
    EXPECT_EQ(parsed.values[0], 255) << "blanks are trimmed";
    EXPECT_EQ(parsed.values[1], CartColours::kUnset);
    EXPECT_EQ(parsed.values[2], CartColours::kUnset);
    EXPECT_EQ(parsed.values[3], CartColours::kUnset) << "trailing junk makes a slot unreadable";
    EXPECT_EQ(parsed.values[4], CartColours::kUnset) << "out of 32-bit range";
    EXPECT_EQ(parsed.values[5], -5);
    EXPECT_EQ(parsed.values[6], CartColours::kUnset) << "missing slots are unset";
    EXPECT_EQ(CartColours::parse(std::string(100, ',') + "7"), CartColours())
        << "slots past the 28th are ignored";
}

TEST(CartColours, SlotsOfEachElement) {
    EXPECT_EQ(CartColours::textSlot(0), 0u);
    EXPECT_EQ(CartColours::backgroundSlot(0), 1u);
    EXPECT_EQ(CartColours::textSlot(1), 4u);
    EXPECT_EQ(CartColours::backgroundSlot(12), 27u);
    EXPECT_EQ(kCartElements[12], "Buttons");
    const std::int32_t colour = colourValue(1, 2, 3);
    EXPECT_EQ(redOf(colour), 1);
    EXPECT_EQ(greenOf(colour), 2);
    EXPECT_EQ(blueOf(colour), 3);
}

TEST(CartColours, LoadAndSaveUseTheShopColoursValue) {
    ScratchStore scratch;
    SettingsStore& store = scratch.store();
    store.setMerchantNumber("1");
    CartColours colours;
    colours.values[4] = 65535;
    colours.save(store);
    EXPECT_EQ(store.readMerchant("shopcolors").substr(0, 15), "-1,-1,-1,-1,655");
    EXPECT_EQ(CartColours::load(store), colours);
}

} // namespace vendaxo::test
