// The named rate charts (MRateChartData): one chart text a line, after the chart's name.
#include "fuzz_support.h"
#include "settings/rate_chart.h"
#include "settings/shipping_settings.h"

#include <algorithm>

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view stored = fuzz::asText(bytes, size);
    const auto lineCount = static_cast<std::size_t>(std::count(stored.begin(), stored.end(), '\n'));
    std::vector<std::string> names;
    std::vector<RateChart> charts;
    for (std::size_t i = 0; i <= lineCount; ++i) {
        const std::string text = namedChartText(stored, i);
        fuzz::check(text.find('\n') == std::string::npos, "a chart text is one line", text);
        names.push_back("Chart " + std::to_string(i));
        charts.push_back(RateChart::fromText(text));
    }
    fuzz::check(namedChartText(stored, lineCount + 1).empty(), "no chart past the last line");

    // Saved under plain names and read back, every chart keeps its rows.
    fuzz::MemoryStore store;
    store.setMerchantNumber("1");
    store.writeMerchant("OSta", "4");
    ShippingSettings::saveChartNames(store, names);
    ShippingSettings::saveNamedCharts(store, names, charts);
    const ShippingSettings loaded = ShippingSettings::load(store);
    fuzz::check(loaded.chartNames == names, "chart names read back");
    fuzz::check(loaded.charts == charts, "named charts read back row for row");
    return 0;
}
