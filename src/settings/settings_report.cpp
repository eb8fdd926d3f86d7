#include "settings/settings_report.h"

#include "base/json.h"
#include "settings/cart_colours.h"
#include "settings/order_charges.h"
#include "settings/shipping_settings.h"
#include "settings/store_options.h"
#include "shell/settings_store.h"

namespace vendaxo {

namespace {

constexpr std::array<std::string_view, 3> kCalculationBases = {"weight", "quantity", "order total"};
constexpr std::array<std::string_view, 4> kChargeBases = {"Flat Rate", "Total", "Quantity",
                                                          "Weight"};
constexpr std::array<std::string_view, 3> kDiscountBases = {"total", "quantity", "weight"};

template <typename Names, typename Index> std::string nameOf(const Names& names, Index index) {
    return std::string(names[static_cast<std::size_t>(index)]);
}

std::string yesNo(bool on) {
    return on ? "yes" : "no";
}
std::string enabled(bool on) {
    return on ? "enabled" : "disabled";
}
std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "none" : text;
}

std::vector<std::string> offeredServices(const ShippingSettings& shipping) {
    std::vector<std::string> services;
    for (std::size_t i = 0; i < kUpsServices.size(); ++i) {
        if (shipping.upsServices[i])
            services.emplace_back(kUpsServices[i]);
    }
    return services;
}

// Without its line feed, as people read it.
std::string chartText(const RateChart& chart) {
    std::string text = chart.gridText();
    text.pop_back();
    return text;
}

struct Loaded {
    explicit Loaded(SettingsStore& store)
        : options(StoreOptions::load(store)), shipping(ShippingSettings::load(store)),
          charges(OrderCharges::load(store)), summary(shippingSummary(shipping, charges)),
          colours(store.read(stored::kShopColours)) {}
    StoreOptions options;
    ShippingSettings shipping;
    OrderCharges charges;
    std::string summary;
    std::string colours;
};

std::string chargeLine(std::string_view name, const Charge& charge) {
    return "\n" + std::string(name) + ": " + enabled(charge.enabled) + " (" +
           nameOf(kChargeBases, charge.basis) + ", base " + charge.base + ", rate " + charge.rate +
           ", minimum " + charge.minimum + ", caption " + quoted(charge.label) + ")";
}

std::string chargeJson(const Charge& charge) {
    return jsonObject({{"enabled", jsonBool(charge.enabled)},
                       {"basis", jsonString(nameOf(kChargeBases, charge.basis))},
                       {"base", jsonString(charge.base)},
                       {"rate", jsonString(charge.rate)},
                       {"minimum", jsonString(charge.minimum)},
                       {"label", jsonString(charge.label)}},
                      2);
}

} // namespace

std::string settingsReport(SettingsStore& store) {
    const Loaded s(store);
    const StoreOptions& o = s.options;
    std::string report = "Tax table:";
    if (o.taxEntries.empty())
        report += " empty";
    for (const std::string& entry : o.taxEntries)
        report += "\n    " + entry;
    report += "\nTax shipping costs: " + yesNo(o.taxShipping);
    report += "\nCurrency symbol: " + o.currency;
    report += "\nMain page address: " + o.mainPageAddress;
    report += "\nCheckout page: " + o.checkoutPage;
    report += "\nOrder confirmation message: " + o.confirmationMessage;
    report += "\nCredit card verification: " + nameOf(kVerificationTypes, o.verificationType);
    report += "\nInternational shipments: " + yesNo(o.internationalShipping);

    const ShippingSettings& sh = s.shipping;
    report += "\nShipping method: " + nameOf(kShippingMethodNames, sh.method);
    report += "\n    User choices: " + joined(sh.userChoices);
    report += "\n    Rate calculation: by " + nameOf(kCalculationBases, sh.calculationBasis) +
              ", rate " + sh.unitRate + ", base rate " + sh.baseRate + ", minimum " + sh.minimum +
              ", message " + quoted(sh.message);
    report += "\n    Base rates: " + joined(sh.baseRates);
    report += "\n    Rate charts by " + nameOf(kChartBasisNames, sh.chartBasis) +
              ": single chart " + chartText(sh.singleChart);
    for (std::size_t i = 0; i < sh.chartNames.size(); ++i)
        report += "\n        " + sh.chartNames[i] + ": " + chartText(sh.charts[i]);
    report += "\n    UPS: from " + nameOf(kUpsOrigins, sh.upsOrigin) +
              (sh.upsOriginZip.empty() ? "" : " " + sh.upsOriginZip) + ", " +
              nameOf(kUpsPickups, sh.upsPickup) + ", " + nameOf(kUpsPackages, sh.upsPackage) +
              ", additional cost " + quoted(sh.upsBaseRate) + ", services " +
              joined(offeredServices(sh));

    const OrderCharges& c = s.charges;
    report += chargeLine("Handling", c.handling);
    report += chargeLine("Insurance", c.insurance);
    report += "\nGlobal discount: " + enabled(c.discountEnabled) + " (" +
              (c.discountType == DiscountType::Percent ? "% Discount" : "Flat Discount") + " of " +
              c.discountRate + " when the order " + nameOf(kDiscountBases, c.discountBasis) +
              " exceeds " + c.discountThreshold + ", caption " + quoted(c.discountLabel) + ")";
    report += "\nMinimum order: " + enabled(c.minimumEnabled) + " (" +
              nameOf(kChartBasisNames, c.minimumBasis) + " " + quoted(c.minimumAmount) +
              ", message " + quoted(c.minimumMessage) + ")";
    report += "\nCart colours: " +
              (s.colours.empty() ? std::string("never set") : CartColours::parse(s.colours).text());
    return report + "\n";
}

