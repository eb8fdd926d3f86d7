#pragma once

#include <QTableWidget>

namespace vendaxo {

class OptionGrid;

// The table of option lists: one column per list, the titles in a fixed first
// row. Cells are edited elsewhere: a double-click, Enter or F2 asks for it.
class OptionGridView final : public QTableWidget {
    Q_OBJECT
public:
    explicit OptionGridView(QWidget* parent = nullptr);

    // Mirrors the lists. The current cell stays where it was as far as the new
    // shape allows, in `currentColumn` when given, never on the title row;
    // columns widen to show their texts.
    void showGrid(const OptionGrid& grid, int currentColumn = -1);
    // Widens the columns to their texts, each at most as wide as the view.
    void fitColumns();

signals:
    void editRequested();
    // A list was dragged from `from` to `to`. The view shows the lists in their
    // old order again; the receiver moves them and shows them anew.
    void listMoved(int from, int to);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void sectionDragged(int from, int to);
};

} // namespace vendaxo
