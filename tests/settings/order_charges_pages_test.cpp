#include "gui/gui_fakes.h"
#include "settings/gui/order_charges_pages.h"
#include "shell/gui/app_services.h"
#include "shell/sqlite_store.h"
#include "test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QWidget>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;

class OrderChargesPagesTest : public ::testing::Test {
protected:
    OrderChargesPagesTest() {
        m_pages.setValue(OrderCharges::load(m_store));
        m_host.show();
    }

    template <typename T> T* child(const QString& name) {
        T* widget = m_host.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    template <typename T> T* child(const char* name) { return child<T>(QString::fromLatin1(name)); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    QLineEdit* edit(const QString& name) { return child<QLineEdit>(name); }
    std::string text(const char* label) { return child<QLabel>(label)->text().toStdString(); }
    void toggle(const char* box) { QTest::keyClick(child<QCheckBox>(box), Qt::Key_Space); }
    // Which of the named widgets are enabled, in the order given.
    std::vector<bool> enabled(const QString& prefix, std::initializer_list<const char*> names) {
        std::vector<bool> states;
        for (const char* name : names)
            states.push_back(child<QWidget>(prefix + QString::fromLatin1(name))->isEnabled());
        return states;
    }
    void retype(QWidget* field, const char* typed) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, QString::fromUtf8(typed));
    }
    std::string message() {
        return child<QPlainTextEdit>("minimumMessageEdit")->toPlainText().toStdString();
    }

    TempDir m_dir;
    SqliteStore m_store{m_dir / "store.sqlite3"};
    ScriptedPrompts m_prompts;
    RecordingHelp m_help;
    RecordingBridge m_bridge;
    MerchantSession m_session{m_store};
    AppServices m_services{m_store, m_prompts, m_help, m_bridge, m_session};
    QWidget m_host;
    OrderChargesPages m_pages{m_services, &m_host};
};

// Every field distinct, so a swapped or dropped one shows.
OrderCharges everyFieldSet() {
    OrderCharges c;
    c.minimumEnabled = true;
    c.minimumBasis = MinimumBasis::Quantity;
    c.minimumAmount = "12";
    c.minimumMessage = "Buy more.\r\nThen come back.";
    c.discountEnabled = true;
    c.discountType = DiscountType::Flat;
    c.discountBasis = DiscountBasis::Weight;
    c.discountThreshold = "40";
    c.discountRate = "7.5";
    c.discountLabel = "Big order";
    c.handling = {true, ChargeBasis::Quantity, "1.10", "1.20", "1.30", "Packing"};
    c.insurance = {false, ChargeBasis::Weight, "2.10", "2.20", "2.30", "Cover"};
    return c;
}

TEST(OrderChargesPagesValue, CarriesEveryFieldThereAndBack) {
    TempDir dir;
    SqliteStore store{dir / "store.sqlite3"};
    ScriptedPrompts prompts;
    RecordingHelp help;
    RecordingBridge bridge;
    MerchantSession session(store);
    AppServices services{store, prompts, help, bridge, session};
    QWidget host;
    OrderChargesPages pages(services, &host);

    const OrderCharges set = everyFieldSet();
    pages.setValue(set);
    EXPECT_EQ(pages.value(), set);

    // And back to the other choice of every box, radio and list.
    OrderCharges other;
    other.minimumBasis = MinimumBasis::Weight;
    other.discountBasis = DiscountBasis::Quantity;
    other.handling.basis = ChargeBasis::Total;
    other.insurance = {true, ChargeBasis::FlatRate, "9", "", "", ""};
    pages.setValue(other);
    EXPECT_EQ(pages.value(), other);
}

