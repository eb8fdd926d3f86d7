#include "settings/gui/cart_preview.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <vector>

namespace vendaxo {

namespace {

using namespace cart_element;

constexpr int kMargin = 10;
constexpr int kTotalRows = kTotal - kSubTotal + 1;

// The cart server's own look, for the slots that are unset.
struct Look {
    QRgb text;
    QRgb background;
};
constexpr QRgb kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kYellow = 0xFFFFFF00, kNavy = 0xFF000080,
               kBlue = 0xFF0000FF, kPurple = 0xFF800080, kLightGrey = 0xFFEBEBEB;
constexpr QRgb kSystemButtonFace = 0; // the palette's, known only when drawing
constexpr std::array<Look, kCartElements.size()> kBuiltIn = {{
    {kBlack, kWhite},            // Main Page
    {kYellow, kNavy},            // Title Bar
    {kWhite, kBlue},             // Column Headings
    {kBlack, kWhite},            // Sub Total
    {kBlack, kWhite},            // Taxes
    {kBlack, kWhite},            // Shipping
    {kBlack, kWhite},            // Handling
    {kBlack, kWhite},            // Insurance
    {kBlack, kWhite},            // Discount
    {kBlack, kWhite},            // Total
    {kBlack, kLightGrey},        // Submission Area
    {kYellow, kNavy},            // Footer
    {kBlack, kSystemButtonFace}, // Buttons
}};

QRgb builtInColour(std::size_t slot) {
    if (slot == CartColours::kLinkSlot)
        return kBlue;
    if (slot == CartColours::kVisitedLinkSlot)
        return kPurple;
    for (std::size_t element = 0; element < kBuiltIn.size(); ++element) {
        if (slot == CartColours::textSlot(element))
            return kBuiltIn[element].text;
        if (slot == CartColours::backgroundSlot(element))
            return kBuiltIn[element].background;
    }
    return kBlack;
}

struct Item {
    const char* quantity;
    const char* name;
    const char* price;
    const char* amount;
};
constexpr std::array<Item, 3> kItems = {{
    {"1", QT_TRANSLATE_NOOP("vendaxo::CartPreview", "Blue ceramic mug"), "12.00", "12.00"},
    {"2", QT_TRANSLATE_NOOP("vendaxo::CartPreview", "Linen tea towel"), "8.50", "17.00"},
    {"1", QT_TRANSLATE_NOOP("vendaxo::CartPreview", "Wildflower honey"), "7.25", "7.25"},
}};
constexpr std::array<const char*, kTotalRows> kTotalAmounts = {"36.25", "2.18",  "5.00", "1.50",
                                                               "0.75",  "-3.00", "42.68"};
constexpr std::array<const char*, 2> kButtonCaptions = {
    QT_TRANSLATE_NOOP("vendaxo::CartPreview", "Recalculate"),
    QT_TRANSLATE_NOOP("vendaxo::CartPreview", "Check Out"),
};

QString latin(const char* text) {
    return QString::fromLatin1(text);
}

QFont boldFont(QFont font, int extraPoints = 0) {
    font.setBold(true);
    if (extraPoints != 0 && font.pointSize() > 0)
        font.setPointSize(font.pointSize() + extraPoints);
    return font;
}

// A push button as a browser draws it: face, light upper edges, dark lower ones.
void drawButton(QPainter& painter, const QRect& rect, const QColor& face, const QColor& text,
                const QString& caption) {
    painter.fillRect(rect, face);
    painter.setPen(face.lighter(150));
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(face.darker(180));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.setPen(text);
    painter.drawText(rect, Qt::AlignCenter, caption);
}

// A form field, always in the browser's own white.
void drawField(QPainter& painter, const QRect& rect, const QString& text, int align) {
    painter.fillRect(rect, Qt::white);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(rect.adjusted(4, 0, -4, 0), align | Qt::AlignVCenter, text);
}

} // namespace

struct CartPreview::Layout {
    int row = 0;
    QRect page, content, title, intro, headings;
    std::array<QRect, kItems.size()> items;
    std::array<QRect, kTotalRows> totals;
    QRect submission, shippingLabel, shippingField, footer, links;
    std::array<QRect, kButtonCaptions.size()> buttons;
    // Right edges of the number columns, left edge of the item names.
    int quantityRight = 0, nameLeft = 0, priceRight = 0, amountRight = 0;
};

CartPreview::CartPreview(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CartPreview::setColours(const CartColours& colours) {
    m_colours = colours;
    update();
}

void CartPreview::setSelectedElement(int element) {
    m_selected = element;
    update();
}

QColor CartPreview::shownColour(std::size_t slot) const {
    const std::int32_t chosen = m_colours.values.at(slot);
    if (chosen != CartColours::kUnset)
        return QColor(redOf(chosen), greenOf(chosen), blueOf(chosen));
    const QRgb builtIn = builtInColour(slot);
    return builtIn == kSystemButtonFace ? palette().color(QPalette::Button) : QColor(builtIn);
}

CartPreview::Layout CartPreview::layout() const {
    Layout l;
    const QFontMetrics metrics(font());
    const QFontMetrics titleMetrics(boldFont(font(), 2));
    l.row = metrics.height() + 6;
    l.page = rect().adjusted(1, 1, -1, -1);
    l.content = l.page.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int left = l.content.left();
    const int width = l.content.width();
    auto band = [&](int& y, int height) {
        const QRect area(left, y, width, height);
        y += height;
        return area;
    };

    int y = l.content.top();
    l.title = band(y, titleMetrics.height() + 10);
    y += 6;
    l.intro = band(y, l.row);
    y += 4;
    l.headings = band(y, l.row);
    for (QRect& item : l.items)
        item = band(y, l.row);
    y += 6;
    for (QRect& total : l.totals)
        total = band(y, l.row);
    y += 10;
    const int buttonHeight = l.row + 4;
    l.submission = band(y, 8 + l.row + 6 + buttonHeight + 8);
    y += 10;
    l.footer = band(y, l.row + 4);
    y += 6;
    l.links = band(y, l.row);

    l.amountRight = l.content.right() - 8;
    l.priceRight = l.amountRight - metrics.horizontalAdvance(latin("0000.00")) - 16;
    l.quantityRight = left + 8 + metrics.horizontalAdvance(latin("000")) + 8;
    l.nameLeft = l.quantityRight + 12;

    const int fieldTop = l.submission.top() + 8;
    const QString label = tr("Shipping method:");
    l.shippingLabel = QRect(left + 8, fieldTop, metrics.horizontalAdvance(label) + 8, l.row);
    l.shippingField = QRect(l.shippingLabel.right() + 1, fieldTop + 1,
                            metrics.horizontalAdvance(tr("Ground")) + 36, l.row - 2);
    int buttonRight = l.submission.right() - 8;
    const int buttonTop = fieldTop + l.row + 6;
    for (std::size_t i = l.buttons.size(); i-- > 0;) {
        const int buttonWidth = metrics.horizontalAdvance(tr(kButtonCaptions[i])) + 24;
        l.buttons[i] = QRect(buttonRight - buttonWidth + 1, buttonTop, buttonWidth, buttonHeight);
        buttonRight -= buttonWidth + 8;
    }
    return l;
}

QRect CartPreview::areaOf(int element) const {
    return areaIn(layout(), element);
}

QRect CartPreview::areaIn(const Layout& l, int element) {
    switch (element) {
    case kMainPage:
        return l.page;
    case kTitleBar:
        return l.title;
    case kColumnHeadings:
        return l.headings;
    case kSubmissionArea:
        return l.submission;
    case kFooter:
        return l.footer;
    case kButtons:
        return l.buttons.front();
    default:
        if (element >= kSubTotal && element <= kTotal)
            return l.totals[static_cast<std::size_t>(element - kSubTotal)];
        return {};
    }
}

int CartPreview::elementAt(const QPoint& point) const {
    const Layout l = layout();
    for (const QRect& button : l.buttons) {
        if (button.contains(point))
            return kButtons;
    }
    for (int element = kTitleBar; element < kButtons; ++element) {
        if (areaIn(l, element).contains(point))
            return element;
    }
    return kMainPage;
}

QSize CartPreview::sizeHint() const {
    return minimumSizeHint().expandedTo(QSize(400, 0));
}

QSize CartPreview::minimumSizeHint() const {
    const Layout l = layout();
    return {340, l.links.bottom() + 1 + kMargin + 1};
}

void CartPreview::paintEvent(QPaintEvent*) {
    const Layout l = layout();
    QPainter painter(this);
    painter.fillRect(l.page, shownColour(CartColours::backgroundSlot(kMainPage)));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    paintOrder(painter, l);
    paintForm(painter, l);
    paintSelection(painter, l);
}

void CartPreview::fillBand(QPainter& painter, const QRect& area, int element) const {
    painter.fillRect(area,
                     shownColour(CartColours::backgroundSlot(static_cast<std::size_t>(element))));
    painter.setPen(shownColour(CartColours::textSlot(static_cast<std::size_t>(element))));
}

void CartPreview::paintOrder(QPainter& painter, const Layout& l) const {
    const QColor text = shownColour(CartColours::textSlot(kMainPage));
    const QFont plain = font();
    const QFont bold = boldFont(plain);
    const Qt::Alignment toLeft = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment toRight = Qt::AlignRight | Qt::AlignVCenter;
    const auto column = [](const QRect& row, int left, int right) {
        return QRect(left, row.top(), right - left + 1, row.height());
    };
    const int left = l.content.left() + 8;

    fillBand(painter, l.title, kTitleBar);
    painter.setFont(boldFont(plain, 2));
    painter.drawText(l.title.adjusted(8, 0, -8, 0), toLeft, tr("Your Shopping Cart"));
    painter.setFont(plain);
    painter.setPen(text);
    painter.drawText(l.intro.adjusted(8, 0, -8, 0), toLeft,
                     tr("Check your order, then press Check Out."));

    fillBand(painter, l.headings, kColumnHeadings);
    painter.setFont(bold);
    painter.drawText(column(l.headings, left, l.quantityRight), toRight, tr("Qty"));
    painter.drawText(column(l.headings, l.nameLeft, l.priceRight), toLeft, tr("Item"));
    painter.drawText(column(l.headings, l.nameLeft, l.priceRight), toRight, tr("Price"));
    painter.drawText(column(l.headings, l.priceRight, l.amountRight), toRight, tr("Amount"));

    painter.setFont(plain);
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        const QRect& row = l.items[i];
        drawField(painter, column(row, left - 2, l.quantityRight + 4).adjusted(0, 2, 0, -2),
                  latin(kItems[i].quantity), Qt::AlignRight);
        painter.setPen(text);
        painter.drawText(column(row, l.nameLeft, l.priceRight), toLeft, tr(kItems[i].name));
        painter.drawText(column(row, l.nameLeft, l.priceRight), toRight, latin(kItems[i].price));
        painter.drawText(column(row, l.priceRight, l.amountRight), toRight,
                         latin(kItems[i].amount));
    }

    for (std::size_t i = 0; i < l.totals.size(); ++i) {
        const int element = kSubTotal + static_cast<int>(i);
        const QRect& row = l.totals[i];
        fillBand(painter, row, element);
        painter.setFont(element == kTotal ? bold : plain);
        painter.drawText(column(row, l.nameLeft, l.priceRight), toRight,
                         tr(kCartElements[static_cast<std::size_t>(element)].data()));
        painter.drawText(column(row, l.priceRight, l.amountRight), toRight,
                         latin(kTotalAmounts[i]));
    }
}

void CartPreview::paintForm(QPainter& painter, const Layout& l) const {
    const QFont plain = font();
    painter.setFont(plain);
    fillBand(painter, l.submission, kSubmissionArea);
    painter.drawText(l.shippingLabel, Qt::AlignLeft | Qt::AlignVCenter, tr("Shipping method:"));
    drawField(painter, l.shippingField, tr("Ground"), Qt::AlignLeft);
    const QPoint arrow(l.shippingField.right() - 10, l.shippingField.center().y() + 2);
    const std::array<QPoint, 3> triangle = {arrow + QPoint(-4, -3), arrow + QPoint(4, -3), arrow};
    painter.setBrush(Qt::black);
    painter.drawPolygon(triangle.data(), static_cast<int>(triangle.size()));
    painter.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < l.buttons.size(); ++i)
        drawButton(painter, l.buttons[i], shownColour(CartColours::backgroundSlot(kButtons)),
                   shownColour(CartColours::textSlot(kButtons)), tr(kButtonCaptions[i]));

