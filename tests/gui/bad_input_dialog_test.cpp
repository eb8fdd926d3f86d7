// Whatever is typed into the input boxes: no crash, what the dialog shows is what
// the store reads back, and the store can still be exported and imported.
#include "base/numbers.h"
#include "gui/gui_fixture.h"
#include "settings/gui/options_dialog.h"
#include "settings/gui/shipping_dialog.h"
#include "settings/shipping_settings.h"
#include "settings/store_options.h"
#include "shell/reg_file.h"
#include "snippets/gui/checkout_dialog.h"
#include "snippets/gui/option_lists_editor.h"
#include "snippets/gui/purchase_dialog.h"
#include "snippets/html.h"
#include "snippets/quantity_discounts.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

namespace vendaxo::test {

namespace {

// Empty, blank, a megabyte, every Latin-1 character, bytes that are not UTF-8,
// line breaks, the characters the stored lists are split at, a lone surrogate
// and numbers out of range.
std::vector<QString> nastyTexts() {
    std::string bytes;
    for (int c = 255; c >= 1; --c)
        bytes += static_cast<char>(c);
    return {QString(),
            QStringLiteral("   "),
            QString(1024 * 1024, QLatin1Char('x')),
            QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())),
            QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())),
            QStringLiteral("a\r\nb\nc\rd"),
            QStringLiteral("\"Ground\";x = $5;\r\n;0-1;"),
            QString(QChar(0xD800)),
            QStringLiteral("-1e-300"),
            QStringLiteral("1e309"),
            QStringLiteral("99999999999999999999999")};
}

class BadInputTest : public GuiTest {
protected:
    BadInputTest() {
        m_profile.merchantNumber = "111";
        m_profile.companyName = "Acme";
        m_profile.cartServerAddress = "https://cart.example/cgi";
        m_profile.currencySymbol = "$";
        m_store.setMerchantNumber("111");
    }

    // Answers the boxes one button opens; answers it did not ask for are dropped.
    void answer(QWidget& dialog, const char* button, std::deque<std::optional<QString>> inputs) {
        m_prompts.inputs = std::move(inputs);
        QPushButton* pushButton = findIn<QPushButton>(dialog, button);
        if (pushButton && pushButton->isEnabled())
            QTest::mouseClick(pushButton, Qt::LeftButton);
        m_prompts.inputs.clear();
    }

    // The store survives a .reg round trip to another machine.
    void expectExportable() {
        std::string exported;
        try {
            exported = exportRegFile(m_store);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "export failed: " << error.what();
            return;
        }
        TempDir other;
        SqliteStore copy(other / "copy.sqlite3");
        EXPECT_NO_THROW(importRegFile(copy, exported));
        EXPECT_EQ(exportRegFile(copy), exported);
    }
};

std::vector<std::string> listTexts(QWidget& dialog, const char* name) {
    std::vector<std::string> texts;
    if (auto* list = findIn<QListWidget>(dialog, name)) {
        for (int row = 0; row < list->count(); ++row)
            texts.push_back(list->item(row)->text().toStdString());
    }
    return texts;
}

} // namespace