TEST_F(OrderChargesPagesTest, EmptyStoreShowsTheDefaults) {
    EXPECT_EQ(m_pages.value(), OrderCharges{});
    for (const char* box : {"handlingEnabledCheck", "insuranceEnabledCheck", "discountEnabledCheck",
                            "minimumEnabledCheck"})
        EXPECT_FALSE(child<QCheckBox>(box)->isChecked()) << box;
    EXPECT_EQ(child<QComboBox>("handlingTypeCombo")->currentText().toStdString(), "Flat Rate");
    EXPECT_EQ(child<QComboBox>("insuranceTypeCombo")->currentText().toStdString(), "Flat Rate");
    EXPECT_EQ(edit("handlingBaseEdit")->text().toStdString(), "0.00");
    EXPECT_EQ(edit("insuranceMinimumEdit")->text().toStdString(), "0.00");
    EXPECT_EQ(edit("handlingCaptionEdit")->text().toStdString(), "Handling Charge:");
    EXPECT_EQ(edit("insuranceCaptionEdit")->text().toStdString(), "Insurance Charge:");
    EXPECT_TRUE(child<QRadioButton>("percentDiscountRadio")->isChecked());
    EXPECT_EQ(edit("discountThresholdEdit")->text().toStdString(), "0");
    EXPECT_EQ(edit("discountRateEdit")->text().toStdString(), "0");
    EXPECT_EQ(edit("discountCaptionEdit")->text().toStdString(), "Order Discount");
    EXPECT_EQ(child<QComboBox>("minimumBasisCombo")->currentText().toStdString(), "Dollar");
    EXPECT_EQ(edit("minimumAmountEdit")->text().toStdString(), "");
    EXPECT_EQ(message(), kDefaultMinimumMessage);
}

TEST_F(OrderChargesPagesTest, ChargeEnableBoxAndTypeDecideWhatCanBeEdited) {
    for (const QString& prefix : {QStringLiteral("handling"), QStringLiteral("insurance")}) {
        const auto states = [&] {
            return enabled(prefix,
                           {"TypeLabel", "TypeCombo", "BaseLabel", "BaseEdit", "CaptionLabel",
                            "CaptionEdit", "RateLabel", "RateEdit", "MinimumLabel", "MinimumEdit"});
        };
        const std::vector<bool> none(10, false);
        const std::vector<bool> flat{true, true,  true,  true,  true,
                                     true, false, false, false, false};
        const std::vector<bool> all(10, true);
        EXPECT_EQ(states(), none) << prefix.toStdString();

        auto* box = child<QCheckBox>(prefix + QStringLiteral("EnabledCheck"));
        QTest::keyClick(box, Qt::Key_Space);
        EXPECT_EQ(states(), flat) << prefix.toStdString();
        auto* type = child<QComboBox>(prefix + QStringLiteral("TypeCombo"));
        type->setCurrentIndex(static_cast<int>(ChargeBasis::Weight));
        EXPECT_EQ(states(), all) << prefix.toStdString();
        QTest::keyClick(box, Qt::Key_Space);
        EXPECT_EQ(states(), none) << "off hides a rated type too: " << prefix.toStdString();
    }
}

TEST_F(OrderChargesPagesTest, ChargeLabelsFollowTheTypeAndCurrency) {
    m_pages.setCurrency(QStringLiteral("€"));
    const auto labels = [&](const char* prefix, ChargeBasis basis) {
        child<QComboBox>(QString::fromLatin1(prefix) + QStringLiteral("TypeCombo"))
            ->setCurrentIndex(static_cast<int>(basis));
        std::vector<std::string> shown;
        for (const char* name : {"BaseLabel", "RateLabel", "MinimumLabel"})
            shown.push_back(child<QLabel>(QString::fromLatin1(prefix) + QString::fromLatin1(name))
                                ->text()
                                .toStdString());
        return shown;
    };
    EXPECT_EQ(labels("handling", ChargeBasis::FlatRate)[0], "Handling Charge: €");
    EXPECT_EQ(labels("insurance", ChargeBasis::FlatRate)[0], "Insurance Charge: €");
    EXPECT_THAT(labels("handling", ChargeBasis::Total),
                ElementsAre("Base Charge: €", "Rate per Dollar: €", "Minimum Charge: €"));
    EXPECT_THAT(labels("insurance", ChargeBasis::Quantity),
                ElementsAre("Base Charge: €", "Rate per Unit: €", "Minimum Charge: €"));
    EXPECT_THAT(labels("handling", ChargeBasis::Weight),
                ElementsAre("Base Charge: €", "Rate per Pound: €", "Minimum Charge: €"));
    m_pages.setCurrency(QStringLiteral("£"));
    EXPECT_EQ(text("handlingRateLabel"), "Rate per Pound: £") << "a new currency shows at once";
}