    fillBand(painter, l.footer, kFooter);
    painter.drawText(l.footer, Qt::AlignCenter, tr("Thank you for shopping with us"));

    QFont underlined = plain;
    underlined.setUnderline(true);
    painter.setFont(underlined);
    const QString link = tr("Continue Shopping");
    const QRect linkArea = l.links.adjusted(8, 0, -8, 0);
    painter.setPen(shownColour(CartColours::kLinkSlot));
    painter.drawText(linkArea, Qt::AlignLeft | Qt::AlignVCenter, link);
    painter.setPen(shownColour(CartColours::kVisitedLinkSlot));
    painter.drawText(
        linkArea.adjusted(QFontMetrics(underlined).horizontalAdvance(link) + 24, 0, 0, 0),
        Qt::AlignLeft | Qt::AlignVCenter, tr("Shipping and Returns"));
}

void CartPreview::paintSelection(QPainter& painter, const Layout& l) const {
    std::vector<QRect> outlines;
    if (m_selected == kButtons) {
        for (const QRect& button : l.buttons)
            outlines.push_back(button.adjusted(-2, -2, 2, 2));
    } else if (m_selected == kMainPage) {
        outlines.push_back(l.page.adjusted(2, 2, -2, -2));
    } else {
        outlines.push_back(areaIn(l, m_selected).adjusted(-1, -1, 1, 1));
    }
    // Dashes over white show on any colour.
    for (const QPen& pen :
         {QPen(Qt::white, 2), QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine)}) {
        painter.setPen(pen);
        for (const QRect& outline : outlines)
            painter.drawRect(outline);
    }
}

void CartPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    Q_EMIT elementClicked(elementAt(event->position().toPoint()));
}

bool CartPreview::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto element = static_cast<std::size_t>(elementAt(help->pos()));
        QToolTip::showText(help->globalPos(), tr(kCartElements[element].data()), this);
        return true;
    }
    return QWidget::event(event);
}

} // namespace vendaxo
