#include "gui/gui_fixture.h"
#include "gui/tab_walk.h"
#include "settings/gui/options_dialog.h"
#include "settings/gui/shipping_dialog.h"
#include "settings/gui/styles_dialog.h"
#include "shell/gui/app_services.h"
#include "shell/gui/application.h"
#include "shell/sqlite_store.h"
#include "test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class OptionsDialogTest : public GuiTest {
protected:
    OptionsDialogTest() {
        m_profile.merchantNumber = "111";
        m_profile.currencySymbol = "$";
        m_store.setMerchantNumber("111");
    }

    template <typename T> T* child(const char* name) { return findIn<T>(m_dialog, name); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    QPlainTextEdit* memo() { return child<QPlainTextEdit>("confirmationEdit"); }
    QListWidget* taxes() { return child<QListWidget>("taxList"); }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    void click(const char* name) { clickIn(m_dialog, name); }
    void toggle(const char* name) { QTest::keyClick(child<QCheckBox>(name), Qt::Key_Space); }
    // Replaces a field's text the way a merchant does, key by key.
    void retype(QWidget* field, const char* text) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, QString::fromUtf8(text));
    }
    void clickEntry(int row, bool twice = false) {
        QListWidget* list = taxes();
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    std::vector<std::string> entries() {
        std::vector<std::string> shown;
        for (int row = 0; row < taxes()->count(); ++row)
            shown.push_back(taxes()->item(row)->text().toStdString());
        return shown;
    }
    std::string lastMessage() const {
        const ShownMessage& shown = m_prompts.messages.back();
        return shown.caption.toStdString() + "|" + shown.text.toStdString();
    }

    OptionsDialog m_dialog{m_services};
};

TEST_F(OptionsDialogTest, FreshMerchantSeesTheDefaults) {
    m_dialog.show();
    EXPECT_EQ(m_dialog.windowTitle().toStdString(), "Vendaxo Options...");
    EXPECT_EQ(m_dialog.value(), StoreOptions());
    EXPECT_EQ(edit("currencyEdit")->text().toStdString(), "$");
    EXPECT_EQ(edit("currencyEdit")->toolTip().toStdString(), "Currency Character");
    EXPECT_EQ(edit("mainPageEdit")->text().toStdString(), "") << "the example is no value";
    EXPECT_EQ(edit("mainPageEdit")->placeholderText().toStdString(), "http://www.example.com/");
    EXPECT_EQ(memo()->toPlainText().toStdString(),
              "Your order has been successfully received.  We will notify you when it ships.");
    auto* types = child<QComboBox>("verificationCombo");
    ASSERT_EQ(types->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(types->itemText(i).toStdString(), kVerificationTypes[i]);
    EXPECT_EQ(child<QLabel>("shippingSummaryLabel")->text().toStdString(),
              "Current Settings:  User Choice\nHandling disabled\nInsurance disabled\n"
              "Global Discount disabled\nMinimum Restrictions disabled");
    EXPECT_FALSE(button("removeTaxButton")->isEnabled());
    EXPECT_EQ(child<QLabel>("pictureLabel")->pixmap().size(), QSize(120, 432));
    click("helpButton");
    EXPECT_THAT(m_help.shown, ElementsAre(1006));
}

TEST_F(OptionsDialogTest, ShowingLoadsTheStoreIntoTheControlsAndTheProfile) {
    m_store.writeMerchant("OTax", "Texas = 8.25%\r\nOhio = 6%\r\n");
    m_store.writeMerchant("OURL", "http://kites.example/");
    m_store.writeMerchant("OChk", "Using VDX Network...");
    m_store.writeMerchant("OCnf", "Thanks!\r\nWe ship soon.");
    m_store.writeMerchant("Currency", "EUR");
    m_store.writeMerchant("taxshipping", "yes");
    m_store.writeMerchant("internationalship", "yes");
    m_store.writeMerchant("OCCVerifyType", "2");
    m_store.writeMerchant("OSta", "3");
    m_store.writeMerchant("HandlingEnabled", "1");
    m_dialog.show();

    EXPECT_THAT(entries(), ElementsAre("Ohio = 6%", "Texas = 8.25%"));
    EXPECT_TRUE(child<QCheckBox>("taxShippingCheck")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("internationalCheck")->isChecked());
    EXPECT_EQ(child<QComboBox>("verificationCombo")->currentIndex(), 2);
    EXPECT_EQ(memo()->toPlainText().toStdString(), "Thanks!\nWe ship soon.");
    EXPECT_EQ(m_dialog.value(), StoreOptions::load(m_store));
    const MerchantProfile& profile = m_services.profile;
    EXPECT_EQ(profile.currencySymbol, "EUR");
    EXPECT_EQ(profile.mainPageAddress, "http://kites.example/");
    EXPECT_EQ(profile.checkoutPage, "Using VDX Network...");
    EXPECT_EQ(profile.confirmationMessage, "Thanks!\r\nWe ship soon.");
    EXPECT_EQ(child<QLabel>("shippingSummaryLabel")->text().toStdString(),
              "Current Settings:  Single Rate Chart\nHandling enabled\nInsurance disabled\n"
              "Global Discount disabled\nMinimum Restrictions disabled");

    click("okButton");
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_store.readMerchant("OTax"), "Ohio = 6%\r\nTexas = 8.25%\r\n");
    EXPECT_EQ(m_store.readMerchant("OCnf"), "Thanks!\r\nWe ship soon.") << "lines stay CR LF";
    EXPECT_EQ(m_store.readMerchant("OChk"), "Using VDX Network...");
}

