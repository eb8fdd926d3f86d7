// A single rate chart text (RateChartData) as stored by any version.
#include "fuzz_support.h"
#include "settings/rate_chart.h"

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const RateChart chart = RateChart::fromText(fuzz::asText(bytes, size));
    const std::string grid = chart.gridText();
    // Stored as ";" + grid text, the chart reads back row for row.
    const RateChart back = RateChart::fromText(";" + grid);
    fuzz::check(back == chart, "fromText(\";\" + gridText()) gives the same rows", grid);
    fuzz::check(back.gridText() == grid, "grid text is stable", grid);

    // The break-point editor's commands on whatever was loaded.
    RateChart edited = chart;
    edited.setZeroCharge("1");
    const std::size_t at = edited.setCharge("5", "2");
    fuzz::check(at < edited.rows().size() && edited.rows()[at].charge == "2",
                "setCharge returns the row it set");
    edited.removeRow(at);
    return 0;
}
