#include "app/main_window_fixture.h"
#include "shell/gui/setup_needed_dialog.h"
#include "shell/gui/window_placement.h"
#include "snippets/gui/button_dialog.h"
#include "snippets/gui/checkout_dialog.h"

#include <QScreen>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace vendaxo::test {

namespace {

const QRect kScreen(0, 0, 1280, 800);
// The main window's frame as it opens centred on that screen.
const QRect kMainWindow(456, 289, 368, 222);

bool inside(const QRect& area, const QRect& frame) {
    return area.contains(frame);
}

} // namespace

TEST(WindowPlacement, CentredFramesStayInsideWithTheirTitleBarOnScreen) {
    EXPECT_EQ(centredFrame(kScreen, QSize(368, 222)), kMainWindow);
    const QRect panelScreen(0, 30, 1280, 770); // a panel across the top
    EXPECT_EQ(centredFrame(panelScreen, QSize(400, 300)).center().y(), panelScreen.center().y());
    // Larger than the area: the top left corner, with the title bar, stays inside.
    EXPECT_EQ(centredFrame(panelScreen, QSize(1400, 900)).topLeft(), QPoint(0, 30));
}

TEST(WindowPlacement, OverTheAnchorCentredAsFarAsTheAreaAllows) {
    EXPECT_EQ(frameOver(kScreen, kMainWindow, QSize(200, 100)).center(), kMainWindow.center());
    // A page window at the right edge: the dialog moves left, whole on the screen.
    const QRect atRightEdge(836, 0, 444, 790);
    const QRect wide = frameOver(kScreen, atRightEdge, QSize(700, 300));
    EXPECT_EQ(wide.right(), kScreen.right());
    EXPECT_EQ(wide.center().y(), atRightEdge.center().y());
    EXPECT_EQ(frameOver(kScreen, atRightEdge, QSize(1400, 900)).topLeft(), QPoint(0, 0));
}

TEST(WindowPlacement, BesideTakesTheRoomierSideUpToTheWantedSize) {
    const QSize minimum(400, 200);
    const QRect right = frameBeside(kScreen, kMainWindow, minimum, QSize(960, 785));
    EXPECT_EQ(right.left(), kMainWindow.right() + 1 + kWindowGap);
    EXPECT_EQ(right.right(), kScreen.right()); // all the room there is
    EXPECT_EQ(right.height(), 785);
    EXPECT_TRUE(inside(kScreen, right));
    EXPECT_FALSE(right.intersects(kMainWindow));

    const QRect small = frameBeside(kScreen, kMainWindow, minimum, QSize(420, 300));
    EXPECT_EQ(small.size(), QSize(420, 300));
    EXPECT_EQ(small.center().y(), kMainWindow.center().y());

    const QRect nearRightEdge(900, 289, 368, 222);
    const QRect left = frameBeside(kScreen, nearRightEdge, minimum, QSize(960, 600));
    EXPECT_EQ(left.right(), nearRightEdge.left() - 1 - kWindowGap);
    EXPECT_TRUE(inside(kScreen, left));
}

TEST(WindowPlacement, BesideCoversTheAnchorOnlyWhenTheMinimumDoesNotFitAndStaysOnScreen) {
    const QRect narrow(0, 0, 800, 600);
    const QRect anchor(216, 189, 368, 222);
    const QRect frame = frameBeside(narrow, anchor, QSize(400, 200), QSize(960, 760));
    EXPECT_EQ(frame.size(), QSize(400, 600));
    EXPECT_TRUE(inside(narrow, frame));

    // Taller than the screen: as tall as the screen.
    EXPECT_EQ(frameBeside(kScreen, kMainWindow, QSize(400, 200), QSize(500, 2000)).height(), 800);
}

using MainWindowPlacement = MainWindowTest;

TEST_F(MainWindowPlacement, TheMainWindowAndEveryDialogOpenInsideTheScreen) {
    installOne();
    open();
    const QRect area = m_window->screen()->availableGeometry();
    EXPECT_LE((m_window->frameGeometry().center() - area.center()).manhattanLength(), 1);
    std::vector<QRect> frames;
    const auto note = [this, &frames](QDialog& dialog) {
        whileModal(dialog, [&frames, &dialog] { frames.push_back(dialog.frameGeometry()); });
    };
    note(m_window->setupNeededDialog());
    click("checkoutFormButton"); // no main page yet
    note(m_window->viewCartDialog());
    click("viewCartButton");
    note(m_window->retrieveOrdersDialog());
    click("retrieveOrdersButton");
    writeFor("111", "OURL", "http://acme.example/");
    m_window->load();
    note(m_window->checkoutDialog());
    click("checkoutFormButton");
    ASSERT_EQ(frames.size(), 4u);
    for (const QRect& frame : frames)
        EXPECT_TRUE(area.contains(frame))
            << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
}

TEST_F(MainWindowPlacement, ThePageWindowOpensBesideInsideTheScreenWithItsStatusBarWhole) {
    std::string page = "<html><body>\n";
    for (int line = 0; line < 40; ++line)
        page += "<p>A line of the shop's page that is longer than the window is wide.</p>\n";
    writeFile(m_dir / "shop.html", page + "</body></html>\n");
    PageWindow pageWindow(m_prompts);
    ASSERT_TRUE(pageWindow.openPage(QString::fromStdString((m_dir / "shop.html").string())));
    installOne();
    open(&pageWindow);
    placeBeside(pageWindow, *m_window, QSize(960, 760));
    pageWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pageWindow));

    const QRect area = pageWindow.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(pageWindow.frameGeometry()));
    EXPECT_TRUE(area.contains(m_window->frameGeometry()));
    const QList<QLabel*> labels = pageWindow.statusBar()->findChildren<QLabel*>();
    ASSERT_FALSE(labels.isEmpty());
    for (const QLabel* label : labels) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << qPrintable(label->text());
        EXPECT_TRUE(
            pageWindow.rect().contains(QRect(label->mapTo(&pageWindow, QPoint()), label->size())))
            << qPrintable(label->text());
    }
}

} // namespace vendaxo::test
