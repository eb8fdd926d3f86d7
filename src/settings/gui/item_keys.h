#pragma once

#include <functional>

class QAbstractItemView;

namespace vendaxo {

// Enter, Return and F2 on `view` call `action` with the current row, as a
// double click on it does, so the keyboard reaches what the mouse can.
void onItemKeys(QAbstractItemView* view, std::function<void(int row)> action);

} // namespace vendaxo
