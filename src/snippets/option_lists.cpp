#include "snippets/option_lists.h"

#include "shell/error.h"
#include "snippets/html.h"

#include <algorithm>
#include <cctype>

namespace vendaxo {

namespace {

const std::string kNoText;

std::string withoutLineFeeds(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

// Removes every occurrence of `what`, letters in any case.
std::string withoutIgnoringCase(std::string_view text, std::string_view what) {
    if (what.empty())
        return std::string(text);
    const auto lower = [](char c) {
        return std::tolower(static_cast<unsigned char>(c));
    };
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (i + what.size() <= text.size() &&
            std::equal(what.begin(), what.end(), text.begin() + static_cast<std::ptrdiff_t>(i),
                       [&](char a, char b) { return lower(a) == lower(b); })) {
            i += what.size();
        } else {
            out += text[i++];
        }
    }
    return out;
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
    return std::all_of(m_columns.begin(), m_columns.end(), [](const auto& column) {
        return std::all_of(column.begin(), column.end(),
                           [](const std::string& text) { return text.empty(); });
    });
}

void checkListTitle(std::string_view title) {
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

OptionItem OptionItem::parse(std::string_view text, std::string_view currency) {
    OptionItem item;
    const auto bracket = text.find(" (");
    item.label = std::string(text.substr(0, bracket));
    if (text.find('(') == std::string_view::npos)
        return item;
    const bool subtract = text.find("subtract ") != std::string_view::npos;
    const std::string stripped = withoutIgnoringCase(text, currency);
    const std::string_view marker = subtract ? "subtract " : "add ";
    const auto start = stripped.find(marker);
    // Brackets without an adjustment in them are part of the label's text only.
    if (start == std::string::npos)
        return item;
    item.kind = subtract ? PriceAdjustment::Subtract : PriceAdjustment::Add;
    item.amount.clear();
    for (char c : std::string_view(stripped).substr(start + marker.size())) {
        if (c != ')')
            item.amount += c;
    }
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

std::string optionBlock(const OptionGrid& grid, OptionStyle style, std::string_view currency) {
    if (style == OptionStyle::None)
        return {};
    std::string block;
    for (std::size_t c = 0; c < grid.columnCount(); ++c) {
        bool hasCells = false;
        for (std::size_t r = 0; r < grid.rowCount() && !hasCells; ++r)
            hasCells = !grid.cell(c, r).empty();
        if (!hasCells)
            continue; // an empty column is no list
        const std::string name = "vdx_prodoptions" + std::to_string(c);
        block += style == OptionStyle::DropDown ? "<p><select size=\"1\" name=\"" + name + "\">\n"
                                                : std::string("<p>");
        for (std::size_t r = 1; r < grid.rowCount(); ++r) {
            const std::string& text = grid.cell(c, r);
            if (text.empty())
                continue;
            const OptionItem item = OptionItem::parse(text, currency);
            const std::string value =
                quoteAttribute(item.signedAmount() + ";" + item.label + ";" + std::to_string(r));
            if (style == OptionStyle::DropDown)
                block += "<option value=\"" + value + "\">" + text + "</option>\n";
            else
                block += "<input type=\"radio\" name=\"" + name + "\" value=\"" + value + "\">" +
                         text + "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
        }
        block += style == OptionStyle::DropDown ? "</select></p>\n" : "</p>";
    }
    return block;
}

} // namespace vendaxo
