#pragma once

#include <QStringList>

class QWidget;

namespace vendaxo::test {

// What Tab does in a window, pressed as the keyboard does: from `first`
// (given the focus) until the focus comes back to it, the object name of each
// widget it reaches, `first` included. A press that leaves the focus where it
// was adds "(stuck)" and ends the walk; "(lost)" is added when the focus
// leaves the window and "(no way back)" when it never returns to `first`.
QStringList tabWalk(QWidget& window, QWidget& first);

// Activates the widget's window and gives it the focus as Tab would.
void focusFromKeyboard(QWidget& widget);

// The object names of the window's widgets that Tab must reach: shown,
// enabled and taking the focus from Tab.
QStringList tabStops(const QWidget& window);

} // namespace vendaxo::test
