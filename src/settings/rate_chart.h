#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

// A shipping rate chart: break points (dollar amount, weight or quantity) and
// the charge that applies at and above each. The first row is the zero row.
class RateChart {
public:
    struct Row {
        std::string breakPoint;
        std::string charge;
        bool operator==(const Row&) const = default;
    };

    // A chart of the zero row with charge "0".
    RateChart();

    // From a stored chart text such as ";0-5;10-7.5;\n": an empty text is
    // ";0-0;", line feeds are dropped, what stands before the first ";" (a
    // chart's name) is ignored and the closing ";" is not read.
    static RateChart fromText(std::string_view text);
    // "0-5;10-7.5;" and one line feed: the text after a chart's name or ";".
    std::string gridText() const;

    const std::vector<Row>& rows() const { return m_rows; }
    // The zero row's charge, mirrored in the dialog's "Zero Base Rate" edit.
    const std::string& zeroCharge() const;
    void setZeroCharge(std::string charge);

    // The break-point editor's OK: an existing break point (compared as
    // numbers, so 10.0 is 10) takes the charge; otherwise a row is added and
    // the chart sorted. Returns the index of the row that holds it.
    std::size_t setCharge(std::string_view breakPoint, std::string_view charge);
    // Empties a row's cells and sorts, which drops it.
    void removeRow(std::size_t index);

    bool operator==(const RateChart&) const = default;

private:
    // Ascending by numeric break point; rows without a break point are dropped.
    // Returns the row holding `current` (as text), or 0.
    std::size_t sort(std::string_view current);

    std::vector<Row> m_rows;
};

} // namespace vendaxo
