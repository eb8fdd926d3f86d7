// Every stored shipping value at once, as an old installation or a .reg file left
// them: loaded, saved by OK, and loaded again, the dialog shows the same settings.
#include "fuzz_support.h"
#include "settings/shipping_settings.h"

#include <array>

using namespace vendaxo;

namespace {

constexpr std::array<std::string_view, 19> kValues = {"OSta",
                                                      "OShp",
                                                      "OWgt",
                                                      "OBase",
                                                      "OSmg",
                                                      "OSmin",
                                                      "OSCompareType",
                                                      "OBaseChart",
                                                      "RateChartComparison",
                                                      "RateChartChoices",
                                                      "RateChartData",
                                                      "MRateChartData",
                                                      "UPSOrig",
                                                      "UPSPickup",
                                                      "UPSPackage",
                                                      "UPSOrigZip",
                                                      "UPSBaseRate",
                                                      "UPSService",
                                                      "Currency"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const auto parts = fuzz::split(fuzz::asText(bytes, size), '\0', kValues.size());
    fuzz::MemoryStore store;
    store.setMerchantNumber("1");
    for (std::size_t i = 0; i < parts.size(); ++i)
        store.writeMerchant(kValues[i], parts[i]);

    const ShippingSettings first = ShippingSettings::load(store);
    fuzz::check(static_cast<int>(first.method) >= 0 && static_cast<int>(first.method) <= 5,
                "method in range");
    fuzz::check(first.charts.size() == first.chartNames.size(), "one chart per name");
    first.save(store);
    const ShippingSettings second = ShippingSettings::load(store);
    fuzz::check(second.userChoices == first.userChoices, "user choices survive OK");
    fuzz::check(second.baseRates == first.baseRates, "base rates survive OK");
    fuzz::check(second.chartNames == first.chartNames, "chart names survive OK");
    for (std::size_t i = 0; i < first.charts.size() && i < second.charts.size(); ++i)
        fuzz::check(second.charts[i] == first.charts[i], "named charts survive OK",
                    first.chartNames[i] + "|" + first.charts[i].gridText() + "|" +
                        second.charts[i].gridText());
    fuzz::check(second.singleChart == first.singleChart, "the single chart survives OK");
    fuzz::check(second == first, "load(save(load(x))) == load(x)");

    for (const auto& list : {first.userChoices, first.baseRates}) {
        for (const std::string& item : list) {
            // An item edited with its own rate keeps name and rate.
            const std::string rate = shippingItemRate(item);
            const std::string name = shippingItemName(item);
            // Names read back from the store are never refused.
            const std::string again = shippingItem(name, rate);
            fuzz::check(shippingItemName(again) == name, "item name survives an edit", item);
        }
    }
    static_cast<void>(calculationExample(first.calculationBasis, first.unitRate, first.baseRate,
                                         first.minimum, "$"));
    return 0;
}
