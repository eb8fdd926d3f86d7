#include "base/csv.h"

#include <algorithm>

namespace vendaxo {

namespace {

constexpr char kQuote = '"';

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

class CsvReader {
public:
    CsvReader(std::string_view text, char separator)
        : m_text(text), m_separator(separator), m_plainStops{separator, '\r', '\n', kQuote} {}

    CsvTable read() {
        while (m_pos < m_text.size())
            m_table.records.push_back(readRecord());
        return std::move(m_table);
    }

private:
    CsvRecord readRecord() {
        CsvRecord record;
        for (;;) {
            CsvField field;
            field.line = m_line;
            const std::size_t number = record.fields.size() + 1;
            if (peek() == kQuote)
                readQuoted(field, number);
            else
                readPlain(field, number, false);
            record.fields.push_back(std::move(field));
            if (m_pos < m_text.size() && m_text[m_pos] == m_separator) {
                ++m_pos;
                continue;
            }
            takeLineEnd();
            return record;
        }
    }

    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    void takeLineEnd() {
        if (peek() == '\r')
            ++m_pos;
        if (peek() == '\n')
            ++m_pos;
        ++m_line;
    }

    // Up to the next separator or line end; a quotation mark is kept as it is.
    void readPlain(CsvField& field, std::size_t number, bool reported) {
        for (;;) {
            const std::size_t stop =
                std::min(m_text.find_first_of(m_plainStops, m_pos), m_text.size());
            field.text.append(m_text, m_pos, stop - m_pos);
            m_pos = stop;
            if (peek() != kQuote)
                return;
            if (!reported)
                problem(number, "a quotation mark inside a field that does not start with one; "
                                "put the field in quotation marks and double the mark");
            reported = true;
            field.text += kQuote;
            ++m_pos;
        }
    }

    void readQuoted(CsvField& field, std::size_t number) {
        ++m_pos;
        for (;;) {
            const std::size_t stop = m_text.find_first_of("\"\r\n", m_pos);
            if (stop == std::string_view::npos) {
                field.text.append(m_text, m_pos);
                m_pos = m_text.size();
                m_table.problems.push_back({field.line, number,
                                            "the quotation mark that opens this field is never "
                                            "closed"});
                return;
            }
            field.text.append(m_text, m_pos, stop - m_pos);
            m_pos = stop;
            if (isLineEnd(m_text[m_pos])) {
                // Kept as written: the field holds the line break the cell had.
                const std::size_t start = m_pos;
                takeLineEnd();
                field.text.append(m_text, start, m_pos - start);
                continue;
            }
            ++m_pos;
            if (peek() != kQuote)
                break;
            field.text += kQuote;
            ++m_pos;
        }
        if (m_pos < m_text.size() && m_text[m_pos] != m_separator && !isLineEnd(m_text[m_pos])) {
            problem(number, "text after the quotation mark that closes the field");
            readPlain(field, number, true);
        }
    }

    void problem(std::size_t number, std::string message) {
        m_table.problems.push_back({m_line, number, std::move(message)});
    }

    std::string_view m_text;
    char m_separator;
    std::string m_plainStops;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
    CsvTable m_table;
};

} // namespace

bool CsvRecord::isBlank() const {
    return std::all_of(fields.begin(), fields.end(),
                       [](const CsvField& field) { return field.text.empty(); });
}

CsvTable readCsv(std::string_view text, char separator) {
    return CsvReader(text, separator).read();
}

char csvSeparator(std::string_view text) {
    bool quoted = false;
    for (const char c : text) {
        if (c == kQuote)
            quoted = !quoted;
        else if (!quoted && (c == ',' || c == ';'))
            return c;
        else if (!quoted && isLineEnd(c))
            break;
    }
    return ',';
}

} // namespace vendaxo
