#include "app/main_window_fixture.h"
#include "gui/tab_walk.h"
#include "shell/gui/setup_needed_dialog.h"
#include "snippets/gui/button_dialog.h"

#include <QImage>
#include <QToolButton>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

namespace {

const QStringList kCommandButtons = {
    QStringLiteral("purchaseButton"),       QStringLiteral("viewCartButton"),
    QStringLiteral("checkoutFormButton"),   QStringLiteral("globalOptionsButton"),
    QStringLiteral("retrieveOrdersButton"),
};

// A ring in the highlight colour down both sides of the button.
bool showsFocusRing(QWidget& button) {
    const QImage image = button.grab().toImage();
    const QColor ring = button.palette().color(QPalette::Highlight);
    const int middle = image.height() / 2;
    return image.pixelColor(2, middle) == ring &&
           image.pixelColor(image.width() - 3, middle) == ring;
}

} // namespace

class MainWindowKeyboard : public MainWindowTest {
protected:
    // Through the window, so the key goes to whatever has the focus.
    void press(Qt::Key key) { QTest::keyClick(m_window->windowHandle(), key); }
    bool hasFocus(const char* name) { return QApplication::focusWidget() == child(name); }
    QStringList selectedLines() {
        QStringList lines;
        for (const QListWidgetItem* item : child<QListWidget>("chooserList")->selectedItems())
            lines << item->text();
        return lines;
    }
};

TEST_F(MainWindowKeyboard, TabReachesEveryCommandAndButtonFromLeftToRight) {
    installOne();
    open();
    const QStringList walk = tabWalk(*m_window, *child("purchaseButton"));
    const QStringList buttons{QStringLiteral("doneButton"), QStringLiteral("helpButton"),
                              QStringLiteral("aboutButton")};
    EXPECT_EQ(walk, kCommandButtons + buttons);
    EXPECT_THAT(walk, UnorderedElementsAreArray(tabStops(*m_window)));
}

TEST_F(MainWindowKeyboard, APictureButtonReachedByTabShowsAFocusRing) {
    installOne();
    open();
    focusFromKeyboard(*child("aboutButton"));
    for (const QString& name : kCommandButtons) {
        press(Qt::Key_Tab);
        for (const QString& other : kCommandButtons) {
            auto* button = child(other.toLatin1().constData());
            EXPECT_EQ(showsFocusRing(*button), other == name) << qPrintable(other);
        }
    }
}

TEST_F(MainWindowKeyboard, EnterPressesTheFocusedButton) {
    installOne();
    open();
    bool shown = false;
    ButtonDialog& dialog = m_window->viewCartDialog();
    whileModal(dialog, [&] { shown = dialog.isVisible(); });
    focusFromKeyboard(*child("viewCartButton"));
    press(Qt::Key_Return);
    EXPECT_TRUE(shown);

    focusFromKeyboard(*child("helpButton"));
    press(Qt::Key_Enter);
    EXPECT_THAT(m_help.shown, ElementsAre(1000));
}

TEST_F(MainWindowKeyboard, EscapeOrEnterLeavesAboutModeAndTheKeyboardGoesOnFromAbout) {
    installOne();
    open();
    focusFromKeyboard(*child("aboutButton"));
    press(Qt::Key_Space);
    ASSERT_TRUE(m_window->isAboutMode());
    EXPECT_TRUE(tabStops(*m_window).isEmpty()); // every button is hidden or off
    press(Qt::Key_Tab);
    EXPECT_TRUE(m_window->isAboutMode());

    press(Qt::Key_Escape);
    EXPECT_FALSE(m_window->isAboutMode());
    EXPECT_TRUE(visible("commandPanel"));
    EXPECT_TRUE(hasFocus("aboutButton"));

    press(Qt::Key_Return); // About... again
    ASSERT_TRUE(m_window->isAboutMode());
    press(Qt::Key_Enter);
    EXPECT_FALSE(m_window->isAboutMode());
    EXPECT_TRUE(enabled("doneButton"));
    EXPECT_EQ(tabWalk(*m_window, *child("aboutButton")).size(), 8);
}

