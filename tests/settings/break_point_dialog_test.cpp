#include "gui/tab_walk.h"
#include "settings/gui/break_point_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;

// The dialog with a chart that takes each entered row, as the rate chart page does.
class BreakPointDialogTest : public ::testing::Test {
protected:
    BreakPointDialogTest() {
        QObject::connect(&m_dialog, &BreakPointDialog::breakPointEntered, &m_dialog, [this] {
            const RateChart::Row row = m_dialog.row();
            m_current = m_chart.setCharge(row.breakPoint, row.charge);
            ++m_entered;
        });
    }

    template <typename T = QWidget> T* child(const char* name) {
        T* widget = m_dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    std::string text(const char* name) { return child<QLabel>(name)->text().toStdString(); }
    void openAdd(ChartBasis basis = ChartBasis::Dollar) {
        m_dialog.prepareAdd(basis, QStringLiteral("$"));
        m_dialog.show();
    }
    void openModify(std::size_t row) {
        m_dialog.prepareModify(m_chart.rows().at(row), ChartBasis::Weight, QStringLiteral("$"));
        m_dialog.show();
    }
    void enter(const char* breakPoint, const char* charge) {
        QTest::keyClicks(edit("breakPointEdit"), QString::fromLatin1(breakPoint));
        QTest::keyClicks(edit("chargeEdit"), QString::fromLatin1(charge));
        QTest::mouseClick(child<QPushButton>("okButton"), Qt::LeftButton);
    }
    std::vector<std::string> breakPoints() const {
        std::vector<std::string> points;
        for (const RateChart::Row& row : m_chart.rows())
            points.push_back(row.breakPoint + "-" + row.charge);
        return points;
    }

    RateChart m_chart;
    std::size_t m_current = 0;
    int m_entered = 0;
    BreakPointDialog m_dialog;
};

TEST_F(BreakPointDialogTest, AddModeShowsTheBasisAndEnablesOkWhenBothAreTyped) {
    openAdd();
    EXPECT_EQ(m_dialog.windowTitle().toStdString(), "Add New Shipping Break Point...");
    EXPECT_EQ(child<QGroupBox>("breakPointGroup")->title().toStdString(), "Price Break Point");
    EXPECT_EQ(text("breakPointLabel"), "Amount Break Point");
    EXPECT_EQ(text("chargeLabel"), "Shipping Charge Above Break Point");
    EXPECT_EQ(text("breakPointSignLabel"), "$");
    EXPECT_EQ(text("noteLabel"),
              "Note:  Shipping Charges are always for the amount equal to and above the break "
              "point.");
    EXPECT_EQ(m_dialog.focusWidget(), edit("breakPointEdit"));
    EXPECT_TRUE(child<QCheckBox>("closeAfterOkCheck")->isChecked());
    EXPECT_EQ(child<QPushButton>("closeButton")->text().toStdString(), "Close");

    auto* ok = child<QPushButton>("okButton");
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(edit("breakPointEdit"), QStringLiteral("15x"));
    EXPECT_EQ(edit("breakPointEdit")->text().toStdString(), "15") << "only digits and points";
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(edit("chargeEdit"), QStringLiteral("3"));
    EXPECT_TRUE(ok->isEnabled());
    QTest::keyClick(edit("chargeEdit"), Qt::Key_Backspace);
    EXPECT_FALSE(ok->isEnabled());

    m_dialog.prepareAdd(ChartBasis::Weight, QStringLiteral("$"));
    EXPECT_EQ(child<QGroupBox>("breakPointGroup")->title().toStdString(), "Weight Break Point");
    EXPECT_EQ(text("breakPointSignLabel"), "");
    EXPECT_EQ(text("chargeSignLabel"), "$");
    EXPECT_EQ(edit("breakPointEdit")->text().toStdString(), "") << "emptied for each opening";
    m_dialog.prepareAdd(ChartBasis::Quantity, QStringLiteral("$"));
    EXPECT_EQ(text("breakPointLabel"), "Quantity Break Point");
    EXPECT_EQ(m_entered, 0);
}

TEST_F(BreakPointDialogTest, EachOkHandsOverItsRowAndAnOpenWindowIsReadyForTheNext) {
    child<QCheckBox>("closeAfterOkCheck")->setChecked(false);
    openAdd();
    enter("10", "2");
    EXPECT_TRUE(m_dialog.isVisible()) << "the unchecked box keeps the window open";
    EXPECT_EQ(m_dialog.row(), (RateChart::Row{"10", "2"}));
    EXPECT_EQ(edit("breakPointEdit")->text().toStdString(), "") << "ready for the next point";
    EXPECT_EQ(edit("chargeEdit")->text().toStdString(), "");
    EXPECT_EQ(m_dialog.focusWidget(), edit("breakPointEdit"));
    EXPECT_FALSE(child<QPushButton>("okButton")->isEnabled());

    enter("5", "1");
    EXPECT_THAT(breakPoints(), ElementsAre("0-0", "5-1", "10-2"));
    EXPECT_EQ(m_current, 1u);
    enter("10.0", "4");
    EXPECT_THAT(breakPoints(), ElementsAre("0-0", "5-1", "10-4"));
    EXPECT_EQ(m_current, 2u);
    enter("0", "3");
    EXPECT_EQ(m_chart.zeroCharge(), "3");
    EXPECT_EQ(m_current, 0u);
    EXPECT_EQ(m_entered, 4);

    child<QCheckBox>("closeAfterOkCheck")->setChecked(true);
    QTest::keyClicks(edit("breakPointEdit"), QStringLiteral("20"));
    QTest::keyClicks(edit("chargeEdit"), QStringLiteral("6"));
    QTest::keyClick(edit("chargeEdit"), Qt::Key_Return);
    EXPECT_THAT(breakPoints(), ElementsAre("0-3", "5-1", "10-4", "20-6")) << "Enter presses OK";
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_entered, 5);
}

