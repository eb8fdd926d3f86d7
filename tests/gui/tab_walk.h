#pragma once

#include <QStringList>
#include <gtest/gtest.h>

class QWidget;

namespace vendaxo::test {

// What Tab (or Shift+Tab) does in a window, pressed as the keyboard does: from
// `first` (given the focus) until the focus comes back to it, the object name
// of each widget it reaches, `first` included. A press that leaves the focus
// where it was adds "(stuck)" and ends the walk; "(lost)" is added when the
// focus leaves the window and "(no way back)" when it never returns to `first`.
QStringList tabWalk(QWidget& window, QWidget& first, bool backwards = false);

// Activates the widget's window and gives it the focus as Tab would.
void focusFromKeyboard(QWidget& widget);

// The object names of the window's widgets that Tab must reach: shown,
// enabled and taking the focus from Tab. Of a group of radio buttons Tab stops
// at the checked one; the arrow keys choose among them.
QStringList tabStops(const QWidget& window);

// Tab from `first` reaches every tab stop of its window once, never stays in a
// widget (a grid's cells) and comes back to `first`; Shift+Tab the same.
::testing::AssertionResult tabReachesEverything(QWidget& first);

} // namespace vendaxo::test
