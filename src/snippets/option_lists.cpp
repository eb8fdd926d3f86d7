#include "snippets/option_lists.h"

#include "base/error.h"
#include "snippets/html.h"

#include <algorithm>
#include <charconv>

namespace vendaxo {

namespace {

const std::string kNoText;

std::string withoutLineFeeds(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

// The texts are UTF-8, where only ASCII letters have a case; this also keeps
// the results the same whatever the process locale.
char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Where `what` (not empty) may next start from `from`: a first character
// without case can only be itself, so a plain search skips ahead.
std::size_t nextCandidate(std::string_view text, std::string_view what, std::size_t from) {
    if (isAsciiLetter(what.front()))
        return from;
    const auto found = text.find(what.front(), from);
    return found == std::string_view::npos ? text.size() : found;
}

// Whether `what` (not empty) stands at `at`, letters in any case.
bool occursAt(std::string_view text, std::size_t at, std::string_view what) {
    if (at + what.size() > text.size())
        return false;
    for (std::size_t i = 0; i < what.size(); ++i) {
        if (lowerAscii(text[at + i]) != lowerAscii(what[i]))
            return false;
    }
    return true;
}

// Removes every occurrence of `what`, letters in any case, left to right.
std::string withoutIgnoringCase(std::string_view text, std::string_view what) {
    if (what.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t plain = 0; // start of the run not yet copied
    for (std::size_t i = nextCandidate(text, what, 0); i < text.size();) {
        if (occursAt(text, i, what)) {
            out.append(text, plain, i - plain);
            i += what.size();
            plain = i;
        } else {
            ++i;
        }
        i = nextCandidate(text, what, i);
    }
    out.append(text, plain);
    return out;
}

// Whether an occurrence of `what` starts before `end`.
bool occursBefore(std::string_view text, std::string_view what, std::size_t end) {
    if (what.empty())
        return false;
    for (std::size_t i = nextCandidate(text, what, 0); i < end;
         i = nextCandidate(text, what, i + 1)) {
        if (occursAt(text, i, what))
            return true;
    }
    return false;
}

} // namespace

OptionGrid::OptionGrid() : m_columns(1, std::vector<std::string>(2)) {}

void OptionGrid::rebuild(std::string_view data) {
    if (data.empty())
        return;
    std::size_t visibleColumns = 1;
    std::size_t rows = 2;
    std::vector<std::vector<std::string>> columns(1);
    std::size_t c = 0;
    std::size_t r = 0;
    std::string accumulator;
    for (char ch : data) {
        if (ch == ';') {
            if (columns.size() <= c)
                columns.resize(c + 1);
            if (columns[c].size() <= r)
                columns[c].resize(r + 1);
            columns[c][r] = withoutLineFeeds(std::move(accumulator));
            accumulator.clear();
            if (r >= rows)
                ++rows;
            ++r;
        } else {
            accumulator += ch;
            if (ch == '\n') {
                if (visibleColumns != c + 1)
                    ++visibleColumns;
                ++c;
                r = 0;
            }
        }
    }
    if (visibleColumns > kMaxOptionLists)
        throw Error("A product can have at most " + std::to_string(kMaxOptionLists) +
                    " option lists.");
    // Cells of a column past the visible count (a text without its last line
    // feed) are not part of the grid.
    columns.resize(visibleColumns);
    for (auto& column : columns)
        column.resize(rows);
    m_columns = std::move(columns);
    m_rows = rows;
    m_titleRow = true;
}

std::string OptionGrid::data() const {
    std::string text;
    for (const auto& column : m_columns) {
        for (const std::string& cellText : column) {
            if (!cellText.empty())
                text += cellText + ';';
        }
        text += '\n';
    }
    return text;
}

const std::string& OptionGrid::cell(std::size_t column, std::size_t row) const {
    if (column >= m_columns.size() || row >= m_rows)
        return kNoText;
    return m_columns[column][row];
}

void OptionGrid::setCell(std::size_t column, std::size_t row, std::string text) {
    if (column < m_columns.size() && row < m_rows)
        m_columns[column][row] = std::move(text);
}

bool OptionGrid::isEmpty() const {
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (!isEmptyColumn(c))
            return false;
    }
    return true;
}

bool OptionGrid::isEmptyColumn(std::size_t column) const {
    if (column >= m_columns.size())
        return true;
    const auto& cells = m_columns[column];
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& text) { return text.empty(); });
}

void checkListTitle(std::string_view title) {
    if (title.empty())
        throw Error("An option list title cannot be empty.");
    if (title.find_first_of(";\r\n") != std::string_view::npos)
        throw Error("An option list title cannot contain \";\" or a line break.");
}

void OptionGrid::addList(std::string_view title) {
    checkListTitle(title);
    const std::string text = data();
    const std::string added = std::string(title) + ";\n";
    rebuild(text == "\n" ? added : text + added);
}

void OptionGrid::removeList(std::size_t column) {
    if (column >= m_columns.size())
        return;
    m_columns.erase(m_columns.begin() + static_cast<std::ptrdiff_t>(column));
    if (isEmpty()) {
        m_columns = {std::vector<std::string>(1)};
        m_rows = 1;
        m_titleRow = false;
        return;
    }
    rebuild(data());
}

void OptionGrid::renameList(std::size_t column, std::string_view title) {
    checkListTitle(title);
    setCell(column, 0, std::string(title));
}

void OptionGrid::addItem(std::size_t column, std::string text) {
    if (column >= m_columns.size())
        return;
    auto& cells = m_columns[column];
    for (std::size_t row = 1; row < m_rows; ++row) {
        if (cells[row].empty()) {
            cells[row] = std::move(text);
            return;
        }
    }
    ++m_rows;
    for (auto& other : m_columns)
        other.resize(m_rows);
    cells.back() = std::move(text);
}

