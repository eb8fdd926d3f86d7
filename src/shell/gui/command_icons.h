#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace vendaxo {

// The main window's five commands, in the order of their buttons.
enum class Command { Purchase, ViewCart, CheckoutForm, GlobalOptions, RetrieveOrders };

// Flat pictures drawn in code: a white symbol on a coloured tile, crisp at any size.
QIcon commandIcon(Command command);

// The main window's picture when no private-label picture is installed.
QPixmap builtInPicture(QSize size, qreal devicePixelRatio = 1.0);

} // namespace vendaxo