TEST_F(MainWindowKeyboard, AboutModeLeadsBackToTheChooserWithSeveralMerchants) {
    installTwo();
    open();
    focusFromKeyboard(*child("chooserList"));
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    ASSERT_EQ(m_services.profile.merchantNumber, "111");
    focusFromKeyboard(*child("aboutButton"));
    press(Qt::Key_Return);
    ASSERT_TRUE(m_window->isAboutMode());
    EXPECT_EQ(tabStops(*m_window), QStringList{QStringLiteral("changeCompanyButton")});
    EXPECT_TRUE(hasFocus("changeCompanyButton"));
    press(Qt::Key_Return);
    EXPECT_TRUE(visible("chooserPanel"));
    EXPECT_TRUE(hasFocus("chooserList"));
    press(Qt::Key_Escape);
    EXPECT_FALSE(visible("chooserPanel"));
    EXPECT_TRUE(m_window->isAboutMode());
    press(Qt::Key_Escape);
    EXPECT_FALSE(m_window->isAboutMode());
}

TEST_F(MainWindowKeyboard, TheChooserIsWorkedFromTheKeyboardAndEnterOnALineIsOk) {
    installTwo();
    open();
    focusFromKeyboard(*child("chooserList"));
    // Nothing chosen yet: OK is off and there is no way out of About mode.
    EXPECT_EQ(tabWalk(*m_window, *child("chooserList")),
              QStringList({QStringLiteral("chooserList"), QStringLiteral("chooserHelpButton")}));
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return})
        press(key);
    EXPECT_TRUE(m_window->isAboutMode());
    EXPECT_EQ(m_store.merchantNumber(), "");

    // The first arrow selects the line with the focus frame, the first one.
    press(Qt::Key_Down);
    EXPECT_EQ(selectedLines(), QStringList{QStringLiteral("A")});
    const QStringList walk = tabWalk(*m_window, *child("chooserList"));
    EXPECT_EQ(walk, QStringList({QStringLiteral("chooserList"), QStringLiteral("chooserOkButton"),
                                 QStringLiteral("chooserHelpButton")}));
    EXPECT_THAT(walk, UnorderedElementsAreArray(tabStops(*m_window)));
    press(Qt::Key_Down);
    EXPECT_EQ(selectedLines(), QStringList{QStringLiteral("B")});

    press(Qt::Key_Return);
    EXPECT_FALSE(m_window->isAboutMode());
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Vendaxo (B)"));
    EXPECT_EQ(m_store.merchantNumber(), "222");
    EXPECT_TRUE(hasFocus("purchaseButton"));
}

TEST_F(MainWindowKeyboard, AMerchantChosenWithEnterLeavesAVisibleFocusOnTheFirstCommand) {
    installTwo();
    open();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    clickLine(1); // with the mouse, then Enter
    press(Qt::Key_Return);
    ASSERT_EQ(m_store.merchantNumber(), "222");
    EXPECT_TRUE(hasFocus("purchaseButton"));
    EXPECT_TRUE(showsFocusRing(*child("purchaseButton")));
}

TEST_F(MainWindowKeyboard, EnterOnTheChoosersHelpShowsHelpInsteadOfChoosing) {
    installTwo();
    open();
    focusFromKeyboard(*child("chooserList"));
    press(Qt::Key_Down);
    focusFromKeyboard(*child("chooserHelpButton"));
    press(Qt::Key_Return);
    EXPECT_THAT(m_help.shown, ElementsAre(1001));
    EXPECT_TRUE(m_window->isAboutMode());
}

TEST_F(MainWindowKeyboard, SetupNeededDialogIsWorkedFromTheKeyboard) {
    SetupNeededDialog dialog(m_help);
    dialog.show();
    const QStringList walk = tabWalk(dialog, *findIn(dialog, "okButton"));
    EXPECT_EQ(walk, QStringList({QStringLiteral("okButton"), QStringLiteral("helpButton")}));
    EXPECT_THAT(walk, UnorderedElementsAreArray(tabStops(dialog)));
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace vendaxo::test