TEST_F(BreakPointDialogTest, ModifyModeChangesOnlyTheCharge) {
    m_chart.setCharge("10", "2");
    child<QCheckBox>("closeAfterOkCheck")->setChecked(false);
    openModify(1);
    EXPECT_EQ(m_dialog.windowTitle().toStdString(), "Modify Shipping Break Point...");
    EXPECT_FALSE(child("closeAfterOkCheck")->isVisible());
    EXPECT_EQ(child<QPushButton>("closeButton")->text().toStdString(), "Cancel");
    EXPECT_FALSE(edit("breakPointEdit")->isEnabled());
    EXPECT_EQ(edit("breakPointEdit")->text().toStdString(), "10");
    EXPECT_EQ(m_dialog.focusWidget(), edit("chargeEdit"));
    EXPECT_EQ(edit("chargeEdit")->selectedText().toStdString(), "2");
    QTest::keyClicks(edit("chargeEdit"), QStringLiteral("7.5"));
    QTest::mouseClick(child<QPushButton>("okButton"), Qt::LeftButton);
    EXPECT_THAT(breakPoints(), ElementsAre("0-0", "10-7.5"));
    EXPECT_FALSE(m_dialog.isVisible()) << "modify mode always closes";

    openModify(1);
    QTest::keyClicks(edit("chargeEdit"), QStringLiteral("9"));
    QTest::mouseClick(child<QPushButton>("closeButton"), Qt::LeftButton);
    EXPECT_THAT(breakPoints(), ElementsAre("0-0", "10-7.5")) << "Cancel changes nothing";
    EXPECT_EQ(m_entered, 1);

    openAdd();
    EXPECT_TRUE(child("closeAfterOkCheck")->isVisible());
    EXPECT_TRUE(edit("breakPointEdit")->isEnabled());
}

TEST_F(BreakPointDialogTest, TheKeyboardReachesEveryControl) {
    openAdd();
    m_dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    QTest::keyClicks(edit("breakPointEdit"), QStringLiteral("5"));
    QTest::keyClicks(edit("chargeEdit"), QStringLiteral("1"));
    EXPECT_TRUE(tabReachesEverything(*edit("breakPointEdit")));
    m_dialog.close();

    m_chart.setCharge("10", "2");
    openModify(1);
    m_dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    EXPECT_TRUE(tabReachesEverything(*edit("chargeEdit")));
}

} // namespace vendaxo::test
