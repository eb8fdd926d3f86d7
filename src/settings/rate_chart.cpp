#include "settings/rate_chart.h"

#include "base/numbers.h"

#include <algorithm>

namespace vendaxo {

RateChart::RateChart() : m_rows{{"0", "0"}} {}

RateChart RateChart::fromText(std::string_view stored) {
    std::string text(stored.empty() ? std::string_view(";0-0;") : stored);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    RateChart chart;
    chart.m_rows.clear();
    std::vector<Row> rows(1); // row 0 takes the name and is dropped
    bool chargeSide = false;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char c = text[i];
        if (c == '-') {
            chargeSide = true;
        } else if (c == ';') {
            chargeSide = false;
            rows.emplace_back();
        } else {
            (chargeSide ? rows.back().charge : rows.back().breakPoint) += c;
        }
    }
    chart.m_rows.assign(rows.begin() + 1, rows.end());
    return chart;
}

std::string RateChart::gridText() const {
    std::string text;
    for (const Row& row : m_rows)
        text += row.breakPoint + "-" + row.charge + ";";
    return text + "\n";
}

const std::string& RateChart::zeroCharge() const {
    static const std::string none;
    return m_rows.empty() ? none : m_rows.front().charge;
}

void RateChart::setZeroCharge(std::string charge) {
    if (m_rows.empty())
        m_rows.push_back({"0", {}});
    m_rows.front().charge = std::move(charge);
}

std::size_t RateChart::setCharge(std::string_view breakPoint, std::string_view charge) {
    const double point = leadingNumber(breakPoint);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (!m_rows[i].breakPoint.empty() && leadingNumber(m_rows[i].breakPoint) == point) {
            m_rows[i].charge = std::string(charge);
            return i;
        }
    }
    m_rows.push_back({std::string(breakPoint), std::string(charge)});
    return sort(breakPoint);
}

void RateChart::removeRow(std::size_t index) {
    if (index >= m_rows.size())
        return;
    m_rows[index] = {};
    sort({});
}

std::size_t RateChart::sort(std::string_view current) {
    // A row whose charge was emptied keeps its place: only a row without a
    // break point is dropped, so no other row is lost with it.
    std::erase_if(m_rows, [](const Row& row) { return row.breakPoint.empty(); });
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const Row& a, const Row& b) {
        return leadingNumber(a.breakPoint) < leadingNumber(b.breakPoint);
    });
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].breakPoint == current)
            return i;
    }
    return 0;
}

} // namespace vendaxo
