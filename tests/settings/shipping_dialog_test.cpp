#include "gui/gui_fakes.h"
#include "gui/tab_walk.h"
#include "settings/gui/break_point_dialog.h"
#include "settings/gui/shipping_dialog.h"
#include "shell/gui/app_services.h"
#include "shell/gui/application.h"
#include "shell/sqlite_store.h"
#include "test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;

using Rows = std::vector<std::pair<std::string, std::string>>;

class ShippingDialogTest : public ::testing::Test {
protected:
    ShippingDialogTest() {
        static_cast<Application*>(qApp)->setPrompts(&m_prompts);
        m_store.setMerchantNumber("111");
    }
    ~ShippingDialogTest() override { static_cast<Application*>(qApp)->setPrompts(nullptr); }

    template <typename T = QWidget> T* child(const char* name) {
        T* widget = m_dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    std::string text(const char* name) {
        if (auto* edit = m_dialog.findChild<QLineEdit*>(QString::fromLatin1(name)))
            return edit->text().toStdString();
        return child<QLabel>(name)->text().toStdString();
    }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void chooseMethod(int method) { child<QListWidget>("methodList")->setCurrentRow(method); }
    void retype(const char* name, const char* typed) {
        auto* edit = child<QLineEdit>(name);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromUtf8(typed));
    }
    void clickItem(const char* list, int row, bool twice = false) {
        auto* widget = child<QListWidget>(list);
        const QPoint at = widget->visualItemRect(widget->item(row)).center();
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, at);
    }
    std::vector<std::string> items(const char* list) {
        std::vector<std::string> texts;
        auto* widget = child<QListWidget>(list);
        for (int row = 0; row < widget->count(); ++row)
            texts.push_back(widget->item(row)->text().toStdString());
        return texts;
    }
    // The grid below its caption row.
    Rows gridRows() {
        auto* grid = child<QTableWidget>("chartGrid");
        Rows rows;
        for (int row = 1; row < grid->rowCount(); ++row)
            rows.emplace_back(grid->item(row, 0)->text().toStdString(),
                              grid->item(row, 1)->text().toStdString());
        return rows;
    }
    std::string gridCell(int row, int column) {
        return child<QTableWidget>("chartGrid")->item(row, column)->text().toStdString();
    }
    bool visible(const char* name) { return child(name)->isVisible(); }
    std::string lastMessage() const {
        const ShownMessage& shown = m_prompts.messages.back();
        return shown.caption.toStdString() + "|" + shown.text.toStdString();
    }
    std::vector<NamedValue> storedValues() { return m_store.values(m_store.merchantKeyPath()); }
    // Answers the break-point window once it is open.
    void addBreakPoint(const char* breakPoint, const char* charge) {
        QTimer::singleShot(0, &m_dialog, [this, breakPoint, charge] {
            auto* window = m_dialog.findChild<BreakPointDialog*>();
            ASSERT_NE(window, nullptr);
            QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("breakPointEdit")),
                             QString::fromLatin1(breakPoint));
            QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("chargeEdit")),
                             QString::fromLatin1(charge));
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("okButton")),
                              Qt::LeftButton);
            if (window->isVisible()) // stays open when its box is unchecked
                window->reject();
        });
        click("addRateButton");
    }

    TempDir m_dir;
    SqliteStore m_store{m_dir / "store.sqlite3"};
    ScriptedPrompts m_prompts;
    RecordingHelp m_help;
    RecordingBridge m_bridge;
    MerchantSession m_session{m_store};
    AppServices m_services{m_store, m_prompts, m_help, m_bridge, m_session};
    ShippingDialog m_dialog{m_services};
};

