#pragma once

#include "base/text.h"
#include "settings/order_charges.h"
#include "settings/rate_chart.h"
#include "shell/stored_values.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

class SettingsStore;

enum class ShippingMethod {
    UserChoice = 0,
    RateCalculation = 1,
    MultipleBaseRate = 2,
    SingleRateChart = 3,
    MultipleRateChart = 4,
    Ups = 5,
};

// What the rate calculation is based on (OSCompareType).
enum class CalculationBasis { Weight = 0, Quantity = 1, OrderTotal = 2 };
// What the rate charts are based on (RateChartComparison), as "Compare By:" lists them.
enum class ChartBasis { Dollar = 0, Weight = 1, Quantity = 2 };
inline constexpr std::array<std::string_view, 3> kChartBasisNames = {"Dollar", "Weight",
                                                                     "Quantity"};

inline constexpr std::array<std::string_view, 2> kUpsOrigins = {"United States", "Puerto Rico"};
inline constexpr std::array<std::string_view, 5> kUpsPickups = {
    "Regular Daily Pickup", "On Call Air", "One Time Pickup", "Letter Center", "Customer Counter"};
inline constexpr std::array<std::string_view, 6> kUpsPackages = {
    "Your Packaging",  "UPS Letter Envelope",    "UPS Tube",
    "UPS Express Box", "UPS Worldwide 25KG Box", "UPS Worldwide 10KG Box"};
inline constexpr std::array<std::string_view, 11> kUpsServices = {"Next Day Air Early AM",
                                                                  "Next Day Air",
                                                                  "Next Day Air Saver",
                                                                  "2nd Day Air AM",
                                                                  "2nd Day Air",
                                                                  "3 Day Select",
                                                                  "Ground",
                                                                  "Canada Standard",
                                                                  "Worldwide Express",
                                                                  "Worldwide Express Plus",
                                                                  "Worldwide Expedited"};

// The rate charts of methods 3 and 4: the single chart and the named charts
// share one basis; each name has its chart, at the same position.
struct RateCharts {
    ChartBasis basis = ChartBasis::Dollar;
    RateChart single;
    std::vector<std::string> names;
    std::vector<RateChart> named;

    // A name is stored one a line, and its chart after it and ";".
    static bool acceptableName(std::string_view name);
    // The new name's chart is the zero row alone.
    void addNamed(std::string name);
    void removeNamed(std::size_t index);

    bool operator==(const RateCharts&) const = default;
};

// The shipping dialog's settings. load() is also how the checkout form reads
// them, so every rule about what a stored value means is here.
struct ShippingSettings {
    ShippingMethod method = ShippingMethod::UserChoice;
    std::vector<std::string> userChoices = nonEmptyLines(stored::kUserChoices.whenEmpty);
    std::string unitRate{stored::kUnitRate.whenEmpty};
    std::string baseRate{stored::kBaseRate.whenEmpty};
    std::string message{stored::kShippingMessage.whenEmpty};
    std::string minimum{stored::kShippingMinimum.whenEmpty};
    CalculationBasis calculationBasis = CalculationBasis::Weight;
    std::vector<std::string> baseRates; // "NAME = $RATE;"
    ChartBasis chartBasis = ChartBasis::Dollar;
    RateChart singleChart;
    std::vector<std::string> chartNames;
    std::vector<RateChart> charts; // one per chart name
    int upsOrigin = 0;
    int upsPickup = 0;
    int upsPackage = 0;
    std::string upsOriginZip;
    std::string upsBaseRate;
    std::array<bool, 11> upsServices = upsServicesFrom(stored::kUpsServices.whenEmpty, {});

    static ShippingSettings load(SettingsStore& store);
    // Writes in the dialog's order; the single chart only for method 3, the
    // named charts only for method 4, as the dialog does.
    void save(SettingsStore& store) const;

    // Adding or removing a chart name is stored at once, before OK: the names
    // one a CR LF line, and each named chart as its name, ";" and its grid text.
    static void saveChartNames(SettingsStore& store, const std::vector<std::string>& names);
    static void saveNamedCharts(SettingsStore& store, const std::vector<std::string>& names,
                                const std::vector<RateChart>& charts);

    // "1;" or "0;" per service, in list order.
    std::string upsServiceText() const;
    // The services of such a text, in order; those it does not reach stay as in `shown`.
    static std::array<bool, 11> upsServicesFrom(std::string_view text, std::array<bool, 11> shown);

    // The chart values together, as the rate chart page edits them.
    RateCharts rateCharts() const;
    void setRateCharts(RateCharts charts);

    bool operator==(const ShippingSettings&) const = default;
};

// Everything the shipping dialog edits, loaded and saved together: the
// method's settings first, then the order charges.
struct ShippingChoices {
    ShippingSettings shipping;
    OrderCharges charges;

    static ShippingChoices load(SettingsStore& store);
    void save(SettingsStore& store) const;

    bool operator==(const ShippingChoices&) const = default;
};

// "NAME = $RATE;" for the user-choice and base-rate lists, with the typed rate
// normalised and the name as listItemName keeps it; and the two parts back.
std::string shippingItem(std::string_view name, std::string_view typedRate);
std::string shippingItemName(std::string_view item);
std::string shippingItemRate(std::string_view item);

// Chart text i of the stored named charts: line i without its line feed.
std::string namedChartText(std::string_view storedCharts, std::size_t index);

// The calculation page's example of what a shopper would pay.
std::string calculationExample(CalculationBasis basis, std::string_view unitRate,
                               std::string_view baseRate, std::string_view minimum,
                               std::string_view currency);

} // namespace vendaxo
