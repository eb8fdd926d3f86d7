#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "shell/gui/qt_text.h"
#include "snippets/button_snippets.h"
#include "snippets/checkout_snippet.h"
#include "snippets/gui/button_dialog.h"
#include "snippets/gui/checkout_dialog.h"
#include "snippets/gui/option_lists_editor.h"
#include "snippets/gui/page_window.h"
#include "snippets/gui/purchase_dialog.h"
#include "snippets/purchase_snippet.h"
#include "snippets/snippet_reader.h"
#include "test_support.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gmock/gmock.h>
#include <memory>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// "Edit Snippet..." from the page window through the main window's dialogs.
class MainWindowEditSnippet : public MainWindowTest {
protected:
    void SetUp() override {
        installOne();
        install("CGIPath", "http://cart.example/cgi");
        install("CGIRetrive", "http://cart.example/orders");
        writeFor("111", "OURL", "http://acme.example/");
        open(&m_page);
    }

    void openPage(const std::string& html) {
        writeFile(m_dir / "shop.html", html);
        ASSERT_TRUE(m_page.openPage(QString::fromStdString((m_dir / "shop.html").string())));
    }
    QString pageText() const {
        return m_page.editor()->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
    }
    // Edits the form around the first `text` of the page while `inDialog`
    // runs in the dialog's modal loop.
    void edit(const std::string& text, QDialog& dialog, std::function<void()> inDialog) {
        QTextCursor caret = m_page.editor()->textCursor();
        caret.setPosition(static_cast<int>(pageText().indexOf(QString::fromStdString(text))));
        m_page.editor()->setTextCursor(caret);
        whileModal(dialog, std::move(inDialog));
        editSnippetAction()->trigger();
    }
    // Edits the form around `text`, expecting no dialog to open (one that
    // does is closed, so the test fails instead of waiting).
    bool editOpensADialog(const std::string& text) {
        auto opened = std::make_shared<bool>(false);
        QTimer::singleShot(0, m_window.get(), [opened] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                *opened = true;
                dialog->close();
            }
        });
        QTextCursor caret = m_page.editor()->textCursor();
        caret.setPosition(static_cast<int>(pageText().indexOf(QString::fromStdString(text))));
        m_page.editor()->setTextCursor(caret);
        editSnippetAction()->trigger();
        QCoreApplication::processEvents();
        return *opened;
    }
    QAction* editSnippetAction() {
        return m_page.findChild<QAction*>(QStringLiteral("editSnippetAction"));
    }
    static std::string withoutLastLineEnd(std::string text) {
        text.pop_back();
        return text;
    }

    PageWindow m_page{m_prompts};
};

Product pageProduct() {
    Product product;
    product.sku = "MUG-7";
    product.price = "12.5";
    product.description = "Blue mug";
    product.weight = "1.5";
    product.caption = "Buy it";
    product.freeShipping = true;
    product.nonTaxable = true;
    product.noJump = true;
    product.quantityLock = true;
    product.fixedQuantity = "2";
    product.noMinimums = true;
    product.quantityDiscount = true;
    product.discounts.add("10", "11");
    product.discounts.add("20", "10.5");
    product.optionsEnabled = true;
    product.optionStyle = OptionStyle::Radio;
    product.options.rebuild("Colour;Red;Blue (add $1);\nSize;S;M (subtract $0.5);\n");
    return product;
}

