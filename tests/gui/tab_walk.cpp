#include "gui/tab_walk.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace vendaxo::test {

namespace {

// More presses than any window has widgets.
constexpr int kMostPresses = 80;

} // namespace

void focusFromKeyboard(QWidget& widget) {
    QWidget* window = widget.window();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << qPrintable(window->objectName());
    widget.setFocus(Qt::TabFocusReason);
}

QStringList tabWalk(QWidget& window, QWidget& first, bool backwards) {
    focusFromKeyboard(first);
    QStringList names{first.objectName()};
    for (int press = 0; press < kMostPresses; ++press) {
        const QWidget* before = QApplication::focusWidget();
        // Through the window, so the key goes where the keyboard's would.
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
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
        if (widget->window() != &window || !widget->isVisibleTo(&window) || !widget->isEnabled() ||
            (widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || widget->focusProxy())
            continue;
        if (widget->inherits("QRadioButton") && !widget->property("checked").toBool())
            continue;
        names << widget->objectName();
    }
    return names;
}

::testing::AssertionResult tabReachesEverything(QWidget& first) {
    QWidget& window = *first.window();
    QStringList stops = tabStops(window);
    stops.sort();
    for (const bool backwards : {false, true}) {
        const QStringList walk = tabWalk(window, first, backwards);
        QStringList reached = walk;
        reached.sort();
        if (reached != stops)
            return ::testing::AssertionFailure()
                   << (backwards ? "Shift+Tab: " : "Tab: ")
                   << walk.join(QStringLiteral(" > ")).toStdString()
                   << "\n  stops: " << stops.join(QStringLiteral(", ")).toStdString();
    }
    return ::testing::AssertionSuccess();
}

} // namespace vendaxo::test
