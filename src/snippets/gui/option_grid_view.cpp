#include "snippets/gui/option_grid_view.h"

#include "shell/gui/qt_text.h"
#include "snippets/option_lists.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

namespace vendaxo {

namespace {

// Titles cannot become the current cell, yet read as a header rather than as
// disabled text.
class TitleRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->widget && option->widget->isEnabled()) {
            option->state |= QStyle::State_Enabled;
            option->palette.setCurrentColorGroup(QPalette::Active);
        }
    }
};

} // namespace

OptionGridView::OptionGridView(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->setSectionsMovable(true);
    setItemDelegate(new TitleRowDelegate(this));
    verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() + 8);
    connect(this, &QTableWidget::cellDoubleClicked, this, &OptionGridView::editRequested);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int from, int to) { sectionDragged(from, to); });
}

void OptionGridView::showGrid(const OptionGrid& grid, int currentColumn) {
    const int oldRow = this->currentRow();
    const int oldColumn = currentColumn >= 0 ? currentColumn : this->currentColumn();
    const QSignalBlocker blocker(this);
    const int columns = static_cast<int>(grid.columnCount());
    const int rows = static_cast<int>(grid.rowCount());
    clearContents();
    setColumnCount(columns);
    setRowCount(rows);
    const int firstItemRow = grid.hasTitleRow() ? 1 : 0;
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const QString text =
                toQt(grid.cell(static_cast<std::size_t>(c), static_cast<std::size_t>(r)));
            auto* item = new QTableWidgetItem(text);
            item->setToolTip(text);
            if (r < firstItemRow) {
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(palette().button());
            }
            setItem(r, c, item);
        }
    }
    fitColumns();
    setCurrentCell(std::clamp(oldRow, firstItemRow, rows - 1),
                   std::clamp(oldColumn, 0, columns - 1));
}

void OptionGridView::fitColumns() {
    QHeaderView* header = horizontalHeader();
    const int widest = std::max(header->defaultSectionSize(), viewport()->width());
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    for (int c = 0; c < columnCount(); ++c) {
        int wanted = header->sectionSize(c);
        for (int r = 0; r < rowCount(); ++r) {
            if (const QTableWidgetItem* cell = item(r, c))
                wanted = std::max(wanted, fontMetrics().horizontalAdvance(cell->text()) + padding);
        }
        header->resizeSection(c, std::min(wanted, widest));
    }
}

void OptionGridView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        if (currentItem()) {
            emit editRequested();
            return;
        }
        break;
    default:
        break;
    }
    QTableWidget::keyPressEvent(event);
}

// Each list keeps its width and the current list moves along.
void OptionGridView::sectionDragged(int from, int to) {
    QHeaderView* header = horizontalHeader();
    std::vector<int> widths;
    for (int visual = 0; visual < header->count(); ++visual)
        widths.push_back(header->sectionSize(header->logicalIndex(visual)));
    const int current = header->visualIndex(currentColumn());
    {
        const QSignalBlocker blocker(header);
        header->moveSection(to, from);
    }
    for (int c = 0; c < static_cast<int>(widths.size()); ++c)
        header->resizeSection(c, widths[static_cast<std::size_t>(c)]);
    emit listMoved(from, to);
    setCurrentCell(currentRow(), current);
}

} // namespace vendaxo