TEST_F(OrderChargesPagesTest, DiscountBoxTypeAndSign) {
    const QString none;
    const std::initializer_list<const char*> controls{
        "percentDiscountRadio", "flatDiscountRadio",     "discountBasisLabel", "discountBasisCombo",
        "discountExceedsLabel", "discountThresholdEdit", "discountRateLabel",  "discountRateEdit",
        "discountSignLabel",    "discountCaptionLabel",  "discountCaptionEdit"};
    EXPECT_EQ(enabled(none, controls), std::vector<bool>(11, false));
    toggle("discountEnabledCheck");
    EXPECT_EQ(enabled(none, controls), std::vector<bool>(11, true));

    auto* percent = child<QRadioButton>("percentDiscountRadio");
    auto* flat = child<QRadioButton>("flatDiscountRadio");
    EXPECT_EQ(text("discountSignLabel"), "%");
    QTest::mouseClick(flat, Qt::LeftButton);
    EXPECT_TRUE(flat->isChecked());
    EXPECT_FALSE(percent->isChecked());
    EXPECT_EQ(text("discountSignLabel"), "$");
    m_pages.setCurrency(QStringLiteral("€"));
    EXPECT_EQ(text("discountSignLabel"), "€");
    QTest::mouseClick(percent, Qt::LeftButton);
    EXPECT_FALSE(flat->isChecked());
    EXPECT_EQ(text("discountSignLabel"), "%");
}

TEST_F(OrderChargesPagesTest, PercentDiscountIsCappedAtHundredAfterEveryKey) {
    toggle("discountEnabledCheck");
    QLineEdit* rate = edit("discountRateEdit");
    retype(rate, "150");
    EXPECT_EQ(rate->text().toStdString(), "100");
    retype(rate, "99.5");
    EXPECT_EQ(rate->text().toStdString(), "99.5");

    QTest::mouseClick(child<QRadioButton>("flatDiscountRadio"), Qt::LeftButton);
    retype(rate, "150");
    EXPECT_EQ(rate->text().toStdString(), "150") << "a flat discount has no cap";
}

TEST_F(OrderChargesPagesTest, AmountEditsKeepToDigitsAndPoints) {
    OrderCharges all;
    all.handling.enabled = all.insurance.enabled = true;
    all.handling.basis = all.insurance.basis = ChargeBasis::Total;
    all.discountEnabled = all.minimumEnabled = true;
    m_pages.setValue(all);
    for (const char* name : {"handlingBaseEdit", "handlingRateEdit", "handlingMinimumEdit",
                             "insuranceBaseEdit", "insuranceRateEdit", "insuranceMinimumEdit",
                             "discountThresholdEdit", "discountRateEdit", "minimumAmountEdit"}) {
        retype(edit(name), "2.5x");
        EXPECT_EQ(edit(name)->text().toStdString(), "2.5") << name;
    }
}

TEST_F(OrderChargesPagesTest, MinimumMessageRefusesQuotesAndDashesWithoutLosingAKey) {
    const std::string refusal = "minimumMessageEdit|You cannot enter qoutation marks(\") or "
                                "dashes (-) in this field.";
    toggle("minimumEnabledCheck");
    auto* memo = child<QPlainTextEdit>("minimumMessageEdit");
    memo->clear();
    QTest::keyClicks(memo, QStringLiteral("ab"));
    EXPECT_TRUE(m_prompts.notices.empty()) << "plain text is no fault";

    QTest::keyClicks(memo, QStringLiteral("\"c-d, then the rest"));
    EXPECT_EQ(message(), "abcd, then the rest") << "every key after the refused ones arrived";
    ASSERT_EQ(m_prompts.notices.size(), 2u);
    EXPECT_EQ(m_prompts.notices.front().toStdString(), refusal);
    EXPECT_TRUE(m_prompts.messages.empty()) << "no box takes the keyboard";

    // Typed in the middle, the caret stays where the typing goes on.
    memo->setPlainText(QStringLiteral("Buy more."));
    QTextCursor caret = memo->textCursor();
    caret.setPosition(4);
    memo->setTextCursor(caret);
    QTest::keyClicks(memo, QStringLiteral("\"two\" "));
    EXPECT_EQ(message(), "Buy two more.");
    EXPECT_EQ(memo->textCursor().position(), 8);

    // Pasted text loses all of both at the next key.
    memo->setPlainText(QStringLiteral("x-\"y\"-z"));
    QTest::keyClick(memo, Qt::Key_End);
    EXPECT_EQ(message(), "xyz");
    EXPECT_EQ(m_prompts.notices.back().toStdString(), refusal);
    EXPECT_EQ(m_pages.value().minimumMessage, "xyz");
}