TEST_F(ShippingDialogTest, EmptyStoreOpensWithTheDefaults) {
    m_dialog.show();
    EXPECT_EQ(m_dialog.windowTitle().toStdString(), "Select Shipping...");
    EXPECT_EQ(m_dialog.value(), ShippingChoices());
    EXPECT_EQ(child<QListWidget>("methodList")->currentRow(), 0);
    EXPECT_TRUE(visible("userChoiceList"));
    EXPECT_EQ(text("titleLabel"), "Ship By User Choice");
    EXPECT_THAT(items("userChoiceList"),
                ElementsAre("Standard Ground = $5;", "Second Day = $15;", "Overnight = $25;"));
    EXPECT_EQ(text("unitRateEdit"), "0.00");
    EXPECT_EQ(text("baseRateEdit"), "0.00");
    EXPECT_EQ(text("minimumEdit"), "0.00");
    EXPECT_EQ(text("messageEdit"), "Shipping Charges Automatically Calculated");
    EXPECT_TRUE(child<QRadioButton>("weightRadio")->isChecked());
    EXPECT_EQ(child<QComboBox>("compareByCombo")->currentText().toStdString(), "Dollar");
    for (const char* combo : {"upsOriginCombo", "upsPickupCombo", "upsPackageCombo"})
        EXPECT_EQ(child<QComboBox>(combo)->currentIndex(), 0) << combo;
    EXPECT_EQ(child<QComboBox>("upsPackageCombo")->itemText(5).toStdString(),
              "UPS Worldwide 10KG Box");
    std::string services;
    for (QCheckBox* check : child("upsServiceChecks")->findChildren<QCheckBox*>())
        services += check->isChecked() ? "1;" : "0;";
    EXPECT_EQ(services, "1;1;1;1;1;1;1;0;0;0;0;");
    EXPECT_EQ(child<QLineEdit>("upsZipEdit")->maxLength(), 5);
    EXPECT_EQ(text("upsBaseRateLabel"), "Additional Cost:  $");
    EXPECT_EQ(m_dialog.focusWidget(), child("okButton"));
}

TEST_F(ShippingDialogTest, CancelWritesNothingAndOkWritesEveryValue) {
    m_dialog.show();
    retype("messageEdit", "Calculated at checkout");
    click("cancelButton");
    EXPECT_TRUE(storedValues().empty());

    m_dialog.setCurrency(QStringLiteral("EUR"));
    m_dialog.show();
    EXPECT_EQ(text("messageEdit"), "Shipping Charges Automatically Calculated") << "reloaded";
    EXPECT_EQ(text("zeroRateLabel"), "Zero Base Rate EUR");
    chooseMethod(5);
    retype("upsZipEdit", "4411234");
    retype("upsBaseRateEdit", "2.5x");
    child<QComboBox>("upsPickupCombo")->setCurrentIndex(3);
    QTest::mouseClick(child<QCheckBox>("upsServiceCheck8"), Qt::LeftButton);
    click("okButton");

    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    ShippingSettings expected;
    expected.method = ShippingMethod::Ups;
    expected.upsOriginZip = "44112";
    expected.upsBaseRate = "2.5";
    expected.upsPickup = 3;
    expected.upsServices[8] = true;
    EXPECT_EQ(ShippingSettings::load(m_store), expected);
    EXPECT_EQ(m_store.readMerchant("UPSService"), "1;1;1;1;1;1;1;0;1;0;0;");
    EXPECT_EQ(m_store.readMerchant("OShp"),
              "Standard Ground = $5;\r\nSecond Day = $15;\r\nOvernight = $25;\r\n");
    // Every value of both groups, the defaults included; no chart for method 5.
    EXPECT_EQ(storedValues().size(), 16u + 22u);
    EXPECT_EQ(m_store.readMerchant("HandlingLabel"), "Handling Charge:");
    EXPECT_EQ(m_dialog.summary().toStdString(),
              "UPS Calculations\nHandling disabled\nInsurance disabled\n"
              "Global Discount disabled\nMinimum Restrictions disabled");
}