TEST_F(OptionsDialogTest, OkSavesWhatWasTypedAndTheNextOpeningShowsIt) {
    m_dialog.show();
    toggle("taxShippingCheck");
    toggle("internationalCheck");
    retype(edit("currencyEdit"), "EUR");
    retype(edit("mainPageEdit"), "https://kites.example/");
    retype(memo(), "Thank you");
    QTest::keyClick(memo(), Qt::Key_Return);
    QTest::keyClicks(memo(), QStringLiteral("for your order."));
    child<QComboBox>("verificationCombo")->setCurrentIndex(1);
    click("okButton");

    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    StoreOptions expected;
    expected.taxShipping = true;
    expected.internationalShipping = true;
    expected.currency = "EUR";
    expected.mainPageAddress = "https://kites.example/";
    expected.confirmationMessage = "Thank you\r\nfor your order.";
    expected.verificationType = 1;
    EXPECT_EQ(StoreOptions::load(m_store), expected);
    EXPECT_EQ(m_services.profile.currencySymbol, "EUR");
    EXPECT_EQ(m_services.profile.mainPageAddress, "https://kites.example/");

    m_dialog.setValue(StoreOptions());
    m_dialog.show();
    EXPECT_EQ(m_dialog.value(), expected);
}

TEST_F(OptionsDialogTest, OkWithoutAWebPrefixSavesWarnsAndStaysOpen) {
    m_dialog.show();
    retype(edit("mainPageEdit"), "www.kites.example");
    click("okButton");
    EXPECT_EQ(lastMessage(), "Vendaxo|Your Main Page URL needs to have a \"http://\" prefix.");
    EXPECT_TRUE(m_dialog.isVisible());
    EXPECT_EQ(m_store.readMerchant("OURL"), "www.kites.example");
    EXPECT_EQ(m_store.readMerchant("OCCVerifyType"), "0") << "everything else is saved too";

    retype(edit("mainPageEdit"), "HTTP://www.kites.example");
    click("okButton");
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_prompts.messages.size(), 1u);
}

TEST_F(OptionsDialogTest, AnEmptyCurrencyIsSavedEmptyAndTheProfileKeepsItsSymbol) {
    m_store.writeMerchant("Currency", "EUR");
    m_store.writeMerchant("OURL", "http://kites.example/");
    m_dialog.show();
    retype(edit("currencyEdit"), "");
    click("okButton");
    EXPECT_EQ(m_store.readMerchant("Currency"), "");
    EXPECT_EQ(m_services.profile.currencySymbol, "EUR");
    m_dialog.show();
    EXPECT_EQ(edit("currencyEdit")->text().toStdString(), "$");
}

TEST_F(OptionsDialogTest, CancelKeepsTheStoreButTheProfileFollowedTheTyping) {
    m_store.writeMerchant("OURL", "http://old.example/");
    m_store.writeMerchant("OCnf", "Old message");
    m_dialog.show();
    retype(edit("mainPageEdit"), "http://new.example/");
    retype(memo(), "New message");
    EXPECT_EQ(m_services.profile.mainPageAddress, "http://new.example/");
    retype(memo(), "Newer");
    click("cancelButton");

    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
    EXPECT_EQ(m_services.profile.mainPageAddress, "http://new.example/");
    EXPECT_EQ(m_services.profile.confirmationMessage, "Newer");
    EXPECT_EQ(m_store.values(m_store.merchantKeyPath()).size(), 2u) << "nothing was written";
    EXPECT_EQ(m_store.readMerchant("OURL"), "http://old.example/");

    m_dialog.show();
    EXPECT_EQ(edit("mainPageEdit")->text().toStdString(), "http://old.example/");
    EXPECT_EQ(m_services.profile.confirmationMessage, "Old message");
}

