#include "settings/shipping_settings.h"

#include "base/numbers.h"
#include "base/text.h"
#include "settings/store_options.h"
#include "shell/settings_store.h"

#include <cmath>

namespace vendaxo {

namespace {

// A stored index into a list of `count` entries; anything else reads 0.
int index(std::string_view stored, std::size_t count) {
    const std::string number = integerText(stored);
    for (std::size_t i = 0; i < count; ++i) {
        if (number == std::to_string(i))
            return static_cast<int>(i);
    }
    return 0;
}

} // namespace

std::string namedChartText(std::string_view stored, std::size_t wanted) {
    std::size_t start = 0;
    for (std::size_t line = 0; line < wanted; ++line) {
        const auto end = stored.find('\n', start);
        if (end == std::string_view::npos)
            return {};
        start = end + 1;
    }
    if (start >= stored.size())
        return {};
    const auto end = stored.find('\n', start);
    return std::string(stored.substr(start, end == std::string_view::npos ? end : end - start));
}

ShippingSettings ShippingSettings::load(SettingsStore& store) {
    ShippingSettings s;
    const auto read = [&](const MerchantValue& value) {
        return store.readOrDefault(value);
    };
    s.method = static_cast<ShippingMethod>(index(read(stored::kShippingMethod), 6));
    // A list of nothing but line ends is as good as none.
    if (auto items = nonEmptyLines(read(stored::kUserChoices)); !items.empty())
        s.userChoices = std::move(items);
    s.unitRate = read(stored::kUnitRate);
    s.baseRate = read(stored::kBaseRate);
    s.message = read(stored::kShippingMessage);
    s.minimum = read(stored::kShippingMinimum);
    s.calculationBasis = static_cast<CalculationBasis>(index(read(stored::kCalculationBasis), 3));
    s.baseRates = nonEmptyLines(read(stored::kBaseRates));
    s.chartBasis = static_cast<ChartBasis>(index(read(stored::kChartBasis), 3));
    s.chartNames = nonEmptyLines(read(stored::kChartNames));
    s.singleChart = RateChart::fromText(read(stored::kSingleChart));
    const std::string charts = read(stored::kNamedCharts);
    for (std::size_t i = 0; i < s.chartNames.size(); ++i)
        s.charts.push_back(RateChart::fromText(namedChartText(charts, i)));
    s.upsOrigin = index(read(stored::kUpsOrigin), kUpsOrigins.size());
    s.upsPickup = index(read(stored::kUpsPickup), kUpsPickups.size());
    s.upsPackage = index(read(stored::kUpsPackage), kUpsPackages.size());
    s.upsOriginZip = read(stored::kUpsOriginZip);
    s.upsBaseRate = read(stored::kUpsBaseRate);
    s.upsServices = upsServicesFrom(read(stored::kUpsServices), s.upsServices);
    return s;
}

std::array<bool, 11> ShippingSettings::upsServicesFrom(std::string_view text,
                                                       std::array<bool, 11> shown) {
    std::size_t k = 0;
    for (char c : text) {
        if ((c == '1' || c == '0') && k < shown.size())
            shown[k++] = c == '1';
    }
    return shown;
}

void ShippingSettings::saveChartNames(SettingsStore& store, const std::vector<std::string>& names) {
    store.write(stored::kChartNames, crlfLines(names));
}

void ShippingSettings::saveNamedCharts(SettingsStore& store, const std::vector<std::string>& names,
                                       const std::vector<RateChart>& charts) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        // The name ends at its first ";" when read back: one from an old store
        // or a .reg file would turn the rest of the name into rows.
        std::string name = names[i];
        std::erase_if(name, [](char c) { return c == ';' || c == '\r' || c == '\n'; });
        text += name + ";" + (i < charts.size() ? charts[i] : RateChart()).gridText();
    }
    store.write(stored::kNamedCharts, text);
}

bool RateCharts::acceptableName(std::string_view name) {
    return name.find_first_of(";\r\n") == std::string_view::npos;
}

void RateCharts::addNamed(std::string name) {
    named.resize(names.size());
    names.push_back(std::move(name));
    named.emplace_back();
}

void RateCharts::removeNamed(std::size_t index) {
    named.resize(names.size());
    if (index >= names.size())
        return;
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(index));
    named.erase(named.begin() + static_cast<std::ptrdiff_t>(index));
}

RateCharts ShippingSettings::rateCharts() const {
    return {chartBasis, singleChart, chartNames, charts};
}