TEST_F(ShippingDialogTest, EachMethodShowsItsPageAndHelp) {
    m_dialog.show();
    chooseMethod(1);
    EXPECT_TRUE(visible("baseRateEdit") && visible("minimumEdit") && visible("messageEdit"));
    EXPECT_TRUE(visible("exampleLabel"));
    EXPECT_FALSE(visible("baseRateList") || visible("addBaseRateButton"));
    chooseMethod(2);
    EXPECT_EQ(text("titleLabel"), "Ship By Multiple Base Rate Calculation");
    EXPECT_FALSE(visible("baseRateEdit") || visible("minimumLabel") || visible("messageEdit"));
    EXPECT_FALSE(visible("exampleLabel"));
    EXPECT_TRUE(visible("baseRateList") && visible("baseRateListLabel") &&
                visible("removeBaseRateButton"));
    EXPECT_TRUE(visible("unitRateEdit") && visible("totalRadio"));
    chooseMethod(3);
    EXPECT_TRUE(visible("chartGrid") && visible("chartPictureLabel"));
    EXPECT_FALSE(visible("chartNameList") || visible("chartNameLabel") ||
                 visible("addChartButton"));
    EXPECT_LT(child("chartGrid")->mapTo(&m_dialog, QPoint()).x(),
              child("chartPictureLabel")->mapTo(&m_dialog, QPoint()).x());
    click("helpButton");
    chooseMethod(4);
    EXPECT_TRUE(visible("chartNameList") && visible("removeChartButton"));
    EXPECT_FALSE(visible("chartPictureLabel"));
    EXPECT_GT(child("chartGrid")->mapTo(&m_dialog, QPoint()).x(),
              child("chartNameList")->mapTo(&m_dialog, QPoint()).x());
    chooseMethod(5);
    EXPECT_EQ(text("titleLabel"), "Use UPS(tm) Online Shipping");
    EXPECT_THAT(text("descriptionLabel"), StartsWith("The UPS(tm) Online Shipping method"));
    EXPECT_TRUE(visible("upsZipEdit"));
    click("helpButton");

    click("handlingButton");
    EXPECT_EQ(text("titleLabel"), "Handling and Insurance (Global Settings)");
    EXPECT_EQ(child<QListWidget>("methodList")->currentRow(), 5) << "keeps its selection";
    click("helpButton");
    click("discountsButton");
    EXPECT_EQ(text("titleLabel"), "Discounts and Minimums (Global Settings)");
    EXPECT_THAT(text("descriptionLabel"), EndsWith("before they can order from your site."));
    click("helpButton");
    clickItem("methodList", 5);
    EXPECT_TRUE(visible("upsZipEdit")) << "the chosen method's page comes back";
    EXPECT_THAT(m_help.shown, ElementsAre(1013, 1015, 1016, 1018));
}

TEST_F(ShippingDialogTest, SingleChartKeepsItsEditsUntilOk) {
    m_store.writeMerchant("OSta", "3");
    m_store.writeMerchant("RateChartData", ";0-5;10-7.5;\n");
    m_store.writeMerchant("RateChartComparison", "1");
    m_dialog.show();
    EXPECT_THAT(gridRows(), ElementsAre(Rows::value_type{"0", "5"}, Rows::value_type{"10", "7.5"}));
    EXPECT_EQ(gridCell(0, 0), "Weight");
    EXPECT_EQ(gridCell(0, 1), "Rate ($)");
    EXPECT_EQ(text("zeroRateEdit"), "5");

    retype("zeroRateEdit", "9z");
    EXPECT_EQ(text("zeroRateEdit"), "9");
    EXPECT_EQ(gridCell(1, 1), "9") << "the zero row follows each key";
    chooseMethod(0);
    chooseMethod(3);
    EXPECT_EQ(gridCell(1, 1), "9") << "another method's page drops no chart edit";
    EXPECT_EQ(text("zeroRateEdit"), "9");

    child<QComboBox>("compareByCombo")->setCurrentIndex(2);
    EXPECT_EQ(gridCell(0, 0), "Quantity");
    addBreakPoint("20", "4");
    EXPECT_EQ(gridRows().back(), (Rows::value_type{"20", "4"}));
    EXPECT_EQ(child<QTableWidget>("chartGrid")->currentRow(), 3);
    EXPECT_TRUE(child<QPushButton>("removeRateButton")->isEnabled());
    m_prompts.answers = {QMessageBox::Yes};
    click("removeRateButton");
    EXPECT_EQ(lastMessage(), "Confirmation|Remove Quantity (20 = $4)?");
    EXPECT_EQ(gridRows().size(), 2u);
    EXPECT_FALSE(child<QPushButton>("removeRateButton")->isEnabled());
    addBreakPoint("0", "3.25");
    EXPECT_EQ(text("zeroRateEdit"), "3.25") << "break point 0 is the zero row";
    click("okButton");
    EXPECT_EQ(m_store.readMerchant("RateChartData"), ";0-3.25;10-7.5;\n");
    EXPECT_EQ(m_store.readMerchant("RateChartComparison"), "2");
}

