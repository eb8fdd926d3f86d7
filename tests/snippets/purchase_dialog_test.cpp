#include "gui/gui_fixture.h"
#include "gui/tab_walk.h"
#include "shell/gui/app_services.h"
#include "shell/gui/application.h"
#include "shell/gui/window_placement.h"
#include "shell/sqlite_store.h"
#include "snippets/gui/option_lists_editor.h"
#include "snippets/gui/purchase_dialog.h"
#include "snippets/purchase_snippet.h"
#include "test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gmock/gmock.h>

// Readable failures.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class PurchaseDialogTest : public GuiTest {
protected:
    PurchaseDialogTest() {
        m_profile.merchantNumber = "111";
        m_profile.companyName = "Acme";
        m_profile.cartServerAddress = "https://cart.example/cgi";
        m_profile.currencySymbol = "$";
        m_store.setMerchantNumber("111");
        m_dialog.show();
    }

    template <typename T> T* child(const char* name) { return findIn<T>(m_dialog, name); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    QCheckBox* box(const char* name) { return child<QCheckBox>(name); }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    QPlainTextEdit* description() { return child<QPlainTextEdit>("descriptionEdit"); }
    QListWidget* discounts() { return child<QListWidget>("discountList"); }

    void type(QWidget* widget, const char* text) {
        QTest::keyClicks(widget, QString::fromUtf8(text));
    }
    // Space, so the box changes as a merchant's click changes it.
    void toggle(const char* name) { QTest::keyClick(box(name), Qt::Key_Space); }
    void click(const char* name) { clickIn(m_dialog, name); }
    void clickEntry(int row, bool twice = false) {
        QListWidget* list = discounts();
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    void typeMinimalProduct() {
        type(edit("skuEdit"), "A1");
        type(edit("priceEdit"), "12.50");
        type(description(), "Knife");
    }
    std::vector<QString> entries() {
        std::vector<QString> texts;
        for (int row = 0; row < discounts()->count(); ++row)
            texts.push_back(discounts()->item(row)->text());
        return texts;
    }
    std::size_t storedCount() { return m_store.values(m_store.merchantKeyPath()).size(); }

    PurchaseDialog m_dialog{m_services};
};

TEST_F(PurchaseDialogTest, OpensAsANewProductAndHelpShowsItsTopic) {
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Insert Purchase Button..."));
    EXPECT_TRUE(m_dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    Product fresh = m_dialog.value();
    fresh.optionStyle = OptionStyle::DropDown;
    fresh.options = {};
    EXPECT_TRUE(fresh == Product{}) << "the fields start as a default product";
    EXPECT_FALSE(edit("fixedQuantityEdit")->isEnabled());
    for (const char* name : {"insertButton", "addDiscountButton", "removeDiscountButton"})
        EXPECT_FALSE(button(name)->isEnabled()) << name;
    EXPECT_FALSE(discounts()->isEnabled());
    click("helpButton");
    click("cancelButton");
    EXPECT_THAT(m_help.shown, ElementsAre(1002));
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(m_bridge.inserted.empty());
}

TEST_F(PurchaseDialogTest, InsertFollowsKeyReleasesAndEveryShowClearsTheSku) {
    type(edit("skuEdit"), "A1");
    type(edit("priceEdit"), "5");
    EXPECT_FALSE(button("insertButton")->isEnabled());
    type(description(), "K");
    EXPECT_TRUE(button("insertButton")->isEnabled());
    QTest::keyClick(edit("priceEdit"), Qt::Key_Backspace);
    EXPECT_FALSE(button("insertButton")->isEnabled()) << "the price field re-evaluates too";
    type(edit("priceEdit"), "6");
    EXPECT_TRUE(button("insertButton")->isEnabled());

    m_dialog.hide();
    m_dialog.show();
    EXPECT_EQ(edit("skuEdit")->text(), QString());
    EXPECT_FALSE(button("insertButton")->isEnabled());
    EXPECT_EQ(edit("priceEdit")->text(), QStringLiteral("6")) << "other fields are kept";
    EXPECT_EQ(description()->toPlainText(), QStringLiteral("K"));
}

TEST_F(PurchaseDialogTest, PriceKeyFilterRemovesOnlyWhatDigitsCannotProduceAndTypingGoesOn) {
    QLineEdit* price = edit("priceEdit");
    type(price, "12");
    QTest::keyPress(price, Qt::Key_Shift);
    QTest::keyClick(price, '$', Qt::ShiftModifier);
    QTest::keyRelease(price, Qt::Key_Shift);
    EXPECT_EQ(price->text(), QStringLiteral("12"));

    price->clear();
    type(price, "$39.5x0");
    EXPECT_EQ(price->text(), QStringLiteral("39.50")) << "a wrong key wipes nothing";

    // In the middle the wrong key goes from where it was typed, not from the end.
    QTest::keyClick(price, Qt::Key_Home);
    QTest::keyClick(price, Qt::Key_Right);
    QTest::keyClick(price, Qt::Key_Right);
    type(price, "x");
    EXPECT_EQ(price->text(), QStringLiteral("39.50"));
    EXPECT_EQ(price->cursorPosition(), 2);
    EXPECT_FALSE(price->hasSelectedText());
    type(price, "1");
    EXPECT_EQ(price->text(), QStringLiteral("391.50"));

    price->clear();
    type(price, "12.5");
    QTest::keyClick(price, Qt::Key_Home);
    QTest::keyClick(price, Qt::Key_End);
    EXPECT_EQ(price->text(), QStringLiteral("12.5"));
    EXPECT_FALSE(price->hasSelectedText());
    toggle("quantityLockCheck");
    for (const char* name : {"weightEdit", "fixedQuantityEdit"}) {
        type(edit(name), "2x");
        EXPECT_EQ(edit(name)->text(), QStringLiteral("02")) << name;
    }
}

TEST_F(PurchaseDialogTest, DescriptionLosesQuotationMarksWithANoticeAndNoKeyIsLost) {
    const QString notice =
        QStringLiteral("descriptionEdit|You cannot enter qoutation marks(\") in this field.");
    type(edit("skuEdit"), "A\"1");
    EXPECT_TRUE(m_prompts.notices.empty()) << "the SKU is not filtered";
    type(description(), "Delta Kite \"Harbour\" edition");
    EXPECT_EQ(description()->toPlainText(), QStringLiteral("Delta Kite Harbour edition"));
    EXPECT_THAT(m_prompts.notices, ElementsAre(notice, notice));
    EXPECT_TRUE(m_prompts.messages.empty()) << "nothing takes the keyboard";

    QTextCursor caret = description()->textCursor();
    caret.setPosition(5);
    description()->setTextCursor(caret);
    type(description(), "\"x");
    EXPECT_EQ(description()->toPlainText(), QStringLiteral("Deltax Kite Harbour edition"))
        << "the caret stays where the mark was typed";
    EXPECT_EQ(edit("skuEdit")->text(), QStringLiteral("A\"1"));
}

TEST_F(PurchaseDialogTest, DescriptionStaysOneLine) {
    type(description(), "Pocket");
    QTest::keyClick(description(), Qt::Key_Return);
    type(description(), " Knife");
    EXPECT_EQ(description()->toPlainText(), QStringLiteral("Pocket Knife"));
    description()->insertPlainText(QStringLiteral("\nModel\n18S"));
    type(description(), "!");
    EXPECT_EQ(description()->toPlainText(), QStringLiteral("Pocket Knife Model 18S!"))
        << "pasted line breaks become blanks, the caret after the paste";

    Product stored;
    stored.description = "Stored \"as it is\"";
    m_dialog.setValue(stored);
    EXPECT_EQ(m_dialog.value().description, stored.description) << "only typing is filtered";
    EXPECT_EQ(m_prompts.notices.size(), 0u);
}

TEST_F(PurchaseDialogTest, QuantityCheckBoxesExcludeEachOtherOnClicksOnly) {
    toggle("noFractionalCheck");
    toggle("quantityBoxCheck");
    toggle("quantityLockCheck");
    EXPECT_FALSE(box("noFractionalCheck")->isChecked());
    EXPECT_FALSE(box("quantityBoxCheck")->isChecked());
    EXPECT_TRUE(edit("fixedQuantityEdit")->isEnabled());
    toggle("quantityBoxCheck");
    EXPECT_FALSE(box("quantityLockCheck")->isChecked());
    EXPECT_FALSE(edit("fixedQuantityEdit")->isEnabled());
    EXPECT_EQ(edit("fixedQuantityEdit")->text(), QStringLiteral("0")) << "its text stays";
    toggle("quantityLockCheck");
    toggle("noFractionalCheck");
    EXPECT_FALSE(box("quantityLockCheck")->isChecked());
    EXPECT_TRUE(box("noFractionalCheck")->isChecked());

    Product product; // inconsistent on purpose: setValue shows it as it is
    product.quantityLock = product.noFractional = product.quantityBox = true;
    m_dialog.setValue(product);
    for (const char* name : {"quantityLockCheck", "noFractionalCheck", "quantityBoxCheck"})
        EXPECT_TRUE(box(name)->isChecked()) << name;
    EXPECT_TRUE(edit("fixedQuantityEdit")->isEnabled());
}

TEST_F(PurchaseDialogTest, DiscountsAreAddedUniqueEditedRemovedAndCarriedWhenUnchecked) {
    toggle("quantityDiscountCheck");
    ASSERT_TRUE(button("addDiscountButton")->isEnabled());
    const auto add = [&](std::vector<std::optional<QString>> answers) {
        m_prompts.inputs.assign(answers.begin(), answers.end());
        click("addDiscountButton");
        EXPECT_TRUE(m_prompts.inputs.empty()) << "every scripted box was asked";
    };
    add({QStringLiteral("10"), QStringLiteral("9.50")});
    EXPECT_THAT(m_prompts.inputPrompts,
                ElementsAre(QStringLiteral("Enter Quantity Discount...|Enter Quantity for the "
                                           "Discount|"),
                            QStringLiteral("Enter Quantity Discount Price...|Enter the item price "
                                           "for 10 quantity|")));
    add({QStringLiteral("10")});
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Warning..."));
    EXPECT_EQ(m_prompts.messages[0].text,
              QStringLiteral("You cannot add a quantity that already exists"));
    add({QStringLiteral("5"), std::nullopt});
    add({QStringLiteral("7.5"), QStringLiteral("3")});
    add({QStringLiteral("abc")});
    add({std::nullopt});
    EXPECT_THAT(entries(), ElementsAre(QStringLiteral("10 - $9.5;"), QStringLiteral("5 - $0;"),
                                       QStringLiteral("7 - $3;")));

    m_prompts.inputs = {QStringLiteral("4.25")};
    clickEntry(1, true);
    EXPECT_EQ(m_prompts.inputPrompts.back(),
              QStringLiteral("Enter Quantity Discount Price...|Enter the item price for 5 "
                             "quantity|0"));
    EXPECT_EQ(discounts()->item(1)->text(), QStringLiteral("5 - $4.25;"));

    // From the keyboard: the arrows choose an entry, Enter or F2 edits it.
    m_prompts.inputs = {QStringLiteral("9"), QStringLiteral("8")};
    QTest::keyClick(discounts(), Qt::Key_Up);
    QTest::keyClick(discounts(), Qt::Key_Return);
    QTest::keyClick(discounts(), Qt::Key_F2);
    EXPECT_EQ(discounts()->item(0)->text(), QStringLiteral("10 - $8;"));
    m_prompts.inputs = {QStringLiteral("9.5")};
    QTest::keyClick(discounts(), Qt::Key_Return);
    EXPECT_TRUE(m_prompts.inputs.empty());

    clickEntry(0);
    ASSERT_TRUE(button("removeDiscountButton")->isEnabled());
    m_prompts.answers = {QMessageBox::No, QMessageBox::Yes};
    click("removeDiscountButton");
    EXPECT_EQ(discounts()->count(), 3);
    click("removeDiscountButton");
    EXPECT_EQ(m_prompts.messages.back().caption, QStringLiteral("Confirmation"));
    EXPECT_EQ(m_prompts.messages.back().text, QStringLiteral("Remove Quantity Item (10 - $9.5;)?"));
    EXPECT_THAT(entries(), ElementsAre(QStringLiteral("5 - $4.25;"), QStringLiteral("7 - $3;")));
    EXPECT_FALSE(button("removeDiscountButton")->isEnabled());

    clickEntry(0);
    toggle("quantityDiscountCheck");
    EXPECT_FALSE(discounts()->isEnabled());
    EXPECT_FALSE(button("addDiscountButton")->isEnabled());
    EXPECT_FALSE(button("removeDiscountButton")->isEnabled());
    typeMinimalProduct();
    click("insertButton");
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_THAT(m_bridge.inserted[0], HasSubstr("value=\"5-4.25;7-3;\" name=\"quantity\""));
}

TEST_F(PurchaseDialogTest, SaveAsDefaultWritesOnlyOnYesAndLeavesTheOptionFlag) {
    Product product;
    product.price = "12.50";
    product.nonTaxable = product.quantityDiscount = true;
    product.discounts.add("10", "9");
    product.optionsEnabled = true;
    product.options.rebuild("Color;Red;\n");
    product.carriedText = "kept";
    m_dialog.setValue(product);
    m_dialog.optionLists().setChanged(true);
    m_prompts.answers = {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Yes};
    click("saveDefaultButton");
    click("saveDefaultButton");
    EXPECT_EQ(storedCount(), 0u);
    click("saveDefaultButton");
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Save As Defaults..."));
    EXPECT_EQ(m_prompts.messages[0].text, QStringLiteral("Save Current Settings as Defaults?"));
    EXPECT_EQ(m_prompts.messages[0].buttons,
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(storedCount(), 19u);
    EXPECT_EQ(m_store.readMerchant("PPrc"), "12.50");
    EXPECT_EQ(m_store.readMerchant("PTax"), "true");
    EXPECT_EQ(m_store.readMerchant("PQty"), "10 - $9;\r\n");
    EXPECT_EQ(m_store.readMerchant("POpt"), "kept");
    EXPECT_EQ(m_store.readMerchant("POptionEnable"), "true");
    EXPECT_EQ(m_store.readMerchant("POptionData"), "Color;Red;\n");
    EXPECT_TRUE(m_dialog.optionLists().isChanged());
}

TEST_F(PurchaseDialogTest, PasteDefaultRunsTheRulesClearsTheSkuAndTheOptionFlag) {
    const std::pair<const char*, const char*> stored[] = {
        {"PPrc", "3"},           {"PQty", "10 - $2;\r\n"},  {"PQcb", "true"},
        {"PFractional", "true"}, {"PQlock", "true"},        {"PQlockVal", "4"},
        {"POptionStyle", "1"},   {"POptionEnable", "true"}, {"POptionData", "Size;S;M;\n"}};
    for (const auto& [name, value] : stored)
        m_store.writeMerchant(name, value);
    typeMinimalProduct();
    m_dialog.optionLists().setChanged(true);
    click("pasteDefaultButton");
    EXPECT_EQ(edit("skuEdit")->text(), QString());
    EXPECT_FALSE(button("insertButton")->isEnabled());
    EXPECT_EQ(edit("priceEdit")->text(), QStringLiteral("3"));
    EXPECT_TRUE(box("quantityLockCheck")->isChecked());
    EXPECT_FALSE(box("noFractionalCheck")->isChecked());
    EXPECT_TRUE(edit("fixedQuantityEdit")->isEnabled());
    EXPECT_EQ(edit("fixedQuantityEdit")->text(), QStringLiteral("4"));
    EXPECT_EQ(edit("captionEdit")->text(), QString()) << "never saved pastes empty";
    EXPECT_THAT(entries(), ElementsAre(QStringLiteral("10 - $2;")));
    EXPECT_TRUE(discounts()->isEnabled());
    OptionListsEditor& options = m_dialog.optionLists();
    EXPECT_TRUE(options.value().enabled);
    EXPECT_EQ(options.value().style, OptionStyle::Radio);
    EXPECT_EQ(options.value().grid.data(), "Size;S;M;\n");
    EXPECT_FALSE(options.isChanged());
}

TEST_F(PurchaseDialogTest, InsertHandsTheEditorThePlainSnippetAndCloses) {
    typeMinimalProduct();
    click("insertButton");
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_EQ(m_bridge.inserted[0],
              "<form method=\"POST\" action=\"http://cart.example/cgi\">\n"
              "<input type=\"submit\" value=\"Add To Shopping Cart\" name=\"additem\">\n"
              "<input type=\"hidden\" value=\"A1\" name=\"sku\">\n"
              "<input type=\"hidden\" value=\"$12.5\" name=\"price\">\n"
              "<input type=\"hidden\" value=\"Knife\" name=\"description\">\n"
              "<input type=\"hidden\" value=\"0\" name=\"weight\">\n"
              "<input type=\"hidden\" value=\"yes\" name=\"taxable\">\n"
              "<input type=\"hidden\" value=\"Acme\" name=\"merchantname\">\n"
              "<input type=\"hidden\" value=\"111\" name=\"merchant\">\n"
              "</form>\n");
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(m_dialog.isVisible());
}

TEST_F(PurchaseDialogTest, InsertCarriesEveryFieldOfARichProduct) {
    m_profile.currencySymbol = "EUR";
    m_store.writeMerchant("shopcolors", "5,6");
    Product rich;
    rich.price = "$39.50";
    rich.description = "Delta kite";
    rich.weight = "1.2";
    rich.caption = "Buy";
    rich.freeShipping = rich.noJump = rich.noMinimums = rich.quantityBox = true;
    rich.noFractional = rich.quantityDiscount = true;
    rich.discounts.add("10", "35");
    rich.optionsEnabled = true;
    rich.options.rebuild("Colour;Red;Blue (add EUR1);\nSize;S;\n");
    rich.carriedText2 = "kept";
    m_dialog.setValue(rich);
    m_dialog.hide();
    m_dialog.show();
    type(edit("skuEdit"), "KITE-1");
    rich.sku = "KITE-1";
    EXPECT_TRUE(m_dialog.value() == rich) << "setValue and value agree";
    click("insertButton");
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_EQ(m_bridge.inserted[0], buildPurchaseSnippet(rich, m_services.profile, "5,6"));
}

TEST_F(PurchaseDialogTest, NonTaxableLeftCheckedFromAnEarlierOpeningStillCountsLater) {
    toggle("nonTaxableCheck");
    click("cancelButton");
    m_dialog.show();
    typeMinimalProduct();
    click("insertButton");
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_THAT(m_bridge.inserted[0], HasSubstr("value=\"no\" name=\"taxable\""));
}

TEST_F(PurchaseDialogTest, UnreachableEditorLeavesTheDialogOpenWithItsContents) {
    m_bridge.reachable = false;
    typeMinimalProduct();
    click("insertButton");
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Vendaxo"));
    EXPECT_EQ(m_prompts.messages[0].text, QStringLiteral("No page is open in the page editor."));
    EXPECT_TRUE(m_dialog.isVisible());
    EXPECT_EQ(edit("skuEdit")->text(), QStringLiteral("A1"));
    EXPECT_EQ(description()->toPlainText(), QStringLiteral("Knife"));
}

TEST_F(PurchaseDialogTest, NewProductStartsAgainAfterSettlingChangedLists) {
    Product delta;
    delta.sku = "K1";
    delta.price = "39.50";
    delta.description = "Delta Kite";
    delta.weight = "1.2";
    delta.caption = "Buy";
    delta.freeShipping = delta.nonTaxable = delta.quantityLock = delta.quantityDiscount = true;
    delta.fixedQuantity = "2";
    delta.discounts.add("10", "35");
    delta.optionsEnabled = true;
    delta.optionStyle = OptionStyle::Radio;
    delta.options.rebuild("Colour;Red;\n");
    delta.carriedText = "kept";
    m_dialog.setValue(delta);
    m_dialog.optionLists().setChanged(true);

    m_prompts.answers = {QMessageBox::Cancel};
    click("newProductButton");
    EXPECT_EQ(m_prompts.messages.back().caption, QStringLiteral("Save Changes..."));
    EXPECT_TRUE(m_dialog.value() == delta) << "Cancel keeps everything";

    m_prompts.answers = {QMessageBox::Yes};
    m_prompts.fileNames = {QString::fromStdU16String((m_dir / "delta.vdx").u16string())};
    click("newProductButton");
    EXPECT_EQ(readFile(m_dir / "delta.vdx"), "Colour;Red;\n\n") << "saved before they went";
    EXPECT_TRUE(m_dialog.value() == Product{}) << "every field, flag, price break and list";
    EXPECT_TRUE(discounts()->count() == 0 && !discounts()->isEnabled());
    EXPECT_FALSE(edit("fixedQuantityEdit")->isEnabled());
    EXPECT_FALSE(m_dialog.optionLists().isChanged());
    EXPECT_FALSE(button("insertButton")->isEnabled());

    m_dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    EXPECT_EQ(QApplication::focusWidget(), edit("skuEdit"));
    type(description(), "Box Kite");
    m_prompts.messages.clear();
    QSignalSpy clicked(button("newProductButton"), &QPushButton::clicked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(clicked.wait()) << "Alt+N"; // a mnemonic clicks after showing the press
    EXPECT_EQ(description()->toPlainText(), QString());
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(PurchaseDialogTest, MaximizedOptionsGrowOnlyIntoTheRoomTheScreenHas) {
    const QRect screen = m_dialog.screen()->availableGeometry();
    m_dialog.optionLists().setValue({true, OptionStyle::DropDown, {}});
    QCoreApplication::processEvents();
    const QRect before = m_dialog.frameGeometry();
    const int normal = m_dialog.optionLists().width();
    const int room = screen.width() - (before.width() - normal);
    QTest::mouseClick(findIn<QToolButton>(m_dialog, "maximizeButton"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_dialog.optionLists().width(), std::clamp(room, normal, 560));
    EXPECT_LE(m_dialog.frameGeometry().width(), std::max(screen.width(), before.width()));
    EXPECT_TRUE(screen.contains(m_dialog.frameGeometry().topLeft()));
}

TEST_F(PurchaseDialogTest, EnterOnAFocusedButtonPressesThatButtonNotInsert) {
    typeMinimalProduct();
    ASSERT_TRUE(button("insertButton")->isEnabled());
    QTest::keyClick(button("cancelButton"), Qt::Key_Return);
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(m_bridge.inserted.empty());
    m_dialog.show();
    typeMinimalProduct();
    QTest::keyClick(edit("captionEdit"), Qt::Key_Return);
    EXPECT_EQ(m_bridge.inserted.size(), 1u) << "from a field, Enter inserts";
}

TEST(WindowPlacement, AWindowPastTheScreenMovesBackOntoIt) {
    const QRect screen(0, 0, 1280, 800);
    EXPECT_EQ(onScreen(QRect(208, 130, 865, 510), screen), QPoint(208, 130)) << "on it already";
    EXPECT_EQ(onScreen(QRect(208, 130, 1154, 510), screen), QPoint(126, 130));
    EXPECT_EQ(onScreen(QRect(900, 500, 400, 400), screen), QPoint(880, 400));
    EXPECT_EQ(onScreen(QRect(-50, -20, 1400, 900), screen), QPoint(0, 0))
        << "too big: the title bar stays reachable";
}

TEST_F(PurchaseDialogTest, TabReachesEveryEnabledControlWithOptionsOnAndOff) {
    for (const bool options : {false, true}) {
        Product product;
        product.optionsEnabled = options;
        product.options.rebuild("Colour;Red;\n");
        product.quantityLock = product.quantityDiscount = true;
        product.discounts.add("10", "35");
        m_dialog.setValue(product);
        EXPECT_TRUE(tabReachesEverything(*edit("skuEdit"))) << options;
        EXPECT_EQ(tabWalk(m_dialog, *edit("skuEdit")).size(), options ? 32 : 22)
            << "with the option lists' controls";
    }
}

} // namespace vendaxo::test
