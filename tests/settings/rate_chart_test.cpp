#include "settings/rate_chart.h"

#include <gtest/gtest.h>

namespace vendaxo::test {

namespace {

using Rows = std::vector<RateChart::Row>;

} // namespace

TEST(RateChart, TextLoadsAndSavesTheSameRows) {
    const RateChart chart = RateChart::fromText(";0-5;10-7.5;\n");
    EXPECT_EQ(chart.rows(), (Rows{{"0", "5"}, {"10", "7.5"}}));
    EXPECT_EQ(";" + chart.gridText(), ";0-5;10-7.5;\n");
    EXPECT_EQ(RateChart::fromText("Ground;0-5;10-7.5;").rows(), chart.rows())
        << "a chart's name is ignored";
    EXPECT_EQ(RateChart::fromText("").rows(), (Rows{{"0", "0"}}));
    EXPECT_EQ(RateChart().gridText(), "0-0;\n");
    EXPECT_EQ(RateChart::fromText(";0-1;\n5\n-2;").rows(), (Rows{{"0", "1"}, {"5", "2"}}))
        << "line feeds are dropped";
    EXPECT_EQ(RateChart::fromText(";0-1;5-2").rows(), (Rows{{"0", "1"}, {"5", ""}}))
        << "the last character is never read";
}

TEST(RateChart, BreakPointsStaySortedAndUnique) {
    RateChart chart;
    EXPECT_EQ(chart.setCharge("10", "4"), 1u);
    EXPECT_EQ(chart.setCharge("5", "6"), 1u) << "the new break point becomes current";
    EXPECT_EQ(chart.rows(), (Rows{{"0", "0"}, {"5", "6"}, {"10", "4"}}));

    EXPECT_EQ(chart.setCharge("10.0", "3.5"), 2u) << "10.0 is the break point 10";
    EXPECT_EQ(chart.rows().size(), 3u);
    EXPECT_EQ(chart.rows()[2], (RateChart::Row{"10", "3.5"}));

    chart.setCharge("0", "9");
    EXPECT_EQ(chart.zeroCharge(), "9") << "break point 0 updates the zero row";
    chart.setCharge("2.5", "7");
    EXPECT_EQ(chart.rows()[1].breakPoint, "2.5") << "compared as numbers, not as text";

    chart.removeRow(1);
    EXPECT_EQ(chart.rows(), (Rows{{"0", "9"}, {"5", "6"}, {"10", "3.5"}}));
}

TEST(RateChart, AnEmptiedZeroChargeLosesNoRow) {
    RateChart chart = RateChart::fromText(";0-5;10-7.5;20-9;");
    chart.setZeroCharge("");
    chart.setCharge("15", "8");
    EXPECT_EQ(chart.rows(), (Rows{{"0", ""}, {"10", "7.5"}, {"15", "8"}, {"20", "9"}}));
}

} // namespace vendaxo::test
