#include "snippets/catalogue.h"

#include "base/csv.h"
#include "base/error.h"
#include "base/file_io.h"
#include "base/text.h"
#include "base/text_encoding.h"
#include "snippets/catalogue_columns.h"
#include "snippets/option_file.h"
#include "snippets/purchase_snippet.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <unordered_map>

namespace vendaxo {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A column of the header: the list's column it names, if any.
struct HeaderColumn {
    std::string name; // as the header spells it
    const CatalogueColumn* column = nullptr;
    bool refused = false; // reported in the header; its cells are not read
};

// An option file's data text, or why it cannot be read.
struct OptionFile {
    std::string data;
    std::optional<std::string> failure;
};

class ListReader {
public:
    ListReader(std::filesystem::path folder, const CatalogueProgress& progress)
        : m_folder(std::move(folder)), m_progress(progress) {}

    Catalogue read(std::string_view bytes);

private:
    void readHeader(const CsvRecord& header);
    // `malformed`: the CSV reader found a problem in the record's lines.
    void readRow(const CsvRecord& record, bool malformed);
    void checkRow(const CsvRecord& record, CatalogueCells& cells);
    // The field index of the column the header gives that name; kNoColumn when none.
    std::size_t indexOf(std::string_view name) const;
    const OptionFile& optionFile(const std::string& name);
    void error(std::size_t line, std::size_t index, std::string message);

    std::filesystem::path m_folder;
    const CatalogueProgress& m_progress;
    std::vector<HeaderColumn> m_header;
    std::unordered_map<std::string, std::size_t> m_skuLines;
    std::map<std::string, OptionFile> m_optionFiles;
    Catalogue m_catalogue;
};

constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

// Where a cell starts: a quoted cell before it may span lines.
std::size_t lineOf(const CsvRecord& record, std::size_t index) {
    return index < record.fields.size() ? record.fields[index].line : record.line();
}

void ListReader::error(std::size_t line, std::size_t index, std::string message) {
    CatalogueError error{line, 0, {}, std::move(message)};
    if (index != kNoColumn) {
        error.column = index + 1;
        if (index < m_header.size())
            error.columnName = m_header[index].name;
    }
    m_catalogue.errors.push_back(std::move(error));
}

std::size_t ListReader::indexOf(std::string_view name) const {
    const auto found = std::find_if(m_header.begin(), m_header.end(), [&](const HeaderColumn& h) {
        return h.column && h.column->name == name;
    });
    return found == m_header.end() ? kNoColumn : static_cast<std::size_t>(found - m_header.begin());
}

Catalogue ListReader::read(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        error(1, kNoColumn,
              "the file is UTF-16 text; save the list as CSV (UTF-8 or Windows-1252)");
        return std::move(m_catalogue);
    }
    if (bytes.starts_with(kUtf8Bom))
        bytes.remove_prefix(kUtf8Bom.size());
    const std::string text = isValidUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes);
    CsvTable table = readCsv(text, csvSeparator(text));
    std::erase_if(table.records, [](const CsvRecord& record) { return record.isBlank(); });
    if (table.records.empty()) {
        error(1, kNoColumn,
              "the list is empty; its first line names the columns: " + catalogueColumnNames());
        return std::move(m_catalogue);
    }
    readHeader(table.records.front());
    for (const CsvProblem& problem : table.problems)
        error(problem.line, problem.field - 1, problem.message);
    const std::size_t total = table.records.size() - 1;
    if (total == 0)
        error(table.records.front().line(), kNoColumn, "no products below the header");
    auto problem = table.problems.begin(); // in the order of their lines
    for (std::size_t i = 1; i < table.records.size(); ++i) {
        const std::size_t next = i + 1 < table.records.size()
                                     ? table.records[i + 1].line()
                                     : std::numeric_limits<std::size_t>::max();
        bool malformed = false;
        for (; problem != table.problems.end() && problem->line < next; ++problem)
            malformed = malformed || problem->line >= table.records[i].line();
        readRow(table.records[i], malformed);
        if (m_progress)
            m_progress(i, total);
    }
    std::stable_sort(m_catalogue.errors.begin(), m_catalogue.errors.end(),
                     [](const CatalogueError& a, const CatalogueError& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
    return std::move(m_catalogue);
}

void ListReader::readHeader(const CsvRecord& header) {
    const auto columns = catalogueColumns();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        HeaderColumn& named = m_header.emplace_back();
        named.name = trimmed(header.fields[i].text);
        if (named.name.empty())
            continue; // a column without a name, whose cells must be empty
        const auto column =
            std::find_if(columns.begin(), columns.end(), [&](const CatalogueColumn& c) {
                return equalsIgnoringCase(c.name, named.name);
            });
        named.refused = true;
        if (column == columns.end()) {
            error(header.line(), i, "no such column; the columns are " + catalogueColumnNames());
        } else if (const std::size_t first = indexOf(column->name); first != kNoColumn) {
            error(header.line(), i, "the same column as column " + std::to_string(first + 1));
        } else {
            named.column = &*column;
            named.refused = false;
        }
    }
    for (const CatalogueColumn& column : columns) {
        if (column.required && indexOf(column.name) == kNoColumn)
            error(header.line(), kNoColumn,
                  "no " + std::string(column.name) +
                      " column; every list has sku, price and description");
    }
}

