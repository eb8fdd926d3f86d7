#include "gui/gui_fixture.h"
#include "gui/tab_walk.h"
#include "shell/gui/app_services.h"
#include "shell/gui/application.h"
#include "shell/sqlite_store.h"
#include "snippets/gui/button_dialog.h"
#include "test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAreArray;

class ButtonDialogTest : public GuiTest {
protected:
    ButtonDialogTest() {
        m_profile.merchantNumber = "111";
        m_profile.companyName = "Acme";
        m_profile.cartServerAddress = "https://cart.example/cgi";
        m_profile.orderRetrievalAddress = "https://cart.example/orders";
        m_profile.currencySymbol = "$";
        m_store.setMerchantNumber("111");
    }
};

TEST_F(ButtonDialogTest, ViewCartInsertsTheSnippetWithStoredColoursAndCloses) {
    m_store.writeMerchant("shopcolors", "5,6");
    ButtonDialog dialog(ButtonDialog::Kind::ViewCart, m_services);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Insert Shopping Cart Button..."));
    EXPECT_EQ(findIn<QLineEdit>(dialog, "captionEdit")->text(),
              QStringLiteral("View Shopping Cart"));
    dialog.show();
    clickIn(dialog, "insertButton");
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_THAT(m_bridge.inserted[0], HasSubstr("action=\"http://cart.example/cgi\""));
    EXPECT_THAT(m_bridge.inserted[0], HasSubstr("name=\"vdx_shopcolors\" value=\"5,6\""));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ButtonDialogTest, RetrieveOrdersTakesTheTypedCaptionAndKeepsItForTheNextOpening) {
    ButtonDialog dialog(ButtonDialog::Kind::RetrieveOrders, m_services);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Insert Retrieve Orders Button..."));
    auto* caption = findIn<QLineEdit>(dialog, "captionEdit");
    EXPECT_EQ(caption->text(), QStringLiteral("Retrieve Orders"));
    dialog.show();
    caption->clear();
    QTest::keyClicks(caption, QStringLiteral("Get \"my\" orders"));
    clickIn(dialog, "insertButton");
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_THAT(m_bridge.inserted[0],
                HasSubstr("value=\"Get &quot;my&quot; orders\" name=\"getorders\""));
    dialog.show();
    EXPECT_EQ(caption->text(), QStringLiteral("Get \"my\" orders"));
}

TEST_F(ButtonDialogTest, UnreachableEditorShowsTheErrorAndLeavesTheDialogOpen) {
    m_bridge.reachable = false;
    ButtonDialog dialog(ButtonDialog::Kind::ViewCart, m_services);
    dialog.show();
    findIn<QLineEdit>(dialog, "captionEdit")->setText(QStringLiteral("Cart"));
    clickIn(dialog, "insertButton");
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Vendaxo"));
    EXPECT_EQ(m_prompts.messages[0].text, QStringLiteral("No page is open in the page editor."));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(findIn<QLineEdit>(dialog, "captionEdit")->text(), QStringLiteral("Cart"));
}

TEST_F(ButtonDialogTest, CancelBuildsNothingAndHelpShowsEachDialogsContext) {
    ButtonDialog viewCart(ButtonDialog::Kind::ViewCart, m_services);
    ButtonDialog retrieve(ButtonDialog::Kind::RetrieveOrders, m_services);
    viewCart.show();
    clickIn(viewCart, "helpButton");
    clickIn(viewCart, "cancelButton");
    retrieve.show();
    clickIn(retrieve, "helpButton");
    EXPECT_THAT(m_help.shown, ElementsAre(1003, 1005));
    EXPECT_TRUE(m_bridge.inserted.empty());
    EXPECT_EQ(viewCart.result(), QDialog::Rejected);
}

TEST_F(ButtonDialogTest, EachIsWorkedFromTheKeyboardWithEnterInsertingAndEscapeCancelling) {
    for (const auto kind : {ButtonDialog::Kind::ViewCart, ButtonDialog::Kind::RetrieveOrders}) {
        ButtonDialog dialog(kind, m_services);
        dialog.show();
        auto* caption = findIn<QLineEdit>(dialog, "captionEdit");
        const QStringList walk = tabWalk(dialog, *caption);
        EXPECT_EQ(walk,
                  QStringList({QStringLiteral("captionEdit"), QStringLiteral("insertButton"),
                               QStringLiteral("cancelButton"), QStringLiteral("helpButton")}));
        EXPECT_THAT(walk, UnorderedElementsAreArray(tabStops(dialog)));
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);

        dialog.show();
        focusFromKeyboard(*caption);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(m_bridge.inserted.size(), 2u);
}

} // namespace vendaxo::test
