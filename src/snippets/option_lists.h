#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

inline constexpr std::size_t kMaxOptionLists = 1000;

// A product's option lists as the purchase dialog's grid holds them: one column
// per list, row 0 the title, rows 1 and on the items.
class OptionGrid {
public:
    // An empty grid: one column of two empty cells, no fixed title row.
    OptionGrid();

    // Rebuilds from an option data text; an empty text changes nothing. The walk
    // is the one the stored texts were made for: text after a column's last ";"
    // flows into the next column's first cell.
    void rebuild(std::string_view data);
    // Each column's non-empty cells, each followed by ";", then a line feed.
    std::string data() const;

    std::size_t columnCount() const { return m_columns.size(); }
    std::size_t rowCount() const { return m_rows; }
    // Whether row 0 is the fixed title row (once lists are loaded).
    bool hasTitleRow() const { return m_titleRow; }
    const std::string& cell(std::size_t column, std::size_t row) const;
    void setCell(std::size_t column, std::size_t row, std::string text);
    const std::string& title(std::size_t column) const { return cell(column, 0); }
    // True when no cell holds text.
    bool isEmpty() const;
    // True when no cell of the column holds text: such a column is no list.
    bool isEmptyColumn(std::size_t column) const;

    // The grid commands. Titles must not hold ";" or line breaks and at most
    // kMaxOptionLists lists are kept: both are refused with an Error.
    void addList(std::string_view title);
    void removeList(std::size_t column);
    void renameList(std::size_t column, std::string_view title);
    // Into the first empty item row of the column, else a new last row.
    void addItem(std::size_t column, std::string text);
    // Empties the cell and closes the gap.
    void removeItem(std::size_t column, std::size_t row);
    void moveList(std::size_t from, std::size_t to);

    bool operator==(const OptionGrid&) const = default;

private:
    std::vector<std::vector<std::string>> m_columns; // each of m_rows cells
    std::size_t m_rows = 2;
    bool m_titleRow = false;
};

// Refuses a title that would split the stored lists, and an empty one, which
// would let the list's first item move up into its place; throws Error.
void checkListTitle(std::string_view title);

enum class PriceAdjustment { SamePrice, Add, Subtract };

// One option item's text taken apart: "Large (add $2.50)" has the label
// "Large", the kind Add and the amount "2.50".
struct OptionItem {
    // Characters a label cannot hold: they separate the cells and the
    // adjustment in the stored lists and in the option values.
    static constexpr std::string_view kForbiddenInLabel = "\";()";

    std::string label;
    PriceAdjustment kind = PriceAdjustment::SamePrice;
    std::string amount = "0";

    static OptionItem parse(std::string_view text, std::string_view currency);
    // The item text, with " (add $2.50)" or " (subtract $2.50)" for an adjustment.
    std::string text(std::string_view currency) const;
    // "+2.50", "-1", "+0" as the cart server reads it.
    std::string signedAmount() const;

    bool operator==(const OptionItem&) const = default;
};

enum class OptionStyle { None = -1, DropDown = 0, Radio = 1 };

// What a product carries of its option lists: the lists, whether the snippet
// holds them and in which style.
struct ProductOptions {
    bool enabled = false;
    OptionStyle style = OptionStyle::DropDown;
    OptionGrid grid;

    // How many lists the purchase button shows.
    std::size_t shownLists() const;

    bool operator==(const ProductOptions&) const = default;
};

// The option lists for the purchase button: one select (or one row of radio
// buttons, without line feeds) per list, named vdx_prodoptions + list number.
std::string optionBlock(const OptionGrid& grid, OptionStyle style, std::string_view currency);
// The same, appended to `out`.
void appendOptionBlock(std::string& out, const OptionGrid& grid, OptionStyle style,
                       std::string_view currency);

} // namespace vendaxo
