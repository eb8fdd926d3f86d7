#include "shell/gui/command_icons.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionToolButton>
#include <QTransform>
#include <iterator>

namespace vendaxo {

namespace {

// Every symbol is drawn on a 48 x 48 grid and scaled.
constexpr qreal kGrid = 48.0;
const QColor kGlyph(Qt::white);
constexpr qreal kFocusRingWidth = 2.0;

QColor tileColour(Command command) {
    switch (command) {
    case Command::Purchase:
        return QColor(0x2e, 0x7d, 0x32);
    case Command::ViewCart:
        return QColor(0x15, 0x65, 0xc0);
    case Command::CheckoutForm:
        return QColor(0xe6, 0x5c, 0x00);
    case Command::GlobalOptions:
        return QColor(0x45, 0x5a, 0x64);
    case Command::RetrieveOrders:
        return QColor(0x6a, 0x1b, 0x9a);
    }
    return Qt::gray;
}

void drawPriceTag(QPainter& p, const QColor& tile) {
    // A left-pointing tag turned to point up-left, with an "add" badge.
    QPainterPath tag;
    tag.moveTo(-15, 0);
    tag.lineTo(-8, -8.5);
    tag.lineTo(13, -8.5);
    tag.lineTo(13, 8.5);
    tag.lineTo(-8, 8.5);
    tag.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(-7, 0), 2.6, 2.6);
    QTransform turn;
    turn.translate(21, 21);
    turn.rotate(45);
    p.setPen(QPen(kGlyph, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kGlyph);
    p.drawPath(turn.map(tag.subtracted(hole)));

    p.setPen(QPen(tile, 2.5));
    p.drawEllipse(QPointF(34, 34), 8.5, 8.5);
    p.setPen(QPen(tile, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(34, 29.5), QPointF(34, 38.5));
    p.drawLine(QPointF(29.5, 34), QPointF(38.5, 34));
}

void drawCart(QPainter& p, const QColor& glyph, const QColor& accent) {
    p.setPen(QPen(glyph, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{7, 11}, {12.5, 11}, {17, 31}, {37, 31}}));
    p.setPen(QPen(glyph, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(glyph);
    p.drawPolygon(QPolygonF({{13.5, 15.5}, {41, 15.5}, {37.5, 27}, {16, 27}}));
    p.drawEllipse(QPointF(19.5, 37), 3.2, 3.2);
    p.drawEllipse(QPointF(34, 37), 3.2, 3.2);
    p.setPen(QPen(accent, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (const qreal x : {22.0, 28.0, 34.0})
        p.drawLine(QPointF(x, 18.5), QPointF(x - 0.6, 24));
}

void drawClipboard(QPainter& p, const QColor& tile) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawRoundedRect(QRectF(11.5, 9.5, 25, 31), 3, 3);
    p.setPen(QPen(kGlyph, 1.5));
    p.setBrush(tile.darker(140));
    p.drawRoundedRect(QRectF(18, 6.5, 12, 6.5), 2, 2);
    for (const qreal y : {18.0, 25.0, 32.0}) {
        p.setPen(QPen(tile, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(15.5, y - 2, 4, 4));
        p.setPen(QPen(tile, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(23, y), QPointF(32.5, y));
    }
}

void drawGear(QPainter& p) {
    QPainterPath gear;
    gear.addEllipse(QPointF(24, 24), 11.5, 11.5);
    for (int tooth = 0; tooth < 8; ++tooth) {
        QPainterPath block;
        block.addRoundedRect(QRectF(-3.4, -16.5, 6.8, 9), 1.5, 1.5);
        QTransform place;
        place.translate(24, 24);
        place.rotate(tooth * 45.0);
        gear = gear.united(place.map(block));
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(24, 24), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawPath(gear.subtracted(hole));
}

void drawInboxArrow(QPainter& p) {
    p.setPen(QPen(kGlyph, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kGlyph);
    p.drawPolygon(QPolygonF(
        {{9, 27}, {16.5, 27}, {19, 31.5}, {29, 31.5}, {31.5, 27}, {39, 27}, {39, 39}, {9, 39}}));
    p.setPen(QPen(kGlyph, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 7.5), QPointF(24, 17));
    p.setPen(QPen(kGlyph, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(QPolygonF({{16.5, 15.5}, {31.5, 15.5}, {24, 23.5}}));
}

QPixmap drawCommand(Command command, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / kGrid, side / kGrid);
    const QColor tile = tileColour(command);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 9, 9);
    switch (command) {
    case Command::Purchase:
        drawPriceTag(p, tile);
        break;
    case Command::ViewCart:
        drawCart(p, kGlyph, tile);
        break;
    case Command::CheckoutForm:
        drawClipboard(p, tile);
        break;
    case Command::GlobalOptions:
        drawGear(p);
        break;
    case Command::RetrieveOrders:
        drawInboxArrow(p);
        break;
    }
    return pixmap;
}

constexpr int kSides[] = {16, 24, 32, 48, 64, 96, 128};

// Draws each of the icon's sizes when it is first asked for: drawing all seven
// up front took a quarter of the program's start, for the one or two shown.
// The drawn pixmaps go into an ordinary icon, which picks, scales and greys
// them as it would have done had they all been there.
class DrawnIconEngine final : public QIconEngine {
public:
    explicit DrawnIconEngine(Command command) : m_command(command) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        draw(rect.size() * painter->device()->devicePixelRatio());
        m_drawn.paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        draw(size);
        return m_drawn.pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        draw(size * scale);
        return m_drawn.pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        draw(size);
        return m_drawn.actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : kSides)
            sizes.append(QSize(side, side));
        return sizes;
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }
    QString key() const override { return QStringLiteral("vendaxo-drawn"); }

private:
    // The smallest drawn size that covers the request, as the full set gave.
    void draw(const QSize& wanted) {
        const int need = qMax(wanted.width(), wanted.height());
        int side = kSides[std::size(kSides) - 1];
        for (const int candidate : kSides) {
            if (candidate >= need) {
                side = candidate;
                break;
            }
        }
        if (m_drawnSides.contains(side))
            return;
        m_drawnSides.append(side);
        m_drawn.addPixmap(drawCommand(m_command, side));
    }

    Command m_command;
    QIcon m_drawn;
    QList<int> m_drawnSides;
};

} // namespace

QIcon commandIcon(Command command) {
    return QIcon(new DrawnIconEngine(command));
}

void CommandButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    if (!option.state.testFlag(QStyle::State_HasFocus) ||
        !option.state.testFlag(QStyle::State_KeyboardFocusChange))
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusRingWidth));
    const qreal inset = 1.0 + kFocusRingWidth / 2.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 3, 3);
}

QPixmap builtInPicture(QSize size, qreal devicePixelRatio) {
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF area(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    QLinearGradient sky(area.topLeft(), area.topRight());
    sky.setColorAt(0, QColor(0x0d, 0x47, 0xa1));
    sky.setColorAt(1, QColor(0x00, 0x83, 0x8f));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(area, 8, 8);

    // The cart on a light disc, as tall as the banner allows.
    const qreal disc = size.height() * 0.72;
    const QRectF discRect(area.left() + (area.height() - disc) / 2,
                          area.top() + (area.height() - disc) / 2, disc, disc);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(discRect);
    p.save();
    p.translate(discRect.topLeft() + QPointF(disc * 0.14, disc * 0.15));
    p.scale(disc * 0.7 / kGrid, disc * 0.7 / kGrid);
    drawCart(p, QColor(0x0d, 0x47, 0xa1), Qt::white);
    p.restore();

    const qreal textLeft = discRect.right() + area.height() * 0.22;
    const QRectF textArea(textLeft, area.top(), area.right() - textLeft - 8, area.height());
    QFont name = QGuiApplication::font();
    name.setBold(true);
    name.setPixelSize(qRound(size.height() * 0.36));
    p.setFont(name);
    p.setPen(Qt::white);
    const QRectF nameArea(textArea.left(), textArea.top() + area.height() * 0.14, textArea.width(),
                          area.height() * 0.46);
    p.drawText(nameArea, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vendaxo"));

    QFont line = QGuiApplication::font();
    line.setPixelSize(qMax(9, qRound(size.height() * 0.15)));
    p.setFont(line);
    p.setPen(QColor(255, 255, 255, 220));
    const QRectF lineArea(textArea.left(), nameArea.bottom(), textArea.width(),
                          area.height() * 0.26);
    p.drawText(
        lineArea, Qt::AlignLeft | Qt::AlignTop,
        QCoreApplication::translate("vendaxo::MainWindow", "Shop buttons for your web pages"));
    return pixmap;
}

} // namespace vendaxo
