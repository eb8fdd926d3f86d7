#include "gui/gui_fixture.h"
#include "gui/tab_walk.h"
#include "shell/gui/app_services.h"
#include "shell/sqlite_store.h"
#include "snippets/checkout_choices.h"
#include "snippets/gui/checkout_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAreArray;

// The boxes in the dialog's order, which is the order of their stored codes.
constexpr const char* kPaymentBoxes[] = {"visaCheck",
                                         "masterCardCheck",
                                         "discoverCheck",
                                         "americanExpressCheck",
                                         "dinersClubCheck",
                                         "carteBlancheCheck",
                                         "electronicCheckPaymentCheck"};
constexpr const char* kRequiredBoxes[] = {"billNameCheck",
                                          "billCompanyCheck",
                                          "billAddressCheck",
                                          "billPhoneCheck",
                                          "billEmailCheck",
                                          "shipNameCheck",
                                          "shipCompanyCheck",
                                          "shipAddressCheck",
                                          "shipPhoneCheck",
                                          "paymentTypeCheck",
                                          "cardNumberCheck",
                                          "cardExpirationCheck",
                                          "electronicCheckRequiredCheck"};

class CheckoutDialogTest : public GuiTest {
protected:
    CheckoutDialogTest() {
        m_profile.merchantNumber = "111";
        m_profile.companyName = "Acme";
        m_profile.cartServerAddress = "https://cart.example/cgi";
        m_profile.currencySymbol = "$";
        m_store.setMerchantNumber("111");
        m_store.writeMerchant("OURL", "http://acme.example/");
    }

    QCheckBox* box(const char* name) { return findIn<QCheckBox>(m_dialog, name); }
    QLineEdit* buttonText() { return findIn<QLineEdit>(m_dialog, "buttonTextEdit"); }
    QPushButton* insertButton() { return findIn<QPushButton>(m_dialog, "insertButton"); }
    void click(const char* name) { clickIn(m_dialog, name); }
    // Space, as a merchant ticks a box from the keyboard.
    void toggle(const char* name) { QTest::keyClick(box(name), Qt::Key_Space); }
    void reopen() {
        m_dialog.hide();
        m_dialog.show();
    }
    template <std::size_t N> std::vector<bool> ticks(const char* const (&names)[N]) {
        std::vector<bool> result;
        for (const char* name : names)
            result.push_back(box(name)->isChecked());
        return result;
    }
    // Off by at most a pixel of rounding; the frame counts.
    bool centredOnScreen() {
        const QPoint centre = m_dialog.screen()->availableGeometry().center();
        return (m_dialog.frameGeometry().center() - centre).manhattanLength() <= 1;
    }
    bool stored(std::string_view name) {
        RegValue value;
        return m_store.readValue(m_store.merchantKeyPath(), name, value);
    }

    CheckoutDialog m_dialog{m_services};
};

TEST_F(CheckoutDialogTest, OpensWithEveryCardNothingRequiredAndTheDefaultButtonText) {
    m_dialog.show();
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Insert Checkout Form Area..."));
    EXPECT_TRUE(m_dialog.isModal());
    EXPECT_THAT(ticks(kPaymentBoxes), ElementsAreArray(std::vector<bool>(7, true)));
    EXPECT_THAT(ticks(kRequiredBoxes), ElementsAreArray(std::vector<bool>(13, false)));
    EXPECT_EQ(buttonText()->text(), QStringLiteral("Proceed With Checkout"));
    EXPECT_TRUE(insertButton()->isEnabled());
    EXPECT_TRUE(m_dialog.value() == CheckoutChoices{});
    EXPECT_TRUE(findIn<QLabel>(m_dialog, "hintLabel")->font().bold());
    EXPECT_FALSE(findIn<QLabel>(m_dialog, "linkPointLabel")->isVisible());
    EXPECT_TRUE(centredOnScreen());
}

TEST_F(CheckoutDialogTest, EachStoredCodeTicksExactlyItsOwnBox) {
    const std::string paymentCodes = "1234567";
    for (std::size_t i = 0; i < paymentCodes.size(); ++i) {
        m_store.writeMerchant("ccCards", paymentCodes.substr(i, 1));
        reopen();
        std::vector<bool> expected(7, false);
        expected[i] = true;
        EXPECT_THAT(ticks(kPaymentBoxes), ElementsAreArray(expected)) << "code " << i + 1;
    }
    const std::string requiredCodes = "123456789abcd";
    for (std::size_t i = 0; i < requiredCodes.size(); ++i) {
        m_store.writeMerchant("ccVerify", requiredCodes.substr(i, 1));
        reopen();
        std::vector<bool> expected(13, false);
        expected[i] = true;
        EXPECT_THAT(ticks(kRequiredBoxes), ElementsAreArray(expected)) << requiredCodes[i];
    }
}