// The dialog opens on every value of the form, its SKU kept; Insert replaces
// the form, and the dialog gets back what the merchant had in it before.
TEST_F(MainWindowEditSnippet, PurchaseFormOpensItsDialogFilledAndInsertReplacesIt) {
    const std::string form = buildPurchaseSnippet(pageProduct(), m_services.profile, "");
    openPage("<p>a</p>\n" + form + "<p>b</p>\n");
    PurchaseDialog& dialog = m_window->purchaseDialog();
    Product before;
    before.price = "3";
    before.description = "Kept";
    before.carriedText = "carried";
    before.options.rebuild("Old;x;\n");
    dialog.setValue(before);

    Product read = readSnippets(form).front().product;
    read.carriedText = "carried"; // the dialog's, not the form's
    Product shown;
    edit("MUG-7", dialog, [&] {
        shown = dialog.value();
        EXPECT_EQ(findIn<QLineEdit>(dialog, "skuEdit")->text(), QStringLiteral("MUG-7"));
        EXPECT_TRUE(findIn<QPushButton>(dialog, "insertButton")->isEnabled());
        EXPECT_EQ(itemTexts(findIn<QListWidget>(dialog, "discountList")),
                  (std::vector<std::string>{"10 - $11;", "20 - $10.5;"}));
        auto* price = findIn<QLineEdit>(dialog, "priceEdit");
        price->setText(QStringLiteral("13"));
        dialog.optionLists().setChanged(true); // as an edit of the lists does
        clickIn(dialog, "insertButton");
    });
    EXPECT_EQ(shown, read);
    EXPECT_EQ(shown.options.title(0), "List 1") << "a form carries no list titles";
    EXPECT_EQ(shown.options.cell(1, 2), "M (subtract $0.5)");

    Product edited = read;
    edited.price = "13";
    const std::string newForm = buildPurchaseSnippet(edited, m_services.profile, "");
    EXPECT_EQ(pageText().toStdString(), "<p>a</p>\n" + newForm + "<p>b</p>\n");
    EXPECT_TRUE(m_bridge.inserted.empty());
    EXPECT_EQ(dialog.value(), before);
    EXPECT_FALSE(dialog.optionLists().isChanged()) << "the edit's changes went into the page";

    // The next Insert of the command goes to the page editor again, its SKU cleared on show.
    whileModal(dialog, [&] {
        EXPECT_EQ(findIn<QLineEdit>(dialog, "skuEdit")->text(), QString());
        QTest::keyClicks(findIn<QLineEdit>(dialog, "skuEdit"), QStringLiteral("NEW"));
        clickIn(dialog, "insertButton");
    });
    click("purchaseButton");
    ASSERT_EQ(m_bridge.inserted.size(), 1u);
    EXPECT_THAT(m_bridge.inserted[0], HasSubstr("value=\"NEW\""));
}

TEST_F(MainWindowEditSnippet, CancelLeavesThePageAndTheDialogAsTheyWere) {
    const std::string form = buildPurchaseSnippet(pageProduct(), m_services.profile, "");
    openPage(form);
    PurchaseDialog& dialog = m_window->purchaseDialog();
    dialog.optionLists().setChanged(true);
    const Product before = dialog.value();
    m_page.show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    bool changedInEdit = true;
    edit("MUG-7", dialog, [&] {
        // The form's lists are unchanged as read, whatever was unsaved before.
        changedInEdit = dialog.optionLists().isChanged();
        clickIn(dialog, "cancelButton");
    });
    EXPECT_FALSE(changedInEdit);
    EXPECT_EQ(pageText().toStdString(), form);
    EXPECT_FALSE(m_page.isModified());
    EXPECT_EQ(dialog.value(), before);
    EXPECT_TRUE(dialog.optionLists().isChanged()) << "the lists put aside are still unsaved";
    EXPECT_TRUE(QTest::qWaitForWindowActive(&m_page)) << "the keyboard goes back to the page";
}

TEST_F(MainWindowEditSnippet, ButtonFormsOpenTheirDialogsWithTheirCaptions) {
    const std::string viewCart = buildViewCartSnippet("My \"cart\"", m_services.profile, "");
    const std::string orders = buildRetrieveOrdersSnippet("Orders", m_services.profile);
    openPage(viewCart + orders);
    ButtonDialog& viewCartDialog = m_window->viewCartDialog();
    ButtonDialog& ordersDialog = m_window->retrieveOrdersDialog();

    QString caption;
    edit("openshopcart", viewCartDialog, [&] {
        auto* edit = findIn<QLineEdit>(viewCartDialog, "captionEdit");
        caption = edit->text();
        edit->setText(QStringLiteral("Basket"));
        clickIn(viewCartDialog, "insertButton");
    });
    EXPECT_EQ(caption, QStringLiteral("My \"cart\""));
    edit("getorders", ordersDialog, [&] {
        caption = findIn<QLineEdit>(ordersDialog, "captionEdit")->text();
        clickIn(ordersDialog, "cancelButton");
    });
    EXPECT_EQ(caption, QStringLiteral("Orders"));

    EXPECT_EQ(pageText().toStdString(),
              buildViewCartSnippet("Basket", m_services.profile, "") + orders);
    EXPECT_EQ(viewCartDialog.value(), "View Shopping Cart");
    EXPECT_EQ(ordersDialog.value(), "Retrieve Orders");
}

