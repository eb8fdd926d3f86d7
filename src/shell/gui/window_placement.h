#pragma once

#include <QPoint>
#include <QRect>
#include <algorithm>

namespace vendaxo {

// Where a window's frame goes to lie on `screen`: moved left and up as far as
// needed, but never past the screen's left and top edges, where its title bar
// and first controls are.
inline QPoint onScreen(const QRect& frame, const QRect& screen) {
    return {std::max(std::min(frame.x(), screen.right() + 1 - frame.width()), screen.left()),
            std::max(std::min(frame.y(), screen.bottom() + 1 - frame.height()), screen.top())};
}

} // namespace vendaxo
