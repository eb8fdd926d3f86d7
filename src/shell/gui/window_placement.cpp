#include "shell/gui/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>

namespace vendaxo {

namespace {

QRect keptInside(const QRect& area, QRect frame) {
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    return frame;
}

// The window's frame for given frame margins.
using Placement = std::function<QRect(const QMargins&)>;

QMargins ownFrameMargins(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

// Before the window manager has framed the window, another framed window of
// the program tells how large the frame will be.
QMargins expectedFrameMargins(const QWidget& window) {
    const QMargins own = ownFrameMargins(window);
    if (!own.isNull() || window.windowFlags().testFlag(Qt::FramelessWindowHint))
        return own;
    const QList<QWindow*> windows = QGuiApplication::topLevelWindows();
    for (const QWindow* other : windows) {
        if (other->isVisible() && !other->frameMargins().isNull())
            return other->frameMargins();
    }
    return {};
}

QMargins place(QWidget& window, const Placement& frameFor) {
    const QMargins margins = expectedFrameMargins(window);
    window.setGeometry(frameFor(margins).marginsRemoved(margins));
    return margins;
}

// On X11 a window is framed once mapped, and has its frame by its first
// paint: if that frame is not the one assumed, the window is placed again.
class PlaceAgainWhenFramed final : public QObject {
public:
    PlaceAgainWhenFramed(QWidget& window, const QMargins& assumed, Placement frameFor)
        : QObject(&window), m_window(window), m_assumed(assumed), m_frameFor(std::move(frameFor)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Paint) {
            m_window.removeEventFilter(this);
            if (ownFrameMargins(m_window) != m_assumed) {
                // Not from inside the paint.
                QMetaObject::invokeMethod(
                    &m_window,
                    [window = &m_window, frameFor = m_frameFor] { place(*window, frameFor); },
                    Qt::QueuedConnection);
            }
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& m_window;
    QMargins m_assumed;
    Placement m_frameFor;
};

void placeNowAndWhenFramed(QWidget& window, const Placement& frameFor) {
    const bool framed = !ownFrameMargins(window).isNull();
    const QMargins assumed = place(window, frameFor);
    if (!framed && !window.windowFlags().testFlag(Qt::FramelessWindowHint))
        new PlaceAgainWhenFramed(window, assumed, frameFor);
}

} // namespace

QRect centredFrame(const QRect& area, const QSize& frame) {
    QRect placed(QPoint(), frame);
    placed.moveCenter(area.center());
    return keptInside(area, placed);
}

QRect frameOver(const QRect& area, const QRect& anchor, const QSize& frame) {
    QRect placed(QPoint(), frame);
    placed.moveCenter(anchor.center());
    return keptInside(area, placed);
}

QRect frameBeside(const QRect& area, const QRect& anchor, const QSize& minimum,
                  const QSize& wanted) {
    const int rightRoom = area.right() - anchor.right() - kWindowGap;
    const int leftRoom = anchor.left() - area.left() - kWindowGap;
    const bool onTheRight = rightRoom >= leftRoom;
    const int widest = std::max(minimum.width(), wanted.width());
    const int width =
        std::min(std::clamp(std::max(rightRoom, leftRoom), minimum.width(), widest), area.width());
    const int height = std::min(std::max(minimum.height(), wanted.height()), area.height());
    QRect frame(0, 0, width, height);
    frame.moveLeft(onTheRight ? anchor.right() + 1 + kWindowGap
                              : anchor.left() - kWindowGap - width);
    frame.moveTop(anchor.center().y() - (height - 1) / 2);
    return keptInside(area, frame);
}

void centreOnScreen(QWidget& window) {
    placeNowAndWhenFramed(window, [&window](const QMargins& margins) {
        return centredFrame(window.screen()->availableGeometry(), window.size().grownBy(margins));
    });
}

void centreOver(QWidget& window, const QWidget& anchor) {
    placeNowAndWhenFramed(
        window, [&window, anchor = QPointer<const QWidget>(&anchor)](const QMargins& margins) {
            if (!anchor) // gone before the window was framed: it stays where it is
                return window.geometry().marginsAdded(margins);
            return frameOver(anchor->screen()->availableGeometry(), anchor->frameGeometry(),
                             window.size().grownBy(margins));
        });
}

void placeBeside(QWidget& window, const QWidget& anchor, const QSize& wanted) {
    placeNowAndWhenFramed(window, [&window, anchor = QPointer<const QWidget>(&anchor),
                                   wanted](const QMargins& margins) {
        if (!anchor) // gone before the window was framed: it stays where it is
            return window.geometry().marginsAdded(margins);
        const QSize minimum = window.minimumSizeHint().expandedTo(window.minimumSize());
        return frameBeside(anchor->screen()->availableGeometry(), anchor->frameGeometry(),
                           minimum.grownBy(margins), wanted.grownBy(margins));
    });
}

void keepAboveMainWindow(QWidget& window) {
    window.setWindowFlag(Qt::WindowStaysOnTopHint);
}

} // namespace vendaxo