void ShippingSettings::setRateCharts(RateCharts rateCharts) {
    chartBasis = rateCharts.basis;
    singleChart = std::move(rateCharts.single);
    chartNames = std::move(rateCharts.names);
    charts = std::move(rateCharts.named);
}

ShippingChoices ShippingChoices::load(SettingsStore& store) {
    return {ShippingSettings::load(store), OrderCharges::load(store)};
}

void ShippingChoices::save(SettingsStore& store) const {
    shipping.save(store);
    charges.save(store);
}

std::string ShippingSettings::upsServiceText() const {
    std::string text;
    for (bool offered : upsServices)
        text += offered ? "1;" : "0;";
    return text;
}

void ShippingSettings::save(SettingsStore& store) const {
    const auto write = [&](const MerchantValue& value, const std::string& text) {
        store.write(value, text);
    };
    write(stored::kShippingMethod, std::to_string(static_cast<int>(method)));
    write(stored::kUserChoices, crlfLines(userChoices));
    write(stored::kUnitRate, unitRate);
    write(stored::kBaseRate, baseRate);
    write(stored::kShippingMessage, message);
    write(stored::kShippingMinimum, minimum);
    write(stored::kCalculationBasis, std::to_string(static_cast<int>(calculationBasis)));
    write(stored::kBaseRates, crlfLines(baseRates));
    write(stored::kChartBasis, std::to_string(static_cast<int>(chartBasis)));
    if (method == ShippingMethod::SingleRateChart)
        write(stored::kSingleChart, ";" + singleChart.gridText());
    if (method == ShippingMethod::MultipleRateChart)
        saveNamedCharts(store, chartNames, charts);
    saveChartNames(store, chartNames);
    write(stored::kUpsOrigin, std::to_string(upsOrigin));
    write(stored::kUpsPickup, std::to_string(upsPickup));
    write(stored::kUpsPackage, std::to_string(upsPackage));
    write(stored::kUpsOriginZip, upsOriginZip);
    write(stored::kUpsBaseRate, upsBaseRate);
    write(stored::kUpsServices, upsServiceText());
}

std::string shippingItem(std::string_view name, std::string_view typedRate) {
    return listItemName(name, " = $") + " = $" + rateText(typedRate) + ";";
}

std::string shippingItemName(std::string_view item) {
    return std::string(item.substr(0, item.find(" = $")));
}

std::string shippingItemRate(std::string_view item) {
    const auto at = item.find(" = $");
    if (at == std::string_view::npos)
        return {};
    std::string_view rate = item.substr(at + 4);
    if (!rate.empty() && rate.back() == ';')
        rate.remove_suffix(1);
    return std::string(rate);
}

std::string calculationExample(CalculationBasis basis, std::string_view unitRate,
                               std::string_view baseRate, std::string_view minimum,
                               std::string_view currency) {
    struct Wording {
        const char* name;
        const char* example;
        const char* formula;
        double amount;
        const char* amountText;
    };
    static const Wording wordings[] = {
        {"Weight", " If the total order weight is 4 lbs", "(weight)*(Rate per Pound)", 4,
         " + (4 lbs) * "},
        {"Quantity", " If the total item quantity is 5 units", "(units)*(Rate per Unit)", 5,
         " + (5 Units) * "},
        {"Order Total", " If the order total is $19.95", "(units)*(Rate per Dollar)", 19.95,
         " + ($19.95) * "},
    };
    const Wording& w = wordings[static_cast<int>(basis)];
    const std::string cur(currency);
    std::string text = std::string(" Calculation by ") + w.name + " Example:\n\n" + w.example +
                       ", then the shipping is calculated as:\n\n Shipping = Base Rate + " +
                       w.formula + "\n\n";
    // Rounded to cents the way the cart server rounds: in single precision.
    const float amount =
        static_cast<float>(leadingNumber(unitRate) * w.amount + leadingNumber(baseRate));
    const double cents = static_cast<double>(amount) * 100;
    const double whole = std::floor(cents);
    const double shipping = (cents - whole >= 0.5 ? whole + 1 : whole) / 100;
    const double least = leadingNumber(minimum);
    if (shipping >= least)
        return text + " Shipping = " + cur + std::string(baseRate) + w.amountText + cur +
               std::string(unitRate) + "\n\n Shipping = " + cur + numberText(shipping);
    return text + " Shipping is less than the minimum so it is calculated as " + cur +
           numberText(least);
}

} // namespace vendaxo