TEST_F(OrderChargesPagesTest, MinimumBoxAndAmountLabelByBasis) {
    const QString none;
    const std::initializer_list<const char*> controls{"minimumBasisLabel",   "minimumBasisCombo",
                                                      "minimumAmountLabel",  "minimumAmountEdit",
                                                      "minimumMessageLabel", "minimumMessageEdit"};
    EXPECT_EQ(enabled(none, controls), std::vector<bool>(6, false));
    toggle("minimumEnabledCheck");
    EXPECT_EQ(enabled(none, controls), std::vector<bool>(6, true));

    m_pages.setCurrency(QStringLiteral("€"));
    auto* basis = child<QComboBox>("minimumBasisCombo");
    EXPECT_EQ(text("minimumAmountLabel"), "Required Minimum Order Total: €");
    basis->setCurrentIndex(static_cast<int>(MinimumBasis::Weight));
    EXPECT_EQ(text("minimumAmountLabel"), "Required Minimum Order Weight:");
    basis->setCurrentIndex(static_cast<int>(MinimumBasis::Quantity));
    EXPECT_EQ(text("minimumAmountLabel"), "Required Minimum Order Quantity:");
}

TEST_F(OrderChargesPagesTest, ReapplyingRulesUndoesStrayEnabling) {
    // Whatever enabled controls behind the pages' back, showing a page sets them right.
    for (const char* name :
         {"handlingRateEdit", "insuranceBaseEdit", "discountRateEdit", "minimumMessageEdit"})
        child<QWidget>(name)->setEnabled(true);
    child<QLabel>("handlingBaseLabel")->setText(QStringLiteral("stale"));
    m_pages.reapplyRules();
    for (const char* name :
         {"handlingRateEdit", "insuranceBaseEdit", "discountRateEdit", "minimumMessageEdit"})
        EXPECT_FALSE(child<QWidget>(name)->isEnabled()) << name;
    EXPECT_EQ(text("handlingBaseLabel"), "Handling Charge: $");
}

TEST_F(OrderChargesPagesTest, TabFollowsTheLayout) {
    const auto chain = [](QWidget* page) {
        std::vector<std::string> names;
        QWidget* first = nullptr;
        for (QWidget* w = page->nextInFocusChain(); w != first; w = w->nextInFocusChain()) {
            if (!page->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus))
                continue;
            if (!first)
                first = w;
            names.push_back(w->objectName().toStdString());
            if (names.size() > 20)
                break;
        }
        return names;
    };
    EXPECT_THAT(chain(m_pages.handlingPage()),
                ElementsAre("handlingEnabledCheck", "handlingTypeCombo", "handlingBaseEdit",
                            "handlingRateEdit", "handlingMinimumEdit", "handlingCaptionEdit",
                            "insuranceEnabledCheck", "insuranceTypeCombo", "insuranceBaseEdit",
                            "insuranceRateEdit", "insuranceMinimumEdit", "insuranceCaptionEdit"));
    EXPECT_THAT(chain(m_pages.discountPage()),
                ElementsAre("discountEnabledCheck", "percentDiscountRadio", "flatDiscountRadio",
                            "discountBasisCombo", "discountThresholdEdit", "discountRateEdit",
                            "discountCaptionEdit", "minimumEnabledCheck", "minimumBasisCombo",
                            "minimumAmountEdit", "minimumMessageEdit"));
}

} // namespace vendaxo::test
