// CSV text as spreadsheets export product lists. Any text reads without a
// fault; and the input taken as a table (records cut at 0x1E, fields at 0x1F),
// written out as a spreadsheet would, reads back as the same table with no
// problem and each field on its line.
#include "base/csv.h"
#include "fuzz_support.h"

using namespace vendaxo;

namespace {

bool needsQuotes(std::string_view field, char separator) {
    return field.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos;
}

void appendQuoted(std::string& out, std::string_view field) {
    out += '"';
    for (const char c : field) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
}

// The line each byte of `text` is on.
std::vector<std::size_t> linesOf(std::string_view text) {
    std::vector<std::size_t> lines(text.size() + 1);
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        lines[i] = line;
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++line;
    }
    lines[text.size()] = line;
    return lines;
}

void checkAnyText(std::string_view text, char separator) {
    const CsvTable table = readCsv(text, separator);
    const std::size_t lastLine = linesOf(text).back();
    std::size_t line = 1;
    for (const CsvRecord& record : table.records) {
        fuzz::check(!record.fields.empty(), "every record has a field");
        for (const CsvField& field : record.fields) {
            fuzz::check(field.line >= line && field.line <= lastLine, "lines go forward");
            line = field.line;
        }
    }
    for (const CsvProblem& problem : table.problems)
        fuzz::check(problem.line >= 1 && problem.line <= lastLine && problem.field >= 1,
                    "a problem is somewhere in the text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view input = fuzz::asText(bytes, size);
    checkAnyText(input, ',');
    checkAnyText(input, ';');
    if (input.empty())
        return 0;

    // The first byte chooses the separator, the line end and whether every
    // field is quoted; the rest is the table.
    const auto choice = static_cast<unsigned char>(input.front());
    const char separator = choice & 1 ? ';' : ',';
    const std::string_view lineEnd = choice & 2 ? "\r\n" : "\n";
    const bool quoteAll = choice & 4;
    std::vector<std::vector<std::string_view>> table;
    for (const std::string_view record : fuzz::split(input.substr(1), '\x1e', size))
        table.push_back(fuzz::split(record, '\x1f', size));

    std::string text;
    std::vector<std::size_t> starts; // where each field starts in the text
    std::vector<bool> quoted;
    for (const auto& record : table) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (i > 0)
                text += separator;
            starts.push_back(text.size());
            quoted.push_back(quoteAll || needsQuotes(record[i], separator));
            if (quoted.back())
                appendQuoted(text, record[i]);
            else
                text += record[i];
        }
        text += lineEnd;
    }

    const CsvTable read = readCsv(text, separator);
    fuzz::check(read.problems.empty(), "written text reads without a problem", text);
    fuzz::check(read.records.size() == table.size(), "as many records", text);
    const std::vector<std::size_t> lines = linesOf(text);
    std::size_t field = 0;
    for (std::size_t r = 0; r < table.size(); ++r) {
        fuzz::check(read.records[r].fields.size() == table[r].size(), "as many fields", text);
        for (std::size_t f = 0; f < table[r].size(); ++f, ++field) {
            fuzz::check(read.records[r].fields[f].text == table[r][f], "the same field", text);
            fuzz::check(read.records[r].fields[f].line == lines[starts[field]], "the field's line",
                        text);
        }
    }
    // Unless the first field holds the other separator unquoted.
    const bool plainFirst =
        quoted.front() || table.front().front().find_first_of(",;") == std::string_view::npos;
    if (table.front().size() > 1 && plainFirst)
        fuzz::check(csvSeparator(text) == separator, "the header tells the separator", text);
    return 0;
}
