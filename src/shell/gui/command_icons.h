#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QToolButton>

namespace vendaxo {

// The main window's five commands, in the order of their buttons.
enum class Command { Purchase, ViewCart, CheckoutForm, GlobalOptions, RetrieveOrders };

// Flat pictures drawn in code: a white symbol on a coloured tile, crisp at any size.
QIcon commandIcon(Command command);

// A command's picture button. Focused from the keyboard it shows a ring in
// the highlight colour, which a style's own focus mark may leave too faint
// to find on the picture.
class CommandButton final : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The main window's picture when no private-label picture is installed.
QPixmap builtInPicture(QSize size, qreal devicePixelRatio = 1.0);

} // namespace vendaxo