void OptionGrid::removeItem(std::size_t column, std::size_t row) {
    setCell(column, row, {});
    rebuild(data());
}

void OptionGrid::moveList(std::size_t from, std::size_t to) {
    if (from >= m_columns.size() || to >= m_columns.size() || from == to)
        return;
    auto moved = std::move(m_columns[from]);
    m_columns.erase(m_columns.begin() + static_cast<std::ptrdiff_t>(from));
    m_columns.insert(m_columns.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
}

namespace {

// The label: the text before " (".
std::string_view labelOf(std::string_view text) {
    return text.substr(0, text.find(" ("));
}

// The adjustment an item's text names, its amount into `amount` ("0" for none).
PriceAdjustment adjustmentOf(std::string_view text, std::string_view currency,
                             std::string& amount) {
    if (text.find('(') == std::string_view::npos) {
        amount = "0";
        return PriceAdjustment::SamePrice;
    }
    constexpr std::string_view kSubtract = "subtract ";
    const auto subtractAt = text.find(kSubtract);
    const bool subtract = subtractAt != std::string_view::npos;
    const std::string_view marker = subtract ? kSubtract : "add ";
    // The amount is what follows the marker once the currency symbols are
    // removed, without ")". When no symbol stands before the marker's end (the
    // usual "Large (add $2.50)"), removing them first would find the marker at
    // the same place, so only the tail is read, in one pass.
    const auto found = subtract ? subtractAt : text.find(marker);
    if (found != std::string_view::npos && !occursBefore(text, currency, found + marker.size())) {
        amount.clear();
        const std::string_view tail = text.substr(found + marker.size());
        const char first = currency.empty() ? '\0' : lowerAscii(currency.front());
        for (std::size_t i = 0; i < tail.size();) {
            if (!currency.empty() && lowerAscii(tail[i]) == first && occursAt(tail, i, currency)) {
                i += currency.size();
                continue;
            }
            if (tail[i] != ')')
                amount += tail[i];
            ++i;
        }
    } else {
        const std::string stripped = withoutIgnoringCase(text, currency);
        const auto start = stripped.find(marker);
        // Brackets without an adjustment in them are part of the label's text only.
        if (start == std::string::npos) {
            amount = "0";
            return PriceAdjustment::SamePrice;
        }
        amount.clear();
        for (char c : std::string_view(stripped).substr(start + marker.size())) {
            if (c != ')')
                amount += c;
        }
    }
    return subtract ? PriceAdjustment::Subtract : PriceAdjustment::Add;
}

} // namespace

OptionItem OptionItem::parse(std::string_view text, std::string_view currency) {
    OptionItem item;
    item.label = std::string(labelOf(text));
    item.kind = adjustmentOf(text, currency, item.amount);
    return item;
}

std::string OptionItem::text(std::string_view currency) const {
    switch (kind) {
    case PriceAdjustment::Add:
        return label + " (add " + std::string(currency) + amount + ")";
    case PriceAdjustment::Subtract:
        return label + " (subtract " + std::string(currency) + amount + ")";
    case PriceAdjustment::SamePrice:
        break;
    }
    return label;
}

std::string OptionItem::signedAmount() const {
    if (kind == PriceAdjustment::SamePrice)
        return "+0";
    return (kind == PriceAdjustment::Subtract ? "-" : "+") + amount;
}

std::size_t ProductOptions::shownLists() const {
    if (!enabled || style == OptionStyle::None)
        return 0;
    std::size_t lists = 0;
    for (std::size_t c = 0; c < grid.columnCount(); ++c)
        lists += grid.isEmptyColumn(c) ? 0 : 1;
    return lists;
}

std::string optionBlock(const OptionGrid& grid, OptionStyle style, std::string_view currency) {
    std::string block;
    appendOptionBlock(block, grid, style, currency);
    return block;
}

void appendOptionBlock(std::string& block, const OptionGrid& grid, OptionStyle style,
                       std::string_view currency) {
    if (style == OptionStyle::None)
        return;
    std::string amount; // one buffer for every item's amount
    for (std::size_t c = 0; c < grid.columnCount(); ++c) {
        if (grid.isEmptyColumn(c))
            continue;
        const std::string name = "vdx_prodoptions" + std::to_string(c);
        if (style == OptionStyle::DropDown)
            block.append("<p><select size=\"1\" name=\"").append(name).append("\">\n");
        else
            block += "<p>";
        for (std::size_t r = 1; r < grid.rowCount(); ++r) {
            const std::string& text = grid.cell(c, r);
            if (text.empty())
                continue;
            const PriceAdjustment kind = adjustmentOf(text, currency, amount);
            if (style == OptionStyle::DropDown)
                block += "<option value=\"";
            else
                block.append("<input type=\"radio\" name=\"").append(name).append("\" value=\"");
            // The value is the signed amount ("+2.50", "+0"), the label and the
            // row: only the amount and the label can need quoting.
            block += kind == PriceAdjustment::Subtract ? '-' : '+';
            appendQuoted(block, amount);
            block += ';';
            appendQuoted(block, labelOf(text));
            char row[24];
            const auto written = std::to_chars(row, row + sizeof row, r);
            block.append(";").append(row, written.ptr).append("\">").append(text);
            block +=
                style == OptionStyle::DropDown ? "</option>\n" : "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
        }
        block += style == OptionStyle::DropDown ? "</select></p>\n" : "</p>";
    }
}

} // namespace vendaxo