void ListReader::readRow(const CsvRecord& record, bool malformed) {
    const std::size_t errorsBefore = m_catalogue.errors.size();
    CatalogueCells cells;
    const std::string none;
    for (std::size_t i = 0; i < std::max(record.fields.size(), m_header.size()); ++i) {
        const std::string& text = i < record.fields.size() ? record.fields[i].text : none;
        const std::size_t line = lineOf(record, i);
        const HeaderColumn* named = i < m_header.size() ? &m_header[i] : nullptr;
        if (named && named->refused)
            continue;
        if (!named || !named->column) {
            if (!text.empty())
                error(line, i, "a value in a column without a name");
        } else if (text.empty()) {
            if (named->column->required)
                error(line, i, "empty; every product has a SKU, a price and a description");
        } else {
            try {
                named->column->take(text, cells);
            } catch (const Error& refused) {
                error(line, i, refused.what());
            }
        }
    }
    if (cells.values.sku) {
        const std::size_t index = indexOf("sku");
        const auto [first, added] = m_skuLines.emplace(*cells.values.sku, lineOf(record, index));
        if (!added)
            error(lineOf(record, index), index,
                  "the SKU is already on line " + std::to_string(first->second));
    }
    checkRow(record, cells);
    if (malformed || m_catalogue.errors.size() != errorsBefore)
        return;
    try {
        m_catalogue.rows.push_back({record.line(), cells.values.toProduct()});
    } catch (const RefusedValue& refused) {
        const std::size_t index = indexOf(kDiscountsColumn);
        error(lineOf(record, index), index, "\"" + refused.value() + "\": " + refused.what());
    } catch (const Error& refused) {
        const std::size_t index =
            indexOf(cells.optionFile.empty() ? kOptionDataColumn : kOptionFileColumn);
        error(lineOf(record, index), index, refused.what());
    }
}

// The rules between the cells of one row.
void ListReader::checkRow(const CsvRecord& record, CatalogueCells& cells) {
    const auto errorAt = [&](std::string_view column, std::string message) {
        const std::size_t index = indexOf(column);
        error(lineOf(record, index), index, std::move(message));
    };
    PurchaseValues& values = cells.values;
    if (values.quantityLock &&
        (values.quantityBox.value_or(false) || values.noFractional.value_or(false)))
        errorAt(kQuantityLockColumn,
                "a locked quantity goes with neither quantity-box nor no-fractional");
    if (cells.optionFile.empty())
        return;
    if (values.optionData) {
        errorAt(kOptionDataColumn,
                "a product takes its options from an option file or from option-data, not both");
        return;
    }
    const OptionFile& file = optionFile(cells.optionFile);
    if (file.failure)
        errorAt(kOptionFileColumn, *file.failure);
    else
        values.optionData = file.data;
}

// Each file is read once, however many products name it.
const OptionFile& ListReader::optionFile(const std::string& name) {
    const auto [found, added] = m_optionFiles.try_emplace(name);
    if (added) {
        try {
            found->second.data = readOptionFile(m_folder / pathFromUtf8(name));
        } catch (const Error& failure) {
            found->second.failure = failure.what();
        }
    }
    return found->second;
}

} // namespace

std::string CatalogueError::text(std::string_view fileName) const {
    std::string where = std::string(fileName) + ", line " + std::to_string(line);
    if (column != 0) {
        where += ", column " + std::to_string(column);
        if (!columnName.empty())
            where += " (" + columnName + ")";
    }
    return where + ": " + message;
}

Catalogue readCatalogue(std::string_view bytes, const std::filesystem::path& folder,
                        const CatalogueProgress& progress) {
    return ListReader(folder, progress).read(bytes);
}

Catalogue readCatalogueFile(const std::filesystem::path& file, const CatalogueProgress& progress) {
    return readCatalogue(readFileBytes(file), file.parent_path(), progress);
}

std::string buildCatalogueSnippets(const std::vector<CatalogueRow>& rows,
                                   const MerchantProfile& profile, std::string_view storedColours) {
    std::string html;
    for (const CatalogueRow& row : rows)
        html += buildPurchaseSnippet(row.product, profile, storedColours);
    return html;
}

} // namespace vendaxo
