#include "snippets/checkout_shipping.h"

#include "base/numbers.h"
#include "settings/order_charges.h"
#include "settings/shipping_settings.h"
#include "snippets/checkout_snippet.h"
#include "snippets/html.h"

#include <array>

namespace vendaxo {

namespace {

// Amounts go to the cart server in dollars whatever the shop's currency.
std::string dollars(std::string_view typed) {
    return "$" + priceText(typed);
}

std::string shippingField(std::string_view value) {
    return "<input type=\"hidden\" value=\"" + std::string(value) + "\" name=\"shipping\">";
}

std::string_view basisValue(CalculationBasis basis) {
    constexpr std::array<std::string_view, 3> values = {"byweight", "byquantity", "bytotal"};
    return values[static_cast<std::size_t>(basis)];
}

std::string userChoiceSelect(const std::vector<std::string>& items) {
    std::string html = selectOpening("shipping*") + std::string(kPleaseSelect);
    for (const std::string& item : items) {
        const std::string name = shippingItemName(item);
        const std::string price = "$" + shippingItemRate(item);
        html += "<option value=\"" + quoteAttribute(name + ";" + price) + "\">" + name + " - " +
                price + "</option>\n";
    }
    return html + "</select>";
}

std::string baseRateSelect(const std::vector<std::string>& items) {
    std::string html = selectOpening("baseshiprate*") + std::string(kPleaseSelect);
    for (const std::string& item : items) {
        const std::string name = shippingItemName(item);
        html += "<option value=\"" + quoteAttribute(name + ";$" + shippingItemRate(item)) + "\">" +
                name + "</option>\n";
    }
    return html + "</select>";
}

std::string chartSelect(const ShippingSettings& shipping, std::string_view storedCharts) {
    std::string html = selectOpening("shiprate");
    for (std::size_t i = 0; i < shipping.chartNames.size(); ++i) {
        const std::string chart = namedChartText(storedCharts, i);
        const auto nameEnd = chart.find(';');
        if (nameEnd == std::string::npos)
            continue;
        html += "<option value=\"" + quoteAttribute(chart) + "\">" + chart.substr(0, nameEnd) +
                "</option>\n";
    }
    return html + "</select>\n";
}

std::string comparisonField(ChartBasis basis) {
    constexpr std::array<std::string_view, 3> values = {"bytotal", "byweight", "byquantity"};
    return hiddenField("vdx_ratecomparison", values[static_cast<std::size_t>(basis)]);
}

std::string upsFields(const ShippingSettings& shipping) {
    constexpr std::array<std::string_view, 2> origins = {"US", "PR"};
    constexpr std::array<std::string_view, 6> containers = {"00", "01", "03", "21", "22", "23"};
    constexpr std::array<std::string_view, 11> services = {"1DM", "1DA", "1DP", "2DM", "2DA", "3DS",
                                                           "GND", "STD", "XPR", "XDM", "XPD"};
    std::string codes;
    for (std::size_t i = 0; i < services.size(); ++i) {
        if (shipping.upsServices[i])
            codes += std::string(services[i]) + ";";
    }
    return "<!--UPSSHIPPING-->" + shippingField("ups_shipping") + "\n" +
           hiddenField("ups_origin", origins[static_cast<std::size_t>(shipping.upsOrigin)]) +
           hiddenField("ups_origin_postal", shipping.upsOriginZip) +
           hiddenField("ups_baserate", "$" + shipping.upsBaseRate) +
           hiddenField("ups_ratechart", kUpsPickups[static_cast<std::size_t>(shipping.upsPickup)]) +
           namedHiddenField("ups_container",
                            containers[static_cast<std::size_t>(shipping.upsPackage)]) +
           namedHiddenField("ups_services", codes);
}

std::string methodRows(const CheckoutSettings& settings) {
    const ShippingSettings& shipping = settings.shipping;
    switch (shipping.method) {
    case ShippingMethod::UserChoice:
        return formRow("<strong>Shipping Options:</strong>",
                       userChoiceSelect(shipping.userChoices));
    case ShippingMethod::RateCalculation: {
        constexpr std::array<std::string_view, 3> wording = {
            "Calculated By Weight", "Calculated By Quantity", "Calculated By Totals"};
        const auto basis = static_cast<std::size_t>(shipping.calculationBasis);
        return formRow("Shipping:", std::string(wording[basis]) +
                                        shippingField(basisValue(shipping.calculationBasis)) +
                                        "\n");
    }
    case ShippingMethod::MultipleBaseRate:
        return formRow("<strong>Shipping Options:</strong>" +
                           shippingField(basisValue(shipping.calculationBasis)),
                       baseRateSelect(shipping.baseRates));
    case ShippingMethod::SingleRateChart: {
        std::string chart = settings.singleChartText;
        std::erase(chart, '\n');
        return formRow("Shipping:", "Calculated By Rate Chart" + shippingField("byratechart")) +
               hiddenField("shiprate", chart) + comparisonField(shipping.chartBasis);
    }
    case ShippingMethod::MultipleRateChart:
        return formRow("Shipping:" + shippingField("byratechart"),
                       chartSelect(shipping, settings.namedChartsText)) +
               comparisonField(shipping.chartBasis);
    case ShippingMethod::Ups:
        return upsFields(shipping);
    }
    return {};
}

std::string chargeFields(std::string_view prefix, const Charge& charge) {
    constexpr std::array<std::string_view, 4> types = {"flat", "total", "quantity", "weight"};
    const std::string p(prefix);
    return namedHiddenField(p + "type", types[static_cast<std::size_t>(charge.basis)]) +
           namedHiddenField(p + "base", charge.base) + namedHiddenField(p + "rate", charge.rate) +
           namedHiddenField(p + "minimum", charge.minimum) +
           namedHiddenField(p + "caption", charge.label);
}

} // namespace

std::string selectOpening(std::string_view name) {
    return "<select name=\"" + std::string(name) + "\" size=\"1\">\n";
}

std::string formRow(std::string_view label, std::string_view content, std::string_view colour) {
    const std::string cell =
        colour.empty() ? std::string() : " bgcolor=\"" + std::string(colour) + "\"";
    return "<tr>\n<td width=\"20%\"" + cell + ">" + std::string(label) +
           "</td>\n<td width=\"80%\"" + cell + ">" + std::string(content) + "</td>\n</tr>\n";
}

std::string shippingRows(const CheckoutSettings& settings) {
    std::string html = methodRows(settings);
    if (settings.options.taxShipping)
        html += namedHiddenField("tax_shipping", "yes");
    return html;
}

std::string shippingHiddenFields(const ShippingSettings& shipping) {
    if (shipping.method != ShippingMethod::RateCalculation &&
        shipping.method != ShippingMethod::MultipleBaseRate)
        return {};
    std::string html = hiddenField("shiprate", dollars(shipping.unitRate)) +
                       hiddenField("vdx_minimumship", dollars(shipping.minimum));
    if (shipping.method == ShippingMethod::RateCalculation)
        html += hiddenField("baseshiprate", dollars(shipping.baseRate)) +
                hiddenField("shipmessage", shipping.message);
    return html;
}

std::string orderChargeFields(const OrderCharges& charges, std::string_view shopColours) {
    std::string html;
    if (charges.minimumEnabled) {
        constexpr std::array<std::string_view, 3> bases = {"total", "weight", "unit"};
        html += "<!--vdx_minimumcomparison=" +
                std::string(bases[static_cast<std::size_t>(charges.minimumBasis)]) + "-->\n" +
                "<!--vdx_minimumrate=" + charges.minimumAmount + "-->\n" +
                "<!--vdx_minimummessage=" + charges.minimumMessage + "-->\n";
    }
    if (charges.discountEnabled) {
        constexpr std::array<std::string_view, 3> compares = {"total", "quantity", "weight"};
        html +=
            namedHiddenField("vdx_discount_type",
                             charges.discountType == DiscountType::Percent ? "percent" : "flat") +
            namedHiddenField("vdx_discount_compare",
                             compares[static_cast<std::size_t>(charges.discountBasis)]) +
            namedHiddenField("vdx_discount_point", charges.discountThreshold) +
            namedHiddenField("vdx_discount_savings", charges.discountRate) +
            namedHiddenField("vdx_discount_caption", charges.discountLabel);
    }
    if (charges.handling.enabled)
        html += chargeFields("vdx_handling_", charges.handling);
    if (charges.insurance.enabled)
        html += chargeFields("vdx_insurance_", charges.insurance);
    return html + shopColoursField(shopColours);
}

} // namespace vendaxo
