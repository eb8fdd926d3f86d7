#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "gui/gui_fixture.h"
#include "settings/gui/options_dialog.h"
#include "shell/gui/app_services.h"
#include "shell/gui/application.h"
#include "shell/gui/setup_needed_dialog.h"
#include "shell/sqlite_store.h"
#include "snippets/gui/button_dialog.h"
#include "snippets/gui/checkout_dialog.h"
#include "snippets/gui/option_lists_editor.h"
#include "snippets/gui/page_window.h"
#include "snippets/gui/purchase_dialog.h"
#include "test_support.h"

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using MainWindowLoad = MainWindowTest;
using MainWindowChooser = MainWindowTest;
using MainWindowAbout = MainWindowTest;
using MainWindowCommands = MainWindowTest;
using MainWindowDone = MainWindowTest;

TEST_F(MainWindowLoad, SingleMerchantFillsTheWindowAndEveryActivationReadsAgain) {
    installOne();
    install("HelpFile", "C:\\Vendaxo\\Custom.hlp");
    writeFor("111", "OURL", "http://acme.example/");
    open();
    EXPECT_EQ(m_store.merchantNumber(), "111");
    EXPECT_EQ(m_services.profile.mainPageAddress, "http://acme.example/");
    EXPECT_EQ(m_services.profile.currencySymbol, "$"); // no Currency in the merchant key
    EXPECT_EQ(storedFor("111", "OChk"), "Using VDX Network...");
    EXPECT_EQ(m_help.helpFile(), QStringLiteral("C:\\Vendaxo\\Custom.hlp"));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Vendaxo (Acme)"));
    EXPECT_EQ(text("merchantNumberLabel"), QStringLiteral("111"));
    EXPECT_EQ(text("companyLabel"), QStringLiteral("Company Name:   Acme"));
    EXPECT_FALSE(visible("chooserPanel"));

    writeFor("111", "OURL", "http://acme.example/shop/");
    writeFor("111", "Currency", "EUR");
    install("HelpFile", "");
    m_window->load();
    EXPECT_EQ(m_services.profile.mainPageAddress, "http://acme.example/shop/");
    EXPECT_EQ(m_services.profile.currencySymbol, "EUR");
    EXPECT_EQ(m_help.helpFile(), QString()); // replaced even when empty
}

// Once an application display name is set, Qt appends it to every caption the
// window system shows, after a dash; a display name that follows the
// application name was never set.
TEST(ApplicationCaptions, NothingIsAppendedToTheCaptions) {
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Probe"));
    const QString displayName = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    EXPECT_EQ(displayName, QStringLiteral("Probe"));
}

TEST_F(MainWindowLoad, PrivateLabelPictureReplacesTheBuiltInOneOnlyWhenItExists) {
    installOne();
    install("VDXDir", m_dir.path().string() + "\\labels");
    open();
    auto* picture = child<QLabel>("pictureLabel");
    EXPECT_EQ(picture->pixmap().deviceIndependentSize().toSize(), picture->size()); // built in

    std::filesystem::create_directory(m_dir / "labels");
    QImage label(120, 40, QImage::Format_RGB32);
    label.fill(Qt::red);
    ASSERT_TRUE(label.save(QString::fromStdString((m_dir / "labels/privatelabel.bmp").string())));
    m_window->load();
    const QImage shown = picture->pixmap().toImage();
    EXPECT_EQ(shown.size(), QSize(120, 40));
    EXPECT_EQ(shown.pixelColor(60, 20), QColor(Qt::red));
}