TEST_F(ShippingDialogTest, NamedChartsFollowTheSelectedName) {
    m_store.writeMerchant("OSta", "4");
    m_store.writeMerchant("RateChartChoices", "A\r\nB\r\n");
    m_store.writeMerchant("MRateChartData", "A;0-1;\nB;0-2;5-1;\n");
    m_dialog.show();
    EXPECT_EQ(child<QListWidget>("chartNameList")->currentRow(), 0);
    EXPECT_THAT(gridRows(), ElementsAre(Rows::value_type{"0", "1"}));
    clickItem("chartNameList", 1);
    EXPECT_THAT(gridRows(), ElementsAre(Rows::value_type{"0", "2"}, Rows::value_type{"5", "1"}));
    EXPECT_EQ(text("zeroRateEdit"), "2");
    retype("zeroRateEdit", "3");
    clickItem("chartNameList", 0);
    clickItem("chartNameList", 1);
    EXPECT_EQ(gridCell(1, 1), "3") << "the shown chart is kept when another is chosen";

    chooseMethod(3);
    chooseMethod(4);
    EXPECT_EQ(m_dialog.value().shipping.charts[1].zeroCharge(), "3") << "switching keeps edits";
    EXPECT_EQ(child<QListWidget>("chartNameList")->currentRow(), 0);
    clickItem("chartNameList", 1);
    retype("zeroRateEdit", "4");
    click("okButton");
    EXPECT_EQ(m_store.readMerchant("MRateChartData"), "A;0-1;\nB;0-4;5-1;\n");
}

TEST_F(ShippingDialogTest, ChartNamesAreWrittenAtOnce) {
    m_store.writeMerchant("OSta", "4");
    m_dialog.show();
    for (const char* name : {"chartGrid", "addRateButton", "zeroRateEdit"})
        EXPECT_FALSE(child(name)->isEnabled()) << "no chart to keep an edit in: " << name;
    m_prompts.inputs = {QStringLiteral("Ground"), QStringLiteral("Air;Sea"), QStringLiteral("Air")};
    click("addChartButton");
    EXPECT_EQ(m_prompts.inputPrompts.back().toStdString(),
              "Enter New User Selectable Shipping Item...|Enter the new user selectable "
              "shipping item|");
    EXPECT_EQ(m_store.readMerchant("RateChartChoices"), "Ground\r\n");
    EXPECT_THAT(gridRows(), ElementsAre(Rows::value_type{"0", "0"}));
    EXPECT_TRUE(child("addRateButton")->isEnabled());
    addBreakPoint("10", "2");
    click("addChartButton");
    EXPECT_EQ(lastMessage(), "Vendaxo|A rate chart name cannot contain \";\" or a line break.");
    click("addChartButton");
    EXPECT_THAT(items("chartNameList"), ElementsAre("Ground", "Air"));
    EXPECT_EQ(m_store.readMerchant("RateChartChoices"), "Ground\r\nAir\r\n");
    EXPECT_EQ(child<QListWidget>("chartNameList")->currentRow(), 1);

    m_prompts.inputs = {QStringLiteral("Sea")};
    clickItem("chartNameList", 1, true);
    EXPECT_EQ(m_prompts.inputPrompts.back().toStdString(),
              "Edit Rate Chart Name...|Enter the new name for rate chart Air|Air");
    EXPECT_EQ(m_store.readMerchant("RateChartChoices"), "Ground\r\nAir\r\n") << "until OK";

    m_prompts.answers = {QMessageBox::No, QMessageBox::Yes};
    clickItem("chartNameList", 0);
    click("removeChartButton");
    EXPECT_EQ(items("chartNameList").size(), 2u);
    click("removeChartButton");
    EXPECT_EQ(lastMessage(), "Confirmation|Remove Shipping Item (Ground)?");
    EXPECT_THAT(items("chartNameList"), ElementsAre("Sea"));
    EXPECT_EQ(m_store.readMerchant("RateChartChoices"), "Sea\r\n");
    EXPECT_EQ(m_store.readMerchant("MRateChartData"), "Sea;0-0;\n");
    m_prompts.answers = {QMessageBox::Yes};
    click("removeChartButton");
    EXPECT_EQ(m_store.readMerchant("MRateChartData"), "");
    EXPECT_FALSE(child<QPushButton>("removeChartButton")->isEnabled());
}