// The payment rows, required values and button text come from the form; a
// form made in LinkPoint mode has no payment rows, so the boxes stay as loaded.
TEST_F(MainWindowEditSnippet, CheckoutFormOpensItsDialogWithTheFormsChoices) {
    CheckoutChoices choices;
    ASSERT_TRUE(choices.setPaymentCodes("13"));
    ASSERT_TRUE(choices.setRequiredCodes("15"));
    choices.buttonText = "Order now";
    m_services.session.followMainPage("http://acme.example/");
    const std::string form =
        buildCheckoutSnippet(choices, CheckoutSettings::load(m_store), m_services.profile);
    openPage("<p>a</p>\n" + form);
    m_store.writeMerchant("ccCards", "2");
    CheckoutDialog& dialog = m_window->checkoutDialog();

    CheckoutChoices shown;
    edit("Order now", dialog, [&] {
        shown = dialog.value();
        findIn<QLineEdit>(dialog, "buttonTextEdit")->setText(QStringLiteral("Send"));
        clickIn(dialog, "insertButton");
    });
    EXPECT_EQ(shown, choices);
    EXPECT_THAT(pageText().toStdString(), HasSubstr("value=\"Send\""));
    EXPECT_THAT(pageText().toStdString(), ::testing::Not(HasSubstr("Order now")));
    EXPECT_EQ(m_store.readMerchant("ccCards"), "13"); // stored as an Insert does
    EXPECT_EQ(m_store.readMerchant("ccVerify"), "15");
    EXPECT_EQ(dialog.value().buttonText, "Proceed With Checkout");

    m_store.writeMerchant("OCCVerifyType", "2");
    m_prompts.answers = {QMessageBox::No}; // the edited page is not saved
    openPage(buildCheckoutSnippet(choices, CheckoutSettings::load(m_store), m_services.profile));
    m_store.writeMerchant("ccCards", "27");
    edit("Order now", dialog, [&] {
        shown = dialog.value();
        clickIn(dialog, "cancelButton");
    });
    EXPECT_EQ(shown.paymentCodes(), "27");
    EXPECT_EQ(shown.buttonText, "Order now");
}

TEST_F(MainWindowEditSnippet, AnotherMerchantsFormOpensNothingAndSaysWhoseItIs) {
    MerchantProfile other = m_services.profile;
    other.merchantNumber = "333";
    openPage(buildViewCartSnippet("Cart", other, ""));
    EXPECT_FALSE(editOpensADialog("Cart"));
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Edit Snippet"));
    EXPECT_EQ(m_prompts.messages[0].text,
              QStringLiteral("This form belongs to merchant 333, who is not installed here. "
                             "Vendaxo edits only the forms of the current merchant."));
    EXPECT_FALSE(m_page.isModified());
}

TEST_F(MainWindowEditSnippet, AFormOfAnotherInstalledMerchantNamesThatMerchant) {
    installTwo();
    m_window->load();
    MerchantProfile second = m_services.profile;
    second.merchantNumber = "222";
    openPage(buildViewCartSnippet("Cart", second, ""));
    EXPECT_FALSE(editOpensADialog("Cart"));
    clickLine(0);
    click("chooserOkButton");
    EXPECT_FALSE(editOpensADialog("Cart"));
    ASSERT_EQ(m_prompts.messages.size(), 2u);
    EXPECT_EQ(m_prompts.messages[0].text,
              QStringLiteral("This form belongs to B (merchant 222). Choose that merchant in the "
                             "Vendaxo window to edit it."));
    EXPECT_EQ(m_prompts.messages[1].text,
              QStringLiteral("This form belongs to B (merchant 222), not to the current merchant "
                             "A (merchant 111). Vendaxo edits only the forms of the current "
                             "merchant."));
}

} // namespace vendaxo::test