TEST_F(CheckoutDialogTest, InsertSendsTheFormAndStoresTheTicksInBoxOrder) {
    m_store.writeMerchant("ccCards", "135");
    m_store.writeMerchant("ccVerify", "b1");
    m_dialog.show();
    EXPECT_THAT(ticks(kPaymentBoxes), ElementsAre(true, false, true, false, true, false, false));
    CheckoutChoices shown;
    shown.payments = {true, false, true, false, true, false, false};
    shown.required[0] = shown.required[10] = true;
    EXPECT_TRUE(m_dialog.value() == shown);

    toggle("electronicCheckPaymentCheck");
    toggle("visaCheck");
    toggle("shipPhoneCheck");
    toggle("electronicCheckRequiredCheck");
    buttonText()->selectAll();
    QTest::keyClicks(buttonText(), QStringLiteral("Place Order"));
    click("insertButton");

    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    const std::string& form = m_bridge.inserted[0];
    EXPECT_THAT(form, HasSubstr("<option value=\"Discover\">Discover</option>\n"
                                "<option value=\"Diners\">Diners Club</option>\n"
                                "<option value=\"ACH\">Electronic Check</option>\n"));
    EXPECT_THAT(form, Not(HasSubstr("value=\"Visa\"")));
    EXPECT_THAT(form, HasSubstr("name=\"billname*\""));
    EXPECT_THAT(form, HasSubstr("name=\"shipphone1*\""));
    EXPECT_THAT(form, HasSubstr("name=\"BANKNAME*\""));
    EXPECT_THAT(form, HasSubstr("<input type=\"submit\" value=\"Place Order\" name=\"checkout\">"));
    EXPECT_THAT(form, HasSubstr("value=\"http://acme.example/\" name=\"mainurl\""));
    EXPECT_EQ(m_store.readMerchant("ccCards"), "357");
    EXPECT_EQ(m_store.readMerchant("ccVerify"), "19bd");
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(m_dialog.isVisible());
}

TEST_F(CheckoutDialogTest, EmptyStoredValuesLeaveTheBoxesAsTheyWereLeft) {
    m_dialog.show();
    toggle("masterCardCheck");
    toggle("billEmailCheck");
    click("cancelButton");
    m_dialog.show();
    EXPECT_THAT(ticks(kPaymentBoxes), ElementsAre(true, false, true, true, true, true, true));
    EXPECT_TRUE(box("billEmailCheck")->isChecked());

    // Unticking everything stores empty values, which read as "never stored".
    for (const char* name : kPaymentBoxes)
        box(name)->setChecked(false);
    box("billEmailCheck")->setChecked(false);
    click("insertButton");
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_TRUE(stored("ccCards"));
    EXPECT_EQ(m_store.readMerchant("ccCards"), "");
    EXPECT_EQ(m_store.readMerchant("ccVerify"), "");
    box("carteBlancheCheck")->setChecked(true);
    m_dialog.show();
    EXPECT_THAT(ticks(kPaymentBoxes), ElementsAre(false, false, false, false, false, true, false));
}

TEST_F(CheckoutDialogTest, LinkPointHidesTheCardBoxesButStillStoresTheirTicks) {
    m_store.writeMerchant("OCCVerifyType", "2");
    m_store.writeMerchant("ccCards", "17");
    m_dialog.show();
    EXPECT_TRUE(findIn<QLabel>(m_dialog, "linkPointLabel")->isVisible());
    EXPECT_EQ(findIn<QLabel>(m_dialog, "linkPointLabel")->text(),
              QStringLiteral("Using LinkPoint HTML Payment Settings..."));
    for (const char* name : kPaymentBoxes)
        EXPECT_FALSE(box(name)->isVisible()) << name;
    for (const char* name : kRequiredBoxes)
        EXPECT_TRUE(box(name)->isVisible()) << name;
    EXPECT_THAT(ticks(kPaymentBoxes), ElementsAre(true, false, false, false, false, false, true));
    EXPECT_TRUE(centredOnScreen()) << "centred as the shorter dialog it became";

    click("insertButton");
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_THAT(m_bridge.inserted[0], Not(HasSubstr("name=\"cardtype\"")));
    EXPECT_EQ(m_store.readMerchant("ccCards"), "17");

    // Another verification type brings the boxes back with their ticks.
    m_store.writeMerchant("OCCVerifyType", "1");
    m_dialog.show();
    EXPECT_FALSE(findIn<QLabel>(m_dialog, "linkPointLabel")->isVisible());
    for (const char* name : kPaymentBoxes)
        EXPECT_TRUE(box(name)->isVisible()) << name;
    EXPECT_THAT(ticks(kPaymentBoxes), ElementsAre(true, false, false, false, false, false, true));
}

