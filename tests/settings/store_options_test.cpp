#include "scratch_store.h"
#include "settings/store_options.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;

class StoreOptionsTest : public ::testing::Test {
protected:
    StoreOptionsTest() { m_store.setMerchantNumber("111"); }
    ScratchStore m_scratch;
    SettingsStore& m_store = m_scratch.store();
};

TEST_F(StoreOptionsTest, EmptyStoreGivesTheDialogsDefaults) {
    const StoreOptions options = StoreOptions::load(m_store);
    EXPECT_TRUE(options.taxEntries.empty()) << "no built-in states: a cleared table stays cleared";
    EXPECT_EQ(options.currency, "$");
    EXPECT_EQ(options.mainPageAddress, "");
    EXPECT_EQ(options.confirmationMessage,
              "Your order has been successfully received.  We will notify you when it ships.");
    EXPECT_EQ(options.verificationType, 0);
    EXPECT_FALSE(options.taxShipping);
    EXPECT_FALSE(options.internationalShipping);
}

TEST_F(StoreOptionsTest, SaveWritesEveryValueInOrderAndLoadGivesItBack) {
    StoreOptions options;
    options.addTaxEntry("Texas");
    options.addTaxEntry("ohio = 6%");
    options.addTaxEntry("90210 = 8.25%");
    options.taxShipping = true;
    options.currency = "EUR";
    options.mainPageAddress = "http://kites.example/";
    options.checkoutPage = "Using VDX Network...";
    options.confirmationMessage = "Thanks!\r\nWe ship soon.";
    options.verificationType = 2;
    options.internationalShipping = true;
    EXPECT_THAT(options.taxEntries, ElementsAre("90210 = 8.25%", "ohio = 6%", "Texas"))
        << "sorted without regard to case";
    options.save(m_store);

    expectWrittenInOrder(m_store, {"OTax", "OURL", "OChk", "OCnf", "Currency", "taxshipping",
                                   "internationalship", "OCCVerifyType"});
    EXPECT_EQ(m_store.readMerchant("OTax"), "90210 = 8.25%\r\nohio = 6%\r\nTexas\r\n");
    EXPECT_EQ(m_store.readMerchant("taxshipping"), "yes");
    EXPECT_EQ(m_store.readMerchant("OCCVerifyType"), "2");
    EXPECT_EQ(StoreOptions::load(m_store), options);

    options.taxShipping = false;
    options.currency = "";
    options.save(m_store);
    EXPECT_EQ(m_store.readMerchant("taxshipping"), "");
    EXPECT_EQ(m_store.readMerchant("Currency"), "") << "an empty currency edit is saved empty";
    EXPECT_EQ(StoreOptions::load(m_store).currency, "$");
}

TEST_F(StoreOptionsTest, ShippingSummaryNamesTheMethodAndTheCharges) {
    EXPECT_EQ(shippingSummary(m_store), "User Choice\nHandling disabled\nInsurance disabled\n"
                                        "Global Discount disabled\nMinimum Restrictions disabled");
    m_store.writeMerchant("OSta", "5");
    m_store.writeMerchant("HandlingEnabled", "1");
    m_store.writeMerchant("MinimumShipping", "1");
    EXPECT_EQ(shippingSummary(m_store), "UPS Calculations\nHandling enabled\nInsurance disabled\n"
                                        "Global Discount disabled\nMinimum Restrictions enabled");
    m_store.writeMerchant("OSta", "9");
    EXPECT_THAT(shippingSummary(m_store), ::testing::StartsWith("User Choice\n"));
}

TEST(TaxRates, NormaliseAsTyped) {
    const std::pair<const char*, const char*> cases[] = {
        {"6%", "6"},     {"7.25%", "7.25"}, {"6", "6"},       {".5", "50"},  {"0.06", "6"},
        {"-3", "0"},     {"abc", "0"},      {"$5.00", "5"},   {"12%", "12"}, {"12.5%", "12.5"},
        {"100%", "100"}, {"", "0"},         {"8.25", "8.25"},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(taxRateText(typed), expected) << "typed: " << typed;
}

TEST(TaxEntries, NamesKeepTheStoredTableApart) {
    // One entry a line, read apart at the first " = ": the entry must read back
    // as the name it shows.
    EXPECT_EQ(addedTaxEntry("New\r\nYork", "6"), "New  York = 6%");
    EXPECT_EQ(addedTaxEntry("A = B", "6"), "A - B = 6%");
    EXPECT_EQ(addedTaxEntry("Ohio =", "6"), "Ohio - = 6%");
    EXPECT_EQ(editedTaxEntry("Ohio\n", "0"), "Ohio ");
    EXPECT_EQ(addedTaxEntry("=", "6"), "= = 6%");
    for (const char* typed : {"a = = b", "x =", "\r = \n", "Ohio ", " = $5 = "}) {
        const std::string entry = addedTaxEntry(typed, "6");
        EXPECT_EQ(taxEntryName(entry), listItemName(typed, " = ")) << typed;
        EXPECT_EQ(taxEntryRate(entry), "6") << typed;
    }
}

TEST(TaxEntries, AddEditAndTakeApart) {
    EXPECT_EQ(addedTaxEntry("Ohio", "6"), "Ohio = 6%");
    EXPECT_EQ(addedTaxEntry("Ohio", ".5"), "Ohio = 50%");
    EXPECT_EQ(addedTaxEntry("Ohio", ""), "Ohio = 0%");
    EXPECT_EQ(editedTaxEntry("Ohio", "0"), "Ohio") << "a zero rate edits to the bare name";
    EXPECT_EQ(editedTaxEntry("90210", "8.25%"), "90210 = 8.25%");
    EXPECT_EQ(editedTaxEntry("Ohio", "0.5%"), addedTaxEntry("Ohio", "0.5%"))
        << "an edit normalises the rate once, as an add does";
    EXPECT_EQ(taxEntryName("New York = 4%"), "New York");
    EXPECT_EQ(taxEntryRate("New York = 4%"), "4");
    EXPECT_EQ(taxEntryName("Texas"), "Texas");
    EXPECT_EQ(taxEntryRate("Texas"), "");
    EXPECT_EQ(kUsStates.front(), "Alabama");
    EXPECT_EQ(kUsStates[48], "Washington (State)");
    EXPECT_EQ(kUsStates.back(), "Wyoming");
}

TEST(MainPageAddress, NeedsOneOfTheFourPrefixes) {
    EXPECT_TRUE(hasWebPrefix("http://a"));
    EXPECT_TRUE(hasWebPrefix("see HTTPS://a"));
    EXPECT_TRUE(hasWebPrefix("https:/a"));
    EXPECT_FALSE(hasWebPrefix("Http://a")) << "the check takes exact case";
    EXPECT_FALSE(hasWebPrefix("www.example.com"));
}

} // namespace vendaxo::test
