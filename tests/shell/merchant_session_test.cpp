#include "scratch_store.h"
#include "shell/merchant_session.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;

class MerchantSessionTest : public ::testing::Test {
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
    void activate() { m_session.activate(Installation::load(m_store)); }

    ScratchStore m_scratch;
    SettingsStore& m_store = m_scratch.store();
    MerchantSession m_session{m_store};
    const MerchantProfile& m_profile = m_session.profile();
};

TEST_F(MerchantSessionTest, SingleMerchantLoadReadsItsValuesAndMarksTheCheckoutPage) {
    install("111", "Acme");
    writeFor("111", "OURL", "http://acme.example/");
    writeFor("111", "OChk", "something old");
    writeFor("111", "OCnf", "Thanks!");
    const Installation installation = Installation::load(m_store);
    EXPECT_FALSE(installation.hasSeveralMerchants());
    EXPECT_EQ(installation.helpFile, "C:\\Vendaxo\\Vdxfp.hlp");
    EXPECT_EQ(installation.folder, "C:\\Vendaxo");

    m_session.activate(installation);
    EXPECT_FALSE(m_session.needsChoice());
    EXPECT_EQ(m_store.merchantNumber(), "111");
    EXPECT_EQ(m_profile.merchantNumber, "111");
    EXPECT_EQ(m_profile.companyName, "Acme");
    EXPECT_EQ(m_profile.cartServerAddress, "https://cart.example/cgi");
    EXPECT_EQ(m_profile.orderRetrievalAddress, "https://cart.example/orders");
    EXPECT_EQ(m_profile.mainPageAddress, "http://acme.example/");
    EXPECT_EQ(m_profile.checkoutPage, "Using VDX Network...");
    EXPECT_EQ(m_store.readMerchant("OChk"), "Using VDX Network...");
    EXPECT_EQ(m_profile.confirmationMessage, "Thanks!");
    EXPECT_EQ(m_profile.currencySymbol, "$") << "no stored currency means dollars";
    EXPECT_EQ(m_profile.moneySign, "$");
}

TEST_F(MerchantSessionTest, EmptyStoreGivesAnEmptyProfileWithDollars) {
    activate();
    EXPECT_EQ(m_profile.merchantNumber, "");
    EXPECT_EQ(m_profile.cartServerAddress, "");
    EXPECT_EQ(m_profile.currencySymbol, "$");
}

TEST_F(MerchantSessionTest, ChooserListsAreTrimmedAndPairedByPosition) {
    install(" 111 ; 222;333", "A ;B");
    const Installation installation = Installation::load(m_store);
    EXPECT_TRUE(installation.hasSeveralMerchants());
    EXPECT_THAT(installation.merchantNumbers(), ElementsAre("111", "222", "333"));
    EXPECT_THAT(installation.companyNames(), ElementsAre("A", "B"));

    m_session.activate(installation);
    EXPECT_TRUE(m_session.needsChoice());
    EXPECT_EQ(m_profile.merchantNumber, " 111 ; 222;333")
        << "before a choice, the list as installed";
    writeFor("222", "Currency", "EUR");
    writeFor("222", "OChk", "kept as stored");
    m_session.choose(1);
    EXPECT_FALSE(m_session.needsChoice());
    EXPECT_EQ(m_profile.merchantNumber, "222");
    EXPECT_EQ(m_profile.companyName, "B");
    EXPECT_EQ(m_profile.currencySymbol, "EUR");
    EXPECT_EQ(m_profile.checkoutPage, "kept as stored")
        << "the chooser reads OChk instead of forcing it";
    EXPECT_EQ(m_store.merchantKeyPath(), std::string(kInstallationKey) + "\\222");

    m_session.choose(2);
    EXPECT_EQ(m_profile.merchantNumber, "333") << "a merchant can be chosen again at any time";
    EXPECT_EQ(m_profile.companyName, "") << "no company entry at that position";
    EXPECT_EQ(m_store.merchantKeyPath(), std::string(kInstallationKey) + "\\333");
}

TEST_F(MerchantSessionTest, ChoicesKeepTheFirstOfferedListUntilOneIsMade) {
    install("111;222", "A;B");
    activate();
    install("333;111;222", "C;A;B");
    activate();
    EXPECT_THAT(m_session.offeredMerchants().companyNames(), ElementsAre("A", "B"));
    m_session.choose(1);
    EXPECT_EQ(m_profile.merchantNumber, "222") << "the line the merchant saw";
}

TEST_F(MerchantSessionTest, ActivationAfterAChoiceRereadsTheChosenMerchant) {
    install("111;222", "A;B");
    activate();
    m_session.choose(0);
    EXPECT_EQ(m_profile.mainPageAddress, "");
    m_store.writeMerchant("OURL", "http://a.example/");
    m_store.writeMerchant("Currency", "");
    activate();
    EXPECT_EQ(m_profile.mainPageAddress, "http://a.example/");
    EXPECT_EQ(m_profile.currencySymbol, "$");
    EXPECT_EQ(m_profile.merchantNumber, "111");
}

TEST_F(MerchantSessionTest, TheProfileFollowsTheOptionsAndTheCheckoutCommand) {
    install("111", "Acme");
    activate();
    m_session.followMainPage("http://typed.example/");
    m_session.followCheckoutPage("page");
    m_session.followConfirmation("");
    m_session.followCurrency("EUR");
    m_session.followCurrency("");
    EXPECT_EQ(m_profile.mainPageAddress, "http://typed.example/");
    EXPECT_EQ(m_profile.checkoutPage, "page");
    EXPECT_EQ(m_profile.currencySymbol, "EUR") << "an empty currency keeps the symbol";
    m_session.fillEmptyConfirmation();
    EXPECT_EQ(m_profile.confirmationMessage, kDefaultConfirmationMessage);
    m_session.followConfirmation("Thanks");
    m_session.fillEmptyConfirmation();
    EXPECT_EQ(m_profile.confirmationMessage, "Thanks");
    EXPECT_EQ(m_store.readMerchant("OURL"), "") << "following stores nothing";
}

TEST(SplitList, KeepsEmptyEntries) {
    EXPECT_THAT(splitList("a;;b;", ';'), ElementsAre("a", "", "b", ""));
    EXPECT_THAT(splitList("", ';'), ElementsAre(""));
    EXPECT_EQ(trimmed("  x y \t"), "x y");
}

} // namespace vendaxo::test