TEST_F(CheckoutDialogTest, InsertFollowsTheButtonTextAtEachKeyRelease) {
    m_dialog.show();
    buttonText()->selectAll();
    QTest::keyClick(buttonText(), Qt::Key_Backspace);
    EXPECT_FALSE(insertButton()->isEnabled());
    QTest::keyClick(buttonText(), Qt::Key_Return); // the default button is off too
    EXPECT_TRUE(m_bridge.inserted.empty());
    EXPECT_TRUE(m_dialog.isVisible());
    QTest::keyClicks(buttonText(), QStringLiteral("Go"));
    EXPECT_TRUE(insertButton()->isEnabled());
    QTest::keyClick(buttonText(), Qt::Key_Return);
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_THAT(m_bridge.inserted[0], HasSubstr("value=\"Go\" name=\"checkout\""));
}

TEST_F(CheckoutDialogTest, CancelStoresNothingAndHelpShowsTheCheckoutTopic) {
    m_dialog.show();
    toggle("visaCheck");
    toggle("billNameCheck");
    click("helpButton");
    click("cancelButton");
    EXPECT_THAT(m_help.shown, ElementsAre(1004));
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_TRUE(m_bridge.inserted.empty());
    EXPECT_FALSE(stored("ccCards"));
    EXPECT_FALSE(stored("ccVerify"));
}

TEST_F(CheckoutDialogTest, UnreachableEditorShowsTheErrorStoresNothingAndStaysOpen) {
    m_bridge.reachable = false;
    m_dialog.show();
    toggle("visaCheck");
    click("insertButton");
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Vendaxo"));
    EXPECT_EQ(m_prompts.messages[0].text, QStringLiteral("No page is open in the page editor."));
    EXPECT_TRUE(m_dialog.isVisible());
    EXPECT_FALSE(box("visaCheck")->isChecked());
    EXPECT_FALSE(stored("ccCards"));
    EXPECT_FALSE(stored("ccVerify"));
}

TEST_F(CheckoutDialogTest, ShowingRefreshesTheProfileFromTheStoredOptions) {
    m_store.writeMerchant("OURL", "http://shop.example/");
    m_store.writeMerchant("OCnf", "Thanks");
    m_store.writeMerchant("Currency", "EUR");
    m_dialog.show();
    EXPECT_EQ(m_services.profile.mainPageAddress, "http://shop.example/");
    EXPECT_EQ(m_services.profile.confirmationMessage, "Thanks");
    EXPECT_EQ(m_services.profile.currencySymbol, "EUR");
}

TEST_F(CheckoutDialogTest, ButtonsReadHelpCancelInsertWithInsertTheDefault) {
    m_dialog.show();
    const auto* help = findIn<QPushButton>(m_dialog, "helpButton");
    const auto* cancel = findIn<QPushButton>(m_dialog, "cancelButton");
    EXPECT_LT(help->geometry().right(), cancel->geometry().left());
    EXPECT_LT(cancel->geometry().right(), insertButton()->geometry().left());
    EXPECT_TRUE(insertButton()->isDefault());
    EXPECT_FALSE(help->isDefault() || help->autoDefault());
    EXPECT_FALSE(cancel->isDefault() || cancel->autoDefault());
}

TEST_F(CheckoutDialogTest, TabRunsThroughTheBoxesTheTextAndTheButtonsLeftToRight) {
    m_dialog.show();
    QStringList expected;
    for (const char* name : kPaymentBoxes)
        expected << QString::fromLatin1(name);
    for (const char* name : kRequiredBoxes)
        expected << QString::fromLatin1(name);
    expected << QStringLiteral("buttonTextEdit") << QStringLiteral("helpButton")
             << QStringLiteral("cancelButton") << QStringLiteral("insertButton");
    const QStringList walk = tabWalk(m_dialog, *box("visaCheck"));
    EXPECT_EQ(walk, expected);
    EXPECT_THAT(walk, UnorderedElementsAreArray(tabStops(m_dialog)));
}

TEST_F(CheckoutDialogTest, InLinkPointModeTabSkipsTheHiddenCardBoxes) {
    m_store.writeMerchant("OCCVerifyType", "2");
    m_dialog.show();
    QStringList expected;
    for (const char* name : kRequiredBoxes)
        expected << QString::fromLatin1(name);
    expected << QStringLiteral("buttonTextEdit") << QStringLiteral("helpButton")
             << QStringLiteral("cancelButton") << QStringLiteral("insertButton");
    const QStringList walk = tabWalk(m_dialog, *box("billNameCheck"));
    EXPECT_EQ(walk, expected);
    EXPECT_THAT(walk, UnorderedElementsAreArray(tabStops(m_dialog)));
}

} // namespace vendaxo::test