TEST_F(ShippingDialogTest, ItemListsAskForNormalisedRates) {
    m_dialog.show();
    m_prompts.inputs = {QStringLiteral("Freight"), QStringLiteral("$5.00"), QStringLiteral("Bike"),
                        std::nullopt};
    click("addUserChoiceButton");
    click("addUserChoiceButton");
    EXPECT_EQ(m_prompts.inputPrompts[1].toStdString(),
              "Enter New Shipping Rate...|Enter the shipping rate as a decimal ($5.38 = 5.38)|");
    EXPECT_EQ(items("userChoiceList").back(), "Freight = $5;") << "a cancelled rate adds nothing";

    m_prompts.inputs = {QStringLiteral("5%")};
    clickItem("userChoiceList", 2, true);
    EXPECT_EQ(m_prompts.inputPrompts.back().toStdString(),
              "Enter New Shipping Rate...|Enter the new shipping rate for Overnight|25");
    EXPECT_EQ(items("userChoiceList")[2], "Overnight = $0.05;");

    EXPECT_TRUE(child<QPushButton>("removeUserChoiceButton")->isEnabled());
    QTest::mouseClick(child("userChoicePage"), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(child<QPushButton>("removeUserChoiceButton")->isEnabled());
    m_prompts.answers = {QMessageBox::Yes};
    clickItem("userChoiceList", 0);
    click("removeUserChoiceButton");
    EXPECT_EQ(lastMessage(), "Confirmation|Remove Shipping Item (Standard Ground = $5;)?");
    EXPECT_THAT(items("userChoiceList"),
                ElementsAre("Second Day = $15;", "Overnight = $0.05;", "Freight = $5;"));

    chooseMethod(2);
    m_prompts.inputs = {QStringLiteral("Air"), QStringLiteral("-3"), QStringLiteral("abc")};
    click("addBaseRateButton");
    EXPECT_EQ(m_prompts.inputPrompts.back().toStdString(),
              "Enter New Base Shipping Rate...|Enter the base rate as a decimal ($5.38 = 5.38)|");
    clickItem("baseRateList", 0, true);
    EXPECT_EQ(m_prompts.inputPrompts.back().toStdString(),
              "Enter New Base Rate...|Enter the new base rate for Air|0");
    click("okButton");
    EXPECT_EQ(m_store.readMerchant("OBaseChart"), "Air = $0;\r\n");
    EXPECT_EQ(m_store.readMerchant("OShp"),
              "Second Day = $15;\r\nOvernight = $0.05;\r\nFreight = $5;\r\n");
}

TEST_F(ShippingDialogTest, ExampleFollowsEachKeyAndTheBasis) {
    m_dialog.show();
    chooseMethod(1);
    retype("unitRateEdit", "1.15");
    retype("baseRateEdit", "1");
    retype("minimumEdit", "0");
    EXPECT_THAT(text("exampleLabel"), StartsWith(" Calculation by Weight Example:\n\n"));
    EXPECT_THAT(text("exampleLabel"), EndsWith(" + (4 lbs) * $1.15\n\n Shipping = $5.6"));
    EXPECT_EQ(text("unitRateLabel"), "Rate per Pound $");
    QTest::mouseClick(child<QRadioButton>("quantityRadio"), Qt::LeftButton);
    EXPECT_EQ(text("unitRateLabel"), "Rate per Unit $");
    EXPECT_THAT(text("exampleLabel"), EndsWith(" Shipping = $6.75"));
    retype("minimumEdit", "10a");
    EXPECT_EQ(text("minimumEdit"), "10");
    EXPECT_THAT(text("exampleLabel"),
                EndsWith(" Shipping is less than the minimum so it is calculated as $10"));
    EXPECT_EQ(text("minimumLabel"), "Minimum Charge $");
}

TEST_F(ShippingDialogTest, ChartEditsOfBothMethodsLastUntilOkOrCancel) {
    m_store.writeMerchant("OSta", "3");
    m_store.writeMerchant("RateChartData", ";0-5;\n");
    m_store.writeMerchant("RateChartChoices", "A\r\nB\r\n");
    m_store.writeMerchant("MRateChartData", "A;0-1;\nB;0-2;\n");
    m_dialog.show();
    addBreakPoint("10", "7");
    chooseMethod(4);
    clickItem("chartNameList", 1);
    addBreakPoint("5", "3");
    chooseMethod(3);
    EXPECT_THAT(gridRows(), ElementsAre(Rows::value_type{"0", "5"}, Rows::value_type{"10", "7"}));
    chooseMethod(4);
    clickItem("chartNameList", 1);
    EXPECT_THAT(gridRows(), ElementsAre(Rows::value_type{"0", "2"}, Rows::value_type{"5", "3"}));

    m_prompts.inputs = {QStringLiteral("C")};
    click("addChartButton");
    EXPECT_EQ(m_store.readMerchant("RateChartChoices"), "A\r\nB\r\nC\r\n");
    EXPECT_EQ(m_store.readMerchant("MRateChartData"), "A;0-1;\nB;0-2;\n") << "charts wait for OK";
    m_prompts.answers = {QMessageBox::Yes};
    clickItem("chartNameList", 0);
    click("removeChartButton");
    EXPECT_EQ(m_store.readMerchant("RateChartChoices"), "B\r\nC\r\n");
    EXPECT_EQ(m_store.readMerchant("MRateChartData"), "B;0-2;5-3;\nC;0-0;\n")
        << "a removal stores the charts as the dialog holds them";
    click("cancelButton");
    EXPECT_EQ(m_store.readMerchant("RateChartData"), ";0-5;\n");

    m_dialog.show();
    EXPECT_THAT(gridRows(), ElementsAre(Rows::value_type{"0", "5"}))
        << "an opening reads the store";
}

TEST_F(ShippingDialogTest, EveryPageShowsInTheSameSize) {
    m_store.writeMerchant("RateChartChoices", "A\r\n");
    m_dialog.show();
    const auto place = [this] {
        m_dialog.layout()->activate();
        return std::pair(m_dialog.size(), child("okButton")->mapTo(&m_dialog, QPoint()));
    };
    const auto first = place();
    for (int method = 1; method <= 5; ++method) {
        chooseMethod(method);
        EXPECT_EQ(place(), first) << "method " << method;
    }
    for (const char* page : {"handlingButton", "discountsButton"}) {
        click(page);
        EXPECT_EQ(place(), first) << page;
    }
}

TEST_F(ShippingDialogTest, BreakPointEditorOpensBesideTheGrid) {
    m_store.writeMerchant("OSta", "3");
    m_dialog.show();
    QWidget* grid = child("chartGrid");
    const QRect screen = m_dialog.screen()->availableGeometry();
    const auto gridArea = [grid] {
        return QRect(grid->mapToGlobal(QPoint()), grid->size());
    };
    const auto editorArea = [this] {
        QRect area;
        QTimer::singleShot(0, &m_dialog, [this, &area] {
            auto* window = m_dialog.findChild<BreakPointDialog*>();
            ASSERT_NE(window, nullptr);
            area = window->frameGeometry();
            window->reject();
        });
        click("addRateButton");
        return area;
    };

    m_dialog.move(screen.topLeft());
    QRect editor = editorArea();
    EXPECT_GT(editor.left(), gridArea().right());
    EXPECT_TRUE(screen.contains(editor)) << "inside the screen";

    // No room on the right: the left side.
    m_dialog.move(screen.right() - grid->mapTo(&m_dialog, QPoint(grid->width(), 0)).x() - 10,
                  screen.top());
    editor = editorArea();
    EXPECT_LT(editor.right(), gridArea().left());
    EXPECT_TRUE(screen.contains(editor));
}

TEST_F(ShippingDialogTest, TheGridsKeysDoWhatItsDoubleClickDoes) {
    m_store.writeMerchant("OSta", "3");
    m_store.writeMerchant("RateChartData", ";0-5;10-7.5;20-9;\n");
    m_dialog.show();
    m_dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    auto* grid = child<QTableWidget>("chartGrid");
    const auto modifiedBy = [this, grid](Qt::Key key) {
        std::string shown;
        QTimer::singleShot(0, &m_dialog, [this, &shown] {
            auto* window = m_dialog.findChild<BreakPointDialog*>();
            ASSERT_NE(window, nullptr);
            shown = window->windowTitle().toStdString() + "|" +
                    window->findChild<QLineEdit*>(QStringLiteral("breakPointEdit"))
                        ->text()
                        .toStdString();
            window->reject();
        });
        QTest::keyClick(grid, key);
        return shown;
    };
    grid->setFocus();
    grid->setCurrentCell(2, 0);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentRow(), 3) << "the arrows move within the grid";
    EXPECT_EQ(modifiedBy(Qt::Key_Return), "Modify Shipping Break Point...|20");
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(modifiedBy(Qt::Key_F2), "Modify Shipping Break Point...|10");
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(m_dialog.focusWidget(), child("zeroRateEdit")) << "row 1 is the zero edit's";
    EXPECT_EQ(child<QLineEdit>("zeroRateEdit")->selectedText().toStdString(), "5");

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(m_dialog.focusWidget(), child("addRateButton")) << "Tab leaves the grid";
    QTest::keyClick(child("addRateButton"), Qt::Key_Backtab);
    QTest::keyClick(grid, Qt::Key_Backtab);
    EXPECT_NE(m_dialog.focusWidget(), grid);

    m_prompts.inputs = {QStringLiteral("7")};
    chooseMethod(0);
    auto* choices = child<QListWidget>("userChoiceList");
    choices->setFocus();
    choices->setCurrentRow(1);
    QTest::keyClick(choices, Qt::Key_Return);
    EXPECT_EQ(items("userChoiceList")[1], "Second Day = $7;") << "Enter edits a list item too";
}

TEST_F(ShippingDialogTest, TabReachesEveryControlOfEachPage) {
    m_store.writeMerchant("RateChartChoices", "A\r\nB\r\n");
    m_store.writeMerchant("OBaseChart", "Air = $5;\r\n");
    OrderCharges everything;
    everything.minimumEnabled = everything.discountEnabled = true;
    everything.handling.enabled = everything.insurance.enabled = true;
    everything.handling.basis = everything.insurance.basis = ChargeBasis::Weight;
    everything.save(m_store);
    m_dialog.show();
    m_dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    for (int method = 0; method <= 5; ++method) {
        chooseMethod(method);
        EXPECT_TRUE(tabReachesEverything(*child("methodList"))) << "method " << method;
    }
    for (const char* page : {"handlingButton", "discountsButton"}) {
        click(page);
        EXPECT_TRUE(tabReachesEverything(*child("methodList"))) << page;
    }
}

} // namespace vendaxo::test
