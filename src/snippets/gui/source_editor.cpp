#include "snippets/gui/source_editor.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QTextBlock>
#include <algorithm>

namespace vendaxo {

namespace {

constexpr int kGutterPadding = 6;

} // namespace

class SourceEditor::Gutter final : public QWidget {
public:
    explicit Gutter(SourceEditor& editor) : QWidget(&editor), m_editor(editor) {}

protected:
    void paintEvent(QPaintEvent* event) override { m_editor.paintGutter(event->rect()); }

private:
    SourceEditor& m_editor;
};

SourceEditor::SourceEditor(QWidget* parent) : QPlainTextEdit(parent), m_gutter(new Gutter(*this)) {
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { layoutGutter(); });
    connect(this, &QPlainTextEdit::cursorPositionChanged, m_gutter, [this] { m_gutter->update(); });
    connect(this, &QPlainTextEdit::updateRequest, m_gutter, [this](const QRect& rect, int dy) {
        if (dy != 0)
            m_gutter->scroll(0, dy);
        else
            m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    });
    layoutGutter();
}

void SourceEditor::paintGutter(const QRect& area) {
    QPainter painter(m_gutter);
    painter.fillRect(area, palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::Midlight));
    painter.drawLine(m_gutter->width() - 1, area.top(), m_gutter->width() - 1, area.bottom());
    if (isReadOnly()) // no page: nothing to number
        return;
    painter.setFont(font());
    const int current = textCursor().blockNumber();
    const int lineHeight = fontMetrics().height();
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    while (block.isValid() && top <= area.bottom()) {
        const qreal bottom = top + blockBoundingRect(block).height();
        if (block.isVisible() && bottom >= area.top()) {
            const int number = block.blockNumber();
            painter.setPen(
                palette().color(number == current ? QPalette::Text : QPalette::PlaceholderText));
            painter.drawText(QRectF(0, top, m_gutter->width() - kGutterPadding, lineHeight),
                             Qt::AlignRight | Qt::AlignVCenter, QString::number(number + 1));
        }
        block = block.next();
        top = bottom;
    }
}

void SourceEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    layoutGutter();
}

void SourceEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layoutGutter();
}

void SourceEditor::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QTextCursor clicked = cursorForPosition(event->pos());
        const QTextCursor caret = textCursor();
        if (!caret.hasSelection() || clicked.position() < caret.selectionStart() ||
            clicked.position() > caret.selectionEnd())
            setTextCursor(clicked);
    }
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    emit contextMenuOpening(menu);
    menu->popup(event->globalPos());
}

int SourceEditor::gutterWidth() const {
    const int digits = static_cast<int>(QString::number(blockCount()).size());
    return fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3) +
           2 * kGutterPadding;
}

void SourceEditor::layoutGutter() {
    const int width = gutterWidth();
    setViewportMargins(width, 0, 0, 0);
    const QRect area = contentsRect();
    m_gutter->setGeometry(area.left(), area.top(), width, area.height());
}

} // namespace vendaxo
