#include "gui/tab_walk.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace vendaxo::test {

namespace {

// More presses than any window has widgets.
constexpr int kMostPresses = 64;

} // namespace

void focusFromKeyboard(QWidget& widget) {
    QWidget* window = widget.window();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << qPrintable(window->objectName());
    widget.setFocus(Qt::TabFocusReason);
}

QStringList tabWalk(QWidget& window, QWidget& first) {
    focusFromKeyboard(first);
    QStringList names{first.objectName()};
    for (int press = 0; press < kMostPresses; ++press) {
        const QWidget* before = QApplication::focusWidget();
        // Through the window, so the key goes where the keyboard's would.
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        const QWidget* now = QApplication::focusWidget();
        if (now == &first)
            return names;
        if (!now || now->window() != &window) {
            names << QStringLiteral("(lost)");
            return names;
        }
        if (now == before) {
            names << QStringLiteral("(stuck)");
            return names;
        }
        names << now->objectName();
    }
    names << QStringLiteral("(no way back)");
    return names;
}

QStringList tabStops(const QWidget& window) {
    QStringList names;
    const QList<QWidget*> widgets = window.findChildren<QWidget*>();
    for (const QWidget* widget : widgets) {
        if (widget->window() == &window && widget->isVisible() && widget->isEnabled() &&
            (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy())
            names << widget->objectName();
    }
    return names;
}

} // namespace vendaxo::test
