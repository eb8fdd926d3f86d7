#include "scratch_store.h"
#include "shell/merchant_profile.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;

class MerchantProfileTest : public ::testing::Test {
protected:
    void install(const std::string& serial, const std::string& company) {
        const std::string key(kInstallationKey);
        m_store.writeAll({{key,
                           {{"Serial", RegValue::string(serial)},
                            {"Company", RegValue::string(company)},
                            {"CGIPath", RegValue::string("https://cart.example/cgi")},
                            {"CGIRetrive", RegValue::string("https://cart.example/orders")},
                            {"HelpFile", RegValue::string("C:\\Vendaxo\\Vdxfp.hlp")},
                            {"VDXDir", RegValue::string("C:\\Vendaxo")}}}});
    }
    void writeFor(const std::string& merchant, std::string_view name, std::string_view value) {
        m_store.writeValue(std::string(kInstallationKey) + "\\" + merchant, name,
                           RegValue::string(value));
    }

    ScratchStore m_scratch;
    SettingsStore& m_store = m_scratch.store();
};

TEST_F(MerchantProfileTest, SingleMerchantLoadReadsItsValuesAndMarksTheCheckoutPage) {
    install("111", "Acme");
    writeFor("111", "OURL", "http://acme.example/");
    writeFor("111", "OChk", "something old");
    writeFor("111", "OCnf", "Thanks!");
    const Installation installation = Installation::load(m_store);
    EXPECT_FALSE(installation.hasSeveralMerchants());
    EXPECT_EQ(installation.helpFile, "C:\\Vendaxo\\Vdxfp.hlp");
    EXPECT_EQ(installation.folder, "C:\\Vendaxo");

    const MerchantProfile profile = loadSingleMerchant(m_store, installation);
    EXPECT_EQ(m_store.merchantNumber(), "111");
    EXPECT_EQ(profile.merchantNumber, "111");
    EXPECT_EQ(profile.companyName, "Acme");
    EXPECT_EQ(profile.cartServerAddress, "https://cart.example/cgi");
    EXPECT_EQ(profile.orderRetrievalAddress, "https://cart.example/orders");
    EXPECT_EQ(profile.mainPageAddress, "http://acme.example/");
    EXPECT_EQ(profile.checkoutPage, "Using VDX Network...");
    EXPECT_EQ(m_store.readMerchant("OChk"), "Using VDX Network...");
    EXPECT_EQ(profile.confirmationMessage, "Thanks!");
    EXPECT_EQ(profile.currencySymbol, "$") << "no stored currency means dollars";
    EXPECT_EQ(profile.moneySign, "$");
}

TEST_F(MerchantProfileTest, EmptyStoreGivesAnEmptyProfileWithDollars) {
    const MerchantProfile profile = loadSingleMerchant(m_store, Installation::load(m_store));
    EXPECT_EQ(profile.merchantNumber, "");
    EXPECT_EQ(profile.cartServerAddress, "");
    EXPECT_EQ(profile.currencySymbol, "$");
}

TEST_F(MerchantProfileTest, ChooserListsAreTrimmedAndPairedByPosition) {
    install(" 111 ; 222;333", "A ;B");
    const Installation installation = Installation::load(m_store);
    EXPECT_TRUE(installation.hasSeveralMerchants());
    EXPECT_THAT(installation.merchantNumbers(), ElementsAre("111", "222", "333"));
    EXPECT_THAT(installation.companyNames(), ElementsAre("A", "B"));

    writeFor("222", "Currency", "EUR");
    writeFor("222", "OChk", "kept as stored");
    const MerchantProfile b = loadChosenMerchant(m_store, installation, 1);
    EXPECT_EQ(b.merchantNumber, "222");
    EXPECT_EQ(b.companyName, "B");
    EXPECT_EQ(b.currencySymbol, "EUR");
    EXPECT_EQ(b.checkoutPage, "kept as stored") << "the chooser reads OChk instead of forcing it";
    EXPECT_EQ(m_store.merchantKeyPath(), std::string(kInstallationKey) + "\\222");

    const MerchantProfile third = loadChosenMerchant(m_store, installation, 2);
    EXPECT_EQ(third.merchantNumber, "333");
    EXPECT_EQ(third.companyName, "") << "no company entry at that position";
}

TEST_F(MerchantProfileTest, ReloadPicksUpChangedValuesOfTheCurrentMerchant) {
    install("111;222", "A;B");
    MerchantProfile profile = loadChosenMerchant(m_store, Installation::load(m_store), 0);
    EXPECT_EQ(profile.mainPageAddress, "");
    m_store.writeMerchant("OURL", "http://a.example/");
    m_store.writeMerchant("Currency", "");
    reloadMerchantValues(m_store, profile);
    EXPECT_EQ(profile.mainPageAddress, "http://a.example/");
    EXPECT_EQ(profile.currencySymbol, "$");
    EXPECT_EQ(profile.merchantNumber, "111");
}

TEST(SplitList, KeepsEmptyEntries) {
    EXPECT_THAT(splitList("a;;b;", ';'), ElementsAre("a", "", "b", ""));
    EXPECT_THAT(splitList("", ';'), ElementsAre(""));
    EXPECT_EQ(trimmed("  x y \t"), "x y");
}

} // namespace vendaxo::test