TEST_F(MainWindowChooser, ListsTheCompaniesInAboutModeUntilOneIsChosen) {
    installTwo();
    open();
    EXPECT_TRUE(visible("chooserPanel"));
    EXPECT_EQ(text("chooserLabel"), QStringLiteral("Select Installed Company:"));
    EXPECT_EQ(chooserLines(), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_FALSE(enabled("chooserOkButton"));
    EXPECT_TRUE(m_window->isAboutMode());
    EXPECT_FALSE(visible("commandPanel"));
    EXPECT_FALSE(enabled("doneButton"));

    QTest::mouseClick(child("pictureLabel"), Qt::LeftButton); // no way out but a choice
    EXPECT_TRUE(m_window->isAboutMode());
    m_window->load();
    m_window->load();
    EXPECT_EQ(chooserLines().size(), 2);
    EXPECT_EQ(m_store.merchantNumber(), "");
    click("chooserHelpButton");
    EXPECT_THAT(m_help.shown, ElementsAre(1001));
}

TEST_F(MainWindowChooser, ClickAndOkMakeTheChosenMerchantCurrent) {
    installTwo();
    open();
    clickLine(1);
    EXPECT_TRUE(enabled("chooserOkButton"));
    click("chooserOkButton");
    EXPECT_EQ(m_store.merchantNumber(), "222");
    EXPECT_EQ(m_services.profile.merchantNumber, "222");
    EXPECT_EQ(m_services.profile.mainPageAddress, "http://b.example/");
    EXPECT_EQ(m_services.profile.checkoutPage, "custom"); // read, not forced
    EXPECT_EQ(m_services.profile.currencySymbol, "$");
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Vendaxo (B)"));
    EXPECT_EQ(text("companyLabel"), QStringLiteral("Company Name:   B"));
    EXPECT_FALSE(visible("chooserPanel"));
    EXPECT_FALSE(m_window->isAboutMode());
    EXPECT_TRUE(visible("commandPanel"));
    EXPECT_TRUE(enabled("doneButton"));
}

// From About mode the chooser comes back; another merchant's choice starts
// every dialog afresh, as at start-up, once the old lists are settled.
TEST_F(MainWindowChooser, AboutModeOffersTheChooserAgainToSwitchMerchants) {
    installTwo();
    open();
    clickLine(0, true);
    ASSERT_EQ(m_services.profile.merchantNumber, "111");
    click("aboutButton");
    EXPECT_TRUE(visible("changeCompanyButton"));
    click("changeCompanyButton");
    EXPECT_TRUE(visible("chooserPanel"));
    EXPECT_EQ(child<QListWidget>("chooserList")->currentRow(), 0) << "the current merchant";
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    EXPECT_FALSE(visible("chooserPanel")) << "Escape keeps the merchant";
    EXPECT_TRUE(m_window->isAboutMode());
    EXPECT_EQ(m_services.profile.merchantNumber, "111");

    Product typed;
    typed.sku = "K1";
    typed.description = "Delta Kite";
    typed.discounts.add("10", "35");
    m_window->purchaseDialog().setValue(typed);
    ProductOptions lists;
    lists.enabled = true;
    lists.grid.rebuild("Colour;Red;\n");
    m_window->purchaseDialog().optionLists().setValue(lists);
    m_window->purchaseDialog().optionLists().setChanged(true);

    click("changeCompanyButton");
    clickLine(1);
    m_prompts.answers.push_back(QMessageBox::Cancel);
    click("chooserOkButton");
    EXPECT_EQ(m_services.profile.merchantNumber, "111") << "Cancel keeps the unsaved lists";
    EXPECT_TRUE(visible("chooserPanel"));

    m_prompts.answers.push_back(QMessageBox::No);
    click("chooserOkButton");
    EXPECT_EQ(m_services.profile.merchantNumber, "222");
    EXPECT_EQ(m_store.merchantNumber(), "222");
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Vendaxo (B)"));
    EXPECT_FALSE(m_window->isAboutMode());
    const Product fresh = m_window->purchaseDialog().value();
    EXPECT_EQ(fresh.description, "") << "a fresh dialog";
    EXPECT_TRUE(fresh.discounts.empty());
    EXPECT_TRUE(fresh.options.isEmpty());
    EXPECT_FALSE(m_window->purchaseDialog().optionLists().isChanged());
}

TEST_F(MainWindowChooser, OneMerchantOffersNoChange) {
    installOne();
    open();
    click("aboutButton");
    EXPECT_FALSE(visible("changeCompanyButton"));
}

TEST_F(MainWindowChooser, DoubleClickChoosesAndLaterActivationsKeepTheChoice) {
    installTwo();
    open();
    clickLine(1, true);
    EXPECT_EQ(m_store.merchantNumber(), "222");
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Vendaxo (B)"));
    writeFor("222", "OURL", "http://b.example/new/");
    m_window->load();
    EXPECT_EQ(m_services.profile.mainPageAddress, "http://b.example/new/");
    EXPECT_EQ(m_services.profile.merchantNumber, "222");
    EXPECT_EQ(storedFor("222", "OChk"), "custom");
    EXPECT_FALSE(visible("chooserPanel"));
    EXPECT_EQ(chooserLines().size(), 2);

    // A real activation, after another window had the focus.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    writeFor("222", "OURL", "http://b.example/again/");
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    EXPECT_EQ(m_services.profile.mainPageAddress, "http://b.example/again/");
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Vendaxo (B)"));
    EXPECT_FALSE(visible("chooserPanel"));
}

TEST_F(MainWindowAbout, AboutShowsTheLabelsAndAPictureClickBringsTheCommandsBack) {
    installOne();
    open();
    const QSize size = m_window->size();
    const char* const buttons[] = {"doneButton", "helpButton", "aboutButton"};
    click("aboutButton");
    EXPECT_FALSE(visible("commandPanel"));
    EXPECT_THAT(text("noticeLabel").toStdString(),
                HasSubstr(QCoreApplication::applicationVersion().toStdString()));
    for (const char* label : {"noticeLabel", "merchantNumberLabel", "companyLabel"})
        EXPECT_TRUE(visible(label)) << label;
    for (const char* button : buttons)
        EXPECT_FALSE(enabled(button)) << button;
    EXPECT_EQ(m_window->size(), size);

    QTest::mouseClick(child("pictureLabel"), Qt::LeftButton);
    EXPECT_TRUE(visible("commandPanel"));
    EXPECT_FALSE(visible("noticeLabel"));
    for (const char* button : buttons)
        EXPECT_TRUE(enabled(button)) << button;
}

TEST_F(MainWindowCommands, ButtonsCarryTheirHintsAndIconsInAFixedAlwaysOnTopWindow) {
    installOne();
    open();
    const std::pair<const char*, const char*> hints[] = {
        {"purchaseButton", "Insert Purchase Button"},
        {"viewCartButton", "Insert View Shopping Cart Button"},
        {"checkoutFormButton", "Insert Order Checkout Form"},
        {"globalOptionsButton", "Set or Change Global Options"},
        {"retrieveOrdersButton", "Insert Retrieve Orders Button"},
    };
    for (const auto& [name, hint] : hints) {
        EXPECT_EQ(child<QToolButton>(name)->toolTip(), QString::fromLatin1(hint));
        EXPECT_FALSE(child<QToolButton>(name)->icon().isNull()) << name;
    }
    EXPECT_TRUE(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(m_window->minimumSize(), m_window->maximumSize());
    click("helpButton");
    EXPECT_THAT(m_help.shown, ElementsAre(1000));
}

TEST_F(MainWindowCommands, ViewCartAndRetrieveOrdersInsertThroughTheirModalDialogs) {
    installOne();
    open();
    const std::pair<ButtonDialog*, const char*> commands[] = {
        {&m_window->viewCartDialog(), "viewCartButton"},
        {&m_window->retrieveOrdersDialog(), "retrieveOrdersButton"},
    };
    for (const auto& [dialog, button] : commands) {
        whileModal(*dialog, [dialog] {
            EXPECT_EQ(QApplication::activeModalWidget(), dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("insertButton")),
                              Qt::LeftButton);
        });
        click(button);
    }
    ASSERT_EQ(m_bridge.inserted.size(), 2u);
    EXPECT_THAT(m_bridge.inserted[0], HasSubstr("name=\"openshopcart\""));
    EXPECT_THAT(m_bridge.inserted[1], HasSubstr("name=\"getorders\""));
    for (const std::string& snippet : m_bridge.inserted)
        EXPECT_THAT(snippet, HasSubstr("value=\"111\""));
}

TEST_F(MainWindowCommands, CheckoutOpensItsDialogOrTheSetupDialogWithoutAMainPageAddress) {
    installOne();
    open();
    SetupNeededDialog& setup = m_window->setupNeededDialog();
    bool shown = false;
    whileModal(setup, [&] {
        shown = QApplication::activeModalWidget() == &setup;
        EXPECT_EQ(setup.windowTitle(), QStringLiteral("Setup Information Needed..."));
        EXPECT_EQ(setup.findChild<QLabel*>(QStringLiteral("messageLabel"))->text(),
                  QStringLiteral("You need to enter the Main Page URL in the VDX Options "
                                 "section before you can insert this component."));
        for (const char* button : {"helpButton", "okButton"})
            QTest::mouseClick(setup.findChild<QPushButton*>(QString::fromLatin1(button)),
                              Qt::LeftButton);
        EXPECT_FALSE(setup.isVisible());
    });
    click("checkoutFormButton");
    EXPECT_TRUE(shown);
    EXPECT_THAT(m_help.shown, ElementsAre(1007));
    EXPECT_EQ(m_services.profile.confirmationMessage, kDefaultConfirmationMessage);

    writeFor("111", "OURL", "http://acme.example/");
    m_window->load(); // OCnf is still empty in the store
    shown = false;
    CheckoutDialog& checkout = m_window->checkoutDialog();
    bool checkoutShown = false;
    whileModal(setup, [&] { shown = setup.isVisible(); });
    whileModal(checkout, [&] { checkoutShown = QApplication::activeModalWidget() == &checkout; });
    click("checkoutFormButton");
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
    EXPECT_TRUE(checkoutShown);
    EXPECT_EQ(checkout.result(), QDialog::Rejected);
    EXPECT_EQ(m_services.profile.confirmationMessage, kDefaultConfirmationMessage);
}

class MainWindowDoneWithPage : public MainWindowTest {
protected:
    void SetUp() override {
        writeFile(m_dir / "shop.html", "<html><body></body></html>\n");
        ASSERT_TRUE(m_page.openPage(QString::fromStdString((m_dir / "shop.html").string())));
        m_page.show();
        m_page.editor()->insertPlainText(QStringLiteral("changed"));
        ASSERT_TRUE(m_page.isModified());
        installOne();
        open(&m_page);
    }
    PageWindow m_page{m_prompts};
};

TEST_F(MainWindowDoneWithPage, CancelOnUnsavedPageChangesKeepsTheProgramRunning) {
    m_prompts.answers.push_back(QMessageBox::Cancel);
    EXPECT_EQ(runProgramAfter("doneButton"), kStillRunning);
    EXPECT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(m_page.isVisible());
    EXPECT_TRUE(m_page.isModified());
}

TEST_F(MainWindowDoneWithPage, NoEndsTheProgramWithoutSavingOrAskingTwice) {
    m_prompts.answers.push_back(QMessageBox::No);
    EXPECT_EQ(runProgramAfter("doneButton"), 0);
    EXPECT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(readFile(m_dir / "shop.html"), "<html><body></body></html>\n");
}

TEST_F(MainWindowDone, WithoutAPageWindowDoneEndsTheProgramAtOnce) {
    installOne();
    open();
    EXPECT_EQ(runProgramAfter("doneButton"), 0);
    EXPECT_TRUE(m_prompts.messages.empty());
    EXPECT_FALSE(m_window->isVisible());
}

class MainWindowDoneWithOptionLists : public MainWindowTest {
protected:
    void SetUp() override {
        installOne();
        open();
        ProductOptions lists;
        lists.grid.rebuild("Colour;Red;Blue;\n");
        optionLists().setValue(lists);
        optionLists().setChanged(true);
    }
    OptionListsEditor& optionLists() { return m_window->purchaseDialog().optionLists(); }
    const ShownMessage& question() {
        EXPECT_EQ(m_prompts.messages.size(), 1u);
        return m_prompts.messages.front();
    }
};

TEST_F(MainWindowDoneWithOptionLists, YesSavesTheListsAndKeepsTheProgramRunning) {
    const auto file = m_dir / "lists.vdx";
    m_prompts.answers.push_back(QMessageBox::Yes);
    m_prompts.fileNames.push_back(QString::fromStdString(file.string()));
    EXPECT_EQ(runProgramAfter("doneButton"), kStillRunning);
    EXPECT_EQ(question().caption, QStringLiteral("Save Changes..."));
    EXPECT_EQ(question().text, QStringLiteral("Do you want to save your option list changes?"));
    EXPECT_EQ(question().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(readFile(file), "Colour;Red;Blue;\n\n");
    EXPECT_FALSE(optionLists().isChanged());
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(MainWindowDoneWithOptionLists, CancelKeepsRunningAndNoEndsWithoutSaving) {
    m_prompts.answers.push_back(QMessageBox::Cancel);
    EXPECT_EQ(runProgramAfter("doneButton"), kStillRunning);
    EXPECT_TRUE(optionLists().isChanged());
    m_prompts.answers.push_back(QMessageBox::No);
    EXPECT_EQ(runProgramAfter("doneButton"), 0);
    EXPECT_EQ(m_prompts.messages.size(), 2u);
}

TEST_F(MainWindowCommands, PurchaseOpensThePurchaseDialog) {
    installOne();
    open();
    bool shown = false;
    whileModal(m_window->purchaseDialog(), [&] { shown = m_window->purchaseDialog().isVisible(); });
    click("purchaseButton");
    EXPECT_TRUE(shown);
}

} // namespace vendaxo::test