TEST_F(OptionsDialogTest, AddAsksForNameAndRateAndKeepsTheTableSorted) {
    m_dialog.show();
    // Each add uses up exactly its answers; a question more fails the test.
    const auto add = [this](std::deque<std::optional<QString>> answers) {
        m_prompts.inputs = std::move(answers);
        click("addTaxButton");
        EXPECT_THAT(m_prompts.inputs, IsEmpty());
    };
    add({QStringLiteral("Ohio"), QStringLiteral("6")});
    add({QStringLiteral("Ohio"), QStringLiteral(".5")});
    add({QStringLiteral("Alaska"), QString()});
    add({QString()});                            // an empty name ends
    add({std::nullopt});                         // so does Cancel
    add({QStringLiteral("Iowa"), std::nullopt}); // Cancel at the rate adds nothing
    EXPECT_THAT(entries(), ElementsAre("Alaska = 0%", "Ohio = 50%", "Ohio = 6%"));
    ASSERT_EQ(m_prompts.inputPrompts.size(), 10u);
    EXPECT_EQ(m_prompts.inputPrompts[0].toStdString(),
              "Enter New Tax...|Enter the new state name or zip code|");
    EXPECT_EQ(m_prompts.inputPrompts[1].toStdString(),
              "Enter New Tax Rate...|Enter the tax rate for Ohio|");
}

TEST_F(OptionsDialogTest, DoubleClickEditsTheRateAndZeroLeavesTheBareName) {
    m_store.writeMerchant("OTax", "Ohio = 6%\r\nTexas\r\n");
    m_dialog.show();
    m_prompts.inputs = {QStringLiteral("7.25%"), QStringLiteral("0"), std::nullopt,
                        QStringLiteral("5")};
    clickEntry(0, true);
    EXPECT_THAT(entries(), ElementsAre("Ohio = 7.25%", "Texas"));
    clickEntry(0, true);
    EXPECT_THAT(entries(), ElementsAre("Ohio", "Texas"));
    clickEntry(0, true);
    EXPECT_THAT(entries(), ElementsAre("Ohio", "Texas")) << "Cancel keeps the entry";
    clickEntry(1, true);
    EXPECT_THAT(entries(), ElementsAre("Ohio", "Texas = 5%"));
    ASSERT_EQ(m_prompts.inputPrompts.size(), 4u);
    EXPECT_EQ(m_prompts.inputPrompts[0].toStdString(),
              "Enter New Tax Rate...|Enter the new tax rate for Ohio|6");
    EXPECT_EQ(m_prompts.inputPrompts[1].toStdString(),
              "Enter New Tax Rate...|Enter the new tax rate for Ohio|7.25");
    EXPECT_EQ(m_prompts.inputPrompts[2].toStdString(),
              "Enter New Tax Rate...|Enter the new tax rate for Ohio|");
}

TEST_F(OptionsDialogTest, RemoveNeedsAClickedEntryAndAYes) {
    m_store.writeMerchant("OTax", "Ohio = 6%\r\nTexas\r\n");
    m_dialog.show();
    EXPECT_FALSE(button("removeTaxButton")->isEnabled());
    clickEntry(1);
    ASSERT_TRUE(button("removeTaxButton")->isEnabled());
    m_prompts.answers = {QMessageBox::No, QMessageBox::Yes};
    click("removeTaxButton");
    EXPECT_THAT(entries(), ElementsAre("Ohio = 6%", "Texas"));
    EXPECT_EQ(lastMessage(), "Confirmation|Remove Tax Item (Texas)?");
    EXPECT_EQ(m_prompts.messages.back().buttons, QMessageBox::Yes | QMessageBox::No);
    click("removeTaxButton");
    EXPECT_THAT(entries(), ElementsAre("Ohio = 6%"));
    EXPECT_FALSE(button("removeTaxButton")->isEnabled());
}