TEST_F(BadInputTest, TaxTableKeepsWhatItShows) {
    OptionsDialog dialog(m_services);
    dialog.show();
    for (const QString& text : nastyTexts()) {
        answer(dialog, "addTaxButton", {text, QStringLiteral("6")});
        answer(dialog, "addTaxButton", {QStringLiteral("Ohio"), text});
    }
    const std::vector<std::string> shown = listTexts(dialog, "taxList");
    QTest::mouseClick(findIn<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    EXPECT_EQ(StoreOptions::load(m_store).taxEntries, shown);
    for (const std::string& entry : shown) {
        const std::string rate = taxEntryRate(entry);
        EXPECT_TRUE(rate.empty() || rate == numberText(leadingNumber(rate))) << entry;
    }
    expectExportable();
}

TEST_F(BadInputTest, ShippingListsKeepWhatTheyShow) {
    ShippingDialog dialog(m_services);
    dialog.show();
    for (const QString& text : nastyTexts()) {
        answer(dialog, "addUserChoiceButton", {text, QStringLiteral("5")});
        answer(dialog, "addUserChoiceButton", {QStringLiteral("Air"), text});
    }
    findIn<QListWidget>(dialog, "methodList")->setCurrentRow(2);
    for (const QString& text : nastyTexts())
        answer(dialog, "addBaseRateButton", {text, text});
    findIn<QListWidget>(dialog, "methodList")->setCurrentRow(4);
    for (const QString& text : nastyTexts())
        answer(dialog, "addChartButton", {text});

    const ShippingSettings shown = dialog.value().shipping;
    QTest::mouseClick(findIn<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    const ShippingSettings stored = ShippingSettings::load(m_store);
    EXPECT_EQ(stored.userChoices, shown.userChoices);
    EXPECT_EQ(stored.baseRates, shown.baseRates);
    EXPECT_EQ(stored.chartNames, shown.chartNames);
    EXPECT_EQ(stored.charts, shown.charts);
    for (const auto& list : {shown.userChoices, shown.baseRates}) {
        for (const std::string& item : list)
            EXPECT_EQ(rateText(shippingItemRate(item)), shippingItemRate(item)) << item;
    }
    expectExportable();
}

TEST_F(BadInputTest, OptionListTitlesKeepTheListsApart) {
    OptionListsEditor editor(m_services);
    editor.show();
    for (const QString& text : nastyTexts())
        answer(editor, "addListButton", {text});
    // Every title the editor took survives the stored form.
    const OptionGrid taken = editor.value().grid;
    OptionGrid reread;
    reread.rebuild(taken.data());
    EXPECT_EQ(reread.data(), taken.data());
    for (std::size_t c = 0; c < taken.columnCount(); ++c)
        EXPECT_EQ(reread.title(c), taken.title(c)) << c;
}

TEST_F(BadInputTest, DiscountsAreNormalisedWhateverIsTyped) {
    PurchaseDialog dialog(m_services);
    dialog.show();
    QTest::keyClick(findIn<QCheckBox>(dialog, "quantityDiscountCheck"), Qt::Key_Space);
    for (const QString& text : nastyTexts()) {
        answer(dialog, "addDiscountButton", {text, QStringLiteral("9.50")});
        answer(dialog, "addDiscountButton", {QStringLiteral("7"), text});
    }
    const QuantityDiscounts discounts = dialog.value().discounts;
    EXPECT_FALSE(discounts.empty());
    for (const std::string& entry : discounts.entries()) {
        const std::string quantity = QuantityDiscounts::quantityOf(entry);
        const std::string price = QuantityDiscounts::priceOf(entry);
        EXPECT_EQ(integerText(quantity), quantity) << entry;
        EXPECT_EQ(priceText(price), price) << entry;
    }
    EXPECT_EQ(QuantityDiscounts::fromStored(discounts.stored()), discounts);
}

TEST_F(BadInputTest, CheckoutButtonTextStaysInsideItsAttribute) {
    m_store.writeMerchant("OURL", "http://acme.example/");
    for (const QString& text : nastyTexts()) {
        CheckoutDialog dialog(m_services);
        dialog.show();
        QLineEdit* edit = findIn<QLineEdit>(dialog, "buttonTextEdit");
        edit->setText(text);
        const std::string typed = edit->text().toStdString();
        m_bridge.inserted.clear();
        QTest::mouseClick(findIn<QPushButton>(dialog, "insertButton"), Qt::LeftButton);
        ASSERT_EQ(m_bridge.inserted.size(), 1u);
        const std::string& form = m_bridge.inserted[0];
        EXPECT_NE(form.find("<input type=\"submit\" value=\"" + quoteAttribute(typed) +
                            "\" name=\"checkout\">"),
                  std::string::npos)
            << text.left(40).toStdString();
        EXPECT_TRUE(form.ends_with("</form>\n") || form.ends_with("</form>"))
            << text.left(40).toStdString();
    }
}

} // namespace vendaxo::test
