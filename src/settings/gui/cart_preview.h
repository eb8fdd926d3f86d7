#pragma once

#include "settings/cart_colours.h"

#include <QColor>
#include <QRect>
#include <QWidget>
#include <array>

class QPainter;

namespace vendaxo {

// A sketch of the cart page drawn in the cart colours; unset slots show the
// cart server's built-in look. Clicking a part of the page picks its element.
class CartPreview final : public QWidget {
    Q_OBJECT
public:
    explicit CartPreview(QWidget* parent = nullptr);

    const CartColours& colours() const { return m_colours; }
    void setColours(const CartColours& colours);
    int selectedElement() const { return m_selected; }
    void setSelectedElement(int element);

    // The colour a slot is drawn in: the chosen one, else the built-in look.
    QColor shownColour(std::size_t slot) const;
    // Where an element is drawn (for Buttons the first button; Main Page is the
    // whole page, under everything else).
    QRect areaOf(int element) const;
    int elementAt(const QPoint& point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void elementClicked(int element);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Layout;
    Layout layout() const;
    static QRect areaIn(const Layout& layout, int element);
    void fillBand(QPainter& painter, const QRect& area, int element) const;
    void paintOrder(QPainter& painter, const Layout& layout) const;
    void paintForm(QPainter& painter, const Layout& layout) const;
    void paintSelection(QPainter& painter, const Layout& layout) const;

    CartColours m_colours;
    int m_selected = 0;
};

} // namespace vendaxo
