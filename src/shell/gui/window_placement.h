#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

class QWidget;

namespace vendaxo {

// Where windows open. The rectangles are frames (title bar and borders
// included) within a screen's available area.

// Centred in the area; a frame larger than the area keeps its top left inside.
QRect centredFrame(const QRect& area, const QSize& frame);

// Centred on the anchor's frame, moved as little as needed to lie in the area;
// a frame larger than the area keeps its top left inside.
QRect frameOver(const QRect& area, const QRect& anchor, const QSize& frame);

// Beside the anchor's frame, on the side with more room (the right on a tie),
// as wide as that room allows between `minimum` and `wanted`, and centred on
// the anchor's height. It covers part of the anchor only when not even
// `minimum` fits beside it; it always stays inside the area.
QRect frameBeside(const QRect& area, const QRect& anchor, const QSize& minimum,
                  const QSize& wanted);

// Where a window's frame goes to lie on `screen`: moved left and up as far as
// needed, but never past the screen's left and top edges, where its title bar
// and first controls are.
inline QPoint onScreen(const QRect& frame, const QRect& screen) {
    return {std::max(std::min(frame.x(), screen.right() + 1 - frame.width()), screen.left()),
            std::max(std::min(frame.y(), screen.bottom() + 1 - frame.height()), screen.top())};
}

// Gap between a window and the one it is placed beside.
inline constexpr int kWindowGap = 12;

// The window, frame included, centred on its screen's available area. The
// window manager of X11 adds the frame only once the window is mapped, so the
// placement is made again when the real frame differs from the one assumed.
void centreOnScreen(QWidget& window);

// The window over `anchor` as frameOver() says, on the anchor's screen; placed
// again like centreOnScreen() once it is framed.
void centreOver(QWidget& window, const QWidget& anchor);

// The window beside `anchor` as frameBeside() says; `wanted` and the window's
// minimum size are without the frame. Placed again like centreOnScreen() once
// it is framed.
void placeBeside(QWidget& window, const QWidget& anchor, const QSize& wanted);

// The main window stays above every other window: a window opened from
// elsewhere (the page window, its prompts) must too, or it would hide behind it.
void keepAboveMainWindow(QWidget& window);

} // namespace vendaxo