namespace {

std::string optionsJson(const StoreOptions& o) {
    return jsonObject({{"taxEntries", jsonStrings(o.taxEntries)},
                       {"taxShipping", jsonBool(o.taxShipping)},
                       {"currency", jsonString(o.currency)},
                       {"mainPageAddress", jsonString(o.mainPageAddress)},
                       {"checkoutPage", jsonString(o.checkoutPage)},
                       {"confirmationMessage", jsonString(o.confirmationMessage)},
                       {"verificationType", std::to_string(o.verificationType)},
                       {"internationalShipping", jsonBool(o.internationalShipping)}},
                      1);
}

std::string shippingJson(const ShippingSettings& sh) {
    std::vector<std::pair<std::string, std::string>> charts;
    for (std::size_t i = 0; i < sh.chartNames.size(); ++i)
        charts.emplace_back(sh.chartNames[i], jsonString(chartText(sh.charts[i])));
    return jsonObject(
        {{"method", std::to_string(static_cast<int>(sh.method))},
         {"methodName", jsonString(nameOf(kShippingMethodNames, sh.method))},
         {"userChoices", jsonStrings(sh.userChoices)},
         {"unitRate", jsonString(sh.unitRate)},
         {"baseRate", jsonString(sh.baseRate)},
         {"message", jsonString(sh.message)},
         {"minimum", jsonString(sh.minimum)},
         {"calculationBasis", jsonString(nameOf(kCalculationBases, sh.calculationBasis))},
         {"baseRates", jsonStrings(sh.baseRates)},
         {"chartBasis", jsonString(nameOf(kChartBasisNames, sh.chartBasis))},
         {"singleChart", jsonString(chartText(sh.singleChart))},
         {"charts", charts.empty() ? std::string("{}") : jsonObject(charts, 2)},
         {"upsOrigin", jsonString(nameOf(kUpsOrigins, sh.upsOrigin))},
         {"upsPickup", jsonString(nameOf(kUpsPickups, sh.upsPickup))},
         {"upsPackage", jsonString(nameOf(kUpsPackages, sh.upsPackage))},
         {"upsOriginZip", jsonString(sh.upsOriginZip)},
         {"upsBaseRate", jsonString(sh.upsBaseRate)},
         {"upsServices", jsonStrings(offeredServices(sh))}},
        1);
}

std::string discountJson(const OrderCharges& c) {
    return jsonObject(
        {{"enabled", jsonBool(c.discountEnabled)},
         {"type", jsonString(c.discountType == DiscountType::Percent ? "percent" : "flat")},
         {"basis", jsonString(nameOf(kDiscountBases, c.discountBasis))},
         {"threshold", jsonString(c.discountThreshold)},
         {"rate", jsonString(c.discountRate)},
         {"label", jsonString(c.discountLabel)}},
        1);
}

std::string minimumJson(const OrderCharges& c) {
    return jsonObject({{"enabled", jsonBool(c.minimumEnabled)},
                       {"basis", jsonString(nameOf(kChartBasisNames, c.minimumBasis))},
                       {"amount", jsonString(c.minimumAmount)},
                       {"message", jsonString(c.minimumMessage)}},
                      1);
}

} // namespace

std::string settingsReportJson(SettingsStore& store) {
    const Loaded s(store);
    std::vector<std::string> colours;
    if (!s.colours.empty()) {
        for (std::int32_t value : CartColours::parse(s.colours).values)
            colours.push_back(std::to_string(value));
    }
    return jsonObject(
               {{"options", optionsJson(s.options)},
                {"shippingSummary", jsonString(s.summary)},
                {"shipping", shippingJson(s.shipping)},
                {"handling", chargeJson(s.charges.handling)},
                {"insurance", chargeJson(s.charges.insurance)},
                {"discount", discountJson(s.charges)},
                {"minimum", minimumJson(s.charges)},
                {"cartColours", s.colours.empty() ? std::string("null") : jsonArray(colours)}}) +
           "\n";
}

} // namespace vendaxo
