#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

// Comma separated values as spreadsheets write them (RFC 4180): fields in
// double quotes may hold separators, line breaks and doubled quotes; records
// end in CR LF, LF or CR.

struct CsvField {
    std::string text;
    std::size_t line = 0; // where the field starts: a quoted one can span lines

    bool operator==(const CsvField&) const = default;
};

struct CsvRecord {
    std::vector<CsvField> fields; // never empty

    std::size_t line() const { return fields.front().line; }
    // Whether every field is empty, as the rows a spreadsheet writes for cells
    // that were only formatted.
    bool isBlank() const;
};

// Where the text breaks the format: the line and the field's number in its
// record (from 1), and what is wrong.
struct CsvProblem {
    std::size_t line = 0;
    std::size_t field = 0;
    std::string message;

    bool operator==(const CsvProblem&) const = default;
};

struct CsvTable {
    std::vector<CsvRecord> records;
    std::vector<CsvProblem> problems;
};

// Every record of the text. Reading goes on after a problem, so that all of
// them are found: a stray quotation mark is taken as a character.
CsvTable readCsv(std::string_view text, char separator);

// The separator the first record (a header) uses: the first "," or ";" outside
// quotation marks, else ",".
char csvSeparator(std::string_view text);

} // namespace vendaxo
