#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace vendaxo::test {

// Presses Tab (or Shift+Tab) from `first` until the focus comes back to it and
// returns the widgets focused on the way, `first` included. A walk that comes
// to a widget a second time ends there; one that has not come back after
// `limit` presses ends with a null entry.
inline std::vector<QWidget*> tabWalk(QWidget* first, bool backwards = false, int limit = 80) {
    first->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    std::vector<QWidget*> walk{QApplication::focusWidget()};
    for (int press = 0; press < limit; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* now = QApplication::focusWidget();
        if (now == first)
            return walk;
        const bool again = std::find(walk.begin(), walk.end(), now) != walk.end();
        walk.push_back(now);
        if (again)
            return walk;
    }
    walk.push_back(nullptr);
    return walk;
}

// What a keyboard user must reach in `window` as it shows now: every shown,
// enabled widget that takes Tab focus. Of a group of radio buttons Tab stops
// at the checked one; the arrow keys choose among them.
inline std::set<QWidget*> tabStops(QWidget* window) {
    std::set<QWidget*> stops;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisible() || !w->isEnabled() ||
            !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
            continue;
        if (w->inherits("QRadioButton") && !w->property("checked").toBool())
            continue;
        stops.insert(w);
    }
    return stops;
}

inline QString nameOf(const QWidget* w) {
    return w ? w->objectName() : QStringLiteral("(stuck)");
}

// Tab from `first` visits every tab stop of its window once, never stays in a
// widget (a grid's cells) and comes back to `first`; Shift+Tab the same,
// backwards.
inline ::testing::AssertionResult tabReachesEverything(QWidget* first) {
    QWidget* window = first->window();
    for (const bool backwards : {false, true}) {
        const std::vector<QWidget*> walk = tabWalk(first, backwards);
        const std::set<QWidget*> visited(walk.begin(), walk.end());
        QStringList trace;
        for (const QWidget* w : walk)
            trace << nameOf(w);
        const auto failure = [&](const QString& why) {
            return ::testing::AssertionFailure()
                   << (backwards ? "Shift+Tab: " : "Tab: ") << why.toStdString() << " in "
                   << trace.join(QStringLiteral(" > ")).toStdString();
        };
        if (visited.size() != walk.size())
            return failure(QStringLiteral("a widget held the focus or came twice"));
        QStringList missed;
        for (QWidget* stop : tabStops(window)) {
            if (!visited.count(stop))
                missed << stop->objectName();
        }
        if (!missed.isEmpty())
            return failure(QStringLiteral("never reached ") + missed.join(QStringLiteral(", ")));
    }
    return ::testing::AssertionSuccess();
}

} // namespace vendaxo::test
