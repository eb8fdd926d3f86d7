#include "shell/gui/prompts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace vendaxo::test {

class NoticeBalloonTest : public ::testing::Test {
protected:
    NoticeBalloonTest() {
        auto* layout = new QVBoxLayout(&m_window);
        layout->addWidget(m_field);
        layout->addWidget(m_other);
        layout->addStretch();
        m_window.resize(440, 200);
        m_field->setObjectName(QStringLiteral("descriptionEdit"));
    }
    QLabel* balloon() const { return m_window.findChild<QLabel*>(QStringLiteral("noticeBalloon")); }

    QWidget m_window;
    QLineEdit* m_field = new QLineEdit(&m_window);
    QLineEdit* m_other = new QLineEdit(&m_window);
    QtPrompts m_prompts;
    const QString m_text = QStringLiteral("You cannot enter qoutation marks(\") in this field.");
};

TEST_F(NoticeBalloonTest, ShowsUnderTheFieldWhileTheKeysGoOnIntoIt) {
    m_window.show();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    m_field->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Delta"));
    m_prompts.notice(m_field, m_text);
    ASSERT_NE(balloon(), nullptr);
    EXPECT_TRUE(balloon()->isVisible());
    EXPECT_EQ(balloon()->text(), m_text);
    EXPECT_EQ(balloon()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(QApplication::activeWindow(), &m_window) << "the balloon takes no activation";
    EXPECT_EQ(QApplication::focusWidget(), m_field);
    EXPECT_GE(balloon()->y(), m_field->geometry().bottom()) << "under the field";
    EXPECT_TRUE(m_window.rect().contains(balloon()->geometry()));
    EXPECT_TRUE(balloon()->testAttribute(Qt::WA_TransparentForMouseEvents));

    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" Kite"));
    EXPECT_EQ(m_field->text(), QStringLiteral("Delta Kite"));
    EXPECT_TRUE(balloon()->isVisible()) << "still there to be read";

    m_prompts.notice(m_field, m_text);
    m_prompts.notice(m_other, m_text);
    EXPECT_EQ(m_window.findChildren<QLabel*>().size(), 1) << "one balloon a window";
    const QRect other = m_other->geometry();
    EXPECT_TRUE(balloon()->y() > other.bottom() || balloon()->geometry().bottom() < other.top())
        << "now beside the other field, where the window has room, never over it";
    m_field->setFocus();
    m_prompts.notice(m_field, m_text);

    m_other->setFocus();
    EXPECT_FALSE(balloon()->isVisible()) << "gone with the focus";
}

TEST_F(NoticeBalloonTest, GoesWithItsWindowAndIsNotShownForAHiddenField) {
    m_prompts.notice(m_field, m_text);
    EXPECT_EQ(balloon(), nullptr) << "the field is not on the screen";
    m_window.show();
    m_prompts.notice(m_field, m_text);
    ASSERT_NE(balloon(), nullptr);
    EXPECT_TRUE(balloon()->isVisible());
    m_window.hide();
    EXPECT_FALSE(balloon()->isVisible());
}

} // namespace vendaxo::test