TEST_F(OptionsDialogTest, UsStatesAndClearAllReplaceTheTableOnlyAfterYes) {
    m_store.writeMerchant("OTax", "90210 = 9.5%\r\n");
    m_store.writeMerchant("OURL", "http://kites.example/");
    m_dialog.show();
    const auto yesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    m_prompts.answers = {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Yes};
    for (int i = 0; i < 3; ++i) {
        EXPECT_THAT(entries(), ElementsAre("90210 = 9.5%"));
        click("usStatesButton");
    }
    EXPECT_EQ(lastMessage(), "Set to United States defaults...|Set to United States default list?");
    EXPECT_EQ(m_prompts.messages.back().buttons, yesNoCancel);
    EXPECT_EQ(entries(), std::vector<std::string>(kUsStates.begin(), kUsStates.end()))
        << "the 53 names, in their own order";

    m_prompts.answers = {QMessageBox::Cancel, QMessageBox::Yes};
    click("clearTaxButton");
    EXPECT_EQ(entries().size(), 53u);
    click("clearTaxButton");
    EXPECT_THAT(entries(), IsEmpty());
    EXPECT_EQ(lastMessage(), "Clear All States...|Clear all state and zip code lists?");
    EXPECT_EQ(m_prompts.messages.back().buttons, yesNoCancel);
    click("okButton");
    m_dialog.show();
    EXPECT_THAT(entries(), IsEmpty()) << "a cleared table stays cleared";
}

TEST_F(OptionsDialogTest, StylesOpensItsOneDialogAndShippingOpensNothingYet) {
    m_dialog.show();
    std::vector<StylesDialog*> opened;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, &m_dialog, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            opened.push_back(qobject_cast<StylesDialog*>(modal));
            if (modal)
                modal->close();
        });
        click("stylesButton");
    }
    ASSERT_THAT(opened, ElementsAre(&m_dialog.stylesDialog(), &m_dialog.stylesDialog()));
    EXPECT_EQ(m_dialog.stylesDialog().parent(), &m_dialog);

    EXPECT_THAT(m_prompts.messages, IsEmpty());
    EXPECT_TRUE(m_dialog.isVisible());
}

TEST_F(OptionsDialogTest, SelectShippingOpensTheShippingDialogAndItsOkUpdatesTheSummary) {
    m_store.writeMerchant("OSta", "3");
    m_dialog.show();
    ShippingDialog* opened = nullptr;
    QTimer::singleShot(0, &m_dialog, [&] {
        opened = qobject_cast<ShippingDialog*>(QApplication::activeModalWidget());
        if (opened) {
            findIn<QListWidget>(*opened, "methodList")->setCurrentRow(5);
            clickIn(*opened, "okButton");
        }
    });
    click("selectShippingButton");
    ASSERT_EQ(opened, &m_dialog.shippingDialog());
    EXPECT_EQ(m_store.readMerchant("OSta"), "5");
    EXPECT_EQ(child<QLabel>("shippingSummaryLabel")->text(),
              QStringLiteral("Current Settings:  UPS Calculations\nHandling disabled\n"
                             "Insurance disabled\nGlobal Discount disabled\n"
                             "Minimum Restrictions disabled"));
}

TEST_F(OptionsDialogTest, AnEmptiedCurrencyShowsTheMoneySignWhenTheDialogComesBack) {
    m_store.writeMerchant("OURL", "http://kites.example/");
    m_dialog.show();
    m_dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    for (const char* subDialog : {"stylesButton", "selectShippingButton"}) {
        retype(edit("currencyEdit"), "");
        QTimer::singleShot(0, &m_dialog, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        click(subDialog);
        // A window manager gives the options dialog the keyboard back.
        m_dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &m_dialog; }));
        EXPECT_EQ(edit("currencyEdit")->text().toStdString(), "$") << subDialog;
    }
    retype(edit("currencyEdit"), "");
    click("okButton");
    EXPECT_EQ(m_store.readMerchant("Currency"), "") << "emptied right before OK it stays empty";
}

TEST_F(OptionsDialogTest, TheKeyboardReachesEveryControlAndEditsATaxEntry) {
    m_store.writeMerchant("OTax", "Ohio = 6%\r\nTexas\r\n");
    m_dialog.show();
    m_dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    taxes()->setCurrentRow(1);
    EXPECT_TRUE(tabReachesEverything(*taxes()));

    m_prompts.inputs = {QStringLiteral("5")};
    taxes()->setFocus();
    QTest::keyClick(taxes(), Qt::Key_Return);
    EXPECT_THAT(entries(), ElementsAre("Ohio = 6%", "Texas = 5%"));
    m_prompts.inputs = {QStringLiteral("7")};
    QTest::keyClick(taxes(), Qt::Key_Up);
    QTest::keyClick(taxes(), Qt::Key_F2);
    EXPECT_THAT(entries(), ElementsAre("Ohio = 7%", "Texas = 5%"));
}

} // namespace vendaxo::test
