#include "settings/order_charges.h"
#include "settings/shipping_settings.h"
#include "snippets/checkout_shipping.h"
#include "snippets/checkout_snippet.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

CheckoutSettings method(ShippingMethod m) {
    CheckoutSettings settings;
    settings.shipping.method = m;
    return settings;
}

} // namespace

TEST(CheckoutShipping, UserChoiceIsARequiredSelect) {
    CheckoutSettings settings = method(ShippingMethod::UserChoice);
    settings.shipping.userChoices = {"Standard Ground = $5;", "Pick Up In Store"};
    EXPECT_EQ(shippingRows(settings),
              "<tr>\n<td width=\"20%\"><strong>Shipping Options:</strong></td>\n"
              "<td width=\"80%\"><select name=\"shipping*\" size=\"1\">\n"
              "<option value=\"Please Select...\">Please Select...</option>\n"
              "<option value=\"Standard Ground;$5\">Standard Ground - $5</option>\n"
              "<option value=\"Pick Up In Store;$\">Pick Up In Store - $</option>\n"
              "</select></td>\n</tr>\n");
}

TEST(CheckoutShipping, RateCalculationSendsItsRates) {
    CheckoutSettings settings = method(ShippingMethod::RateCalculation);
    settings.shipping.unitRate = "0.50";
    settings.shipping.baseRate = "2.00";
    settings.shipping.minimum = "0.00";
    settings.shipping.message = "Shipping Charges by Weight";
    EXPECT_EQ(shippingRows(settings),
              "<tr>\n<td width=\"20%\">Shipping:</td>\n<td width=\"80%\">Calculated By "
              "Weight<input type=\"hidden\" value=\"byweight\" name=\"shipping\">\n</td>\n</tr>\n");
    EXPECT_EQ(
        shippingHiddenFields(settings.shipping),
        "<input type=\"hidden\" value=\"$0.5\" name=\"shiprate\">\n"
        "<input type=\"hidden\" value=\"$0\" name=\"vdx_minimumship\">\n"
        "<input type=\"hidden\" value=\"$2\" name=\"baseshiprate\">\n"
        "<input type=\"hidden\" value=\"Shipping Charges by Weight\" name=\"shipmessage\">\n");
    settings.shipping.calculationBasis = CalculationBasis::Quantity;
    EXPECT_THAT(shippingRows(settings),
                HasSubstr(">Calculated By Quantity<input type=\"hidden\" value=\"byquantity\""));
    settings.shipping.calculationBasis = CalculationBasis::OrderTotal;
    EXPECT_THAT(shippingRows(settings),
                HasSubstr(">Calculated By Totals<input type=\"hidden\" value=\"bytotal\""));
}

TEST(CheckoutShipping, MultipleBaseRatesSendNoBaseRateOrMessage) {
    CheckoutSettings settings = method(ShippingMethod::MultipleBaseRate);
    settings.shipping.calculationBasis = CalculationBasis::OrderTotal;
    settings.shipping.baseRates = {"Ground = $4.5;", "Express = $12;"};
    settings.shipping.unitRate = "$1.25";
    EXPECT_EQ(shippingRows(settings),
              "<tr>\n<td width=\"20%\"><strong>Shipping Options:</strong><input type=\"hidden\" "
              "value=\"bytotal\" name=\"shipping\"></td>\n"
              "<td width=\"80%\"><select name=\"baseshiprate*\" size=\"1\">\n"
              "<option value=\"Please Select...\">Please Select...</option>\n"
              "<option value=\"Ground;$4.5\">Ground</option>\n"
              "<option value=\"Express;$12\">Express</option>\n"
              "</select></td>\n</tr>\n");
    EXPECT_EQ(shippingHiddenFields(settings.shipping),
              "<input type=\"hidden\" value=\"$1.25\" name=\"shiprate\">\n"
              "<input type=\"hidden\" value=\"$0\" name=\"vdx_minimumship\">\n");
}

TEST(CheckoutShipping, SingleChartSendsTheChartRightAfterItsRow) {
    CheckoutSettings settings = method(ShippingMethod::SingleRateChart);
    settings.singleChartText = ";0-5;\n10-7.5;\n";
    settings.shipping.chartBasis = ChartBasis::Quantity;
    EXPECT_EQ(shippingRows(settings),
              "<tr>\n<td width=\"20%\">Shipping:</td>\n<td width=\"80%\">Calculated By Rate "
              "Chart<input type=\"hidden\" value=\"byratechart\" name=\"shipping\"></td>\n</tr>\n"
              "<input type=\"hidden\" value=\";0-5;10-7.5;\" name=\"shiprate\">\n"
              "<input type=\"hidden\" value=\"byquantity\" name=\"vdx_ratecomparison\">\n");
    EXPECT_EQ(shippingHiddenFields(settings.shipping), "");
}

TEST(CheckoutShipping, NamedChartsAreAChoice) {
    CheckoutSettings settings = method(ShippingMethod::MultipleRateChart);
    settings.shipping.chartNames = {"Domestic", "Broken", "Overseas", "Missing"};
    settings.namedChartsText = "Domestic;0-5;10-7.5;\nno name here\nOverseas;0-15;\n";
    EXPECT_EQ(shippingRows(settings),
              "<tr>\n<td width=\"20%\">Shipping:<input type=\"hidden\" value=\"byratechart\" "
              "name=\"shipping\"></td>\n<td width=\"80%\"><select name=\"shiprate\" size=\"1\">\n"
              "<option value=\"Domestic;0-5;10-7.5;\">Domestic</option>\n"
              "<option value=\"Overseas;0-15;\">Overseas</option>\n"
              "</select>\n</td>\n</tr>\n"
              "<input type=\"hidden\" value=\"bytotal\" name=\"vdx_ratecomparison\">\n");
}

TEST(CheckoutShipping, UpsSendsItsSettingsAsTyped) {
    CheckoutSettings settings = method(ShippingMethod::Ups);
    settings.shipping.upsOrigin = 1;
    settings.shipping.upsOriginZip = "00901";
    settings.shipping.upsBaseRate = "1.50";
    settings.shipping.upsPickup = 4;
    settings.shipping.upsPackage = 2;
    settings.shipping.upsServices = {};
    settings.shipping.upsServices[2] = true;
    settings.options.taxShipping = true;
    EXPECT_EQ(shippingRows(settings),
              "<!--UPSSHIPPING--><input type=\"hidden\" value=\"ups_shipping\" name=\"shipping\">\n"
              "<input type=\"hidden\" value=\"PR\" name=\"ups_origin\">\n"
              "<input type=\"hidden\" value=\"00901\" name=\"ups_origin_postal\">\n"
              "<input type=\"hidden\" value=\"$1.50\" name=\"ups_baserate\">\n"
              "<input type=\"hidden\" value=\"Customer Counter\" name=\"ups_ratechart\">\n"
              "<input type=\"hidden\" name=\"ups_container\" value=\"03\">\n"
              "<input type=\"hidden\" name=\"ups_services\" value=\"1DP;\">\n"
              "<input type=\"hidden\" name=\"tax_shipping\" value=\"yes\">\n");
    settings.shipping.upsServices = {};
    EXPECT_THAT(shippingRows(settings), HasSubstr("name=\"ups_services\" value=\"\">"));
    settings.shipping.upsServices[8] = settings.shipping.upsServices[9] = true;
    EXPECT_THAT(shippingRows(settings), HasSubstr("name=\"ups_services\" value=\"XPR;XDM;\">"));
}

TEST(CheckoutCharges, NothingForDisabledGroupsOrUnsetColours) {
    OrderCharges charges;
    charges.minimumAmount = "25";
    EXPECT_EQ(orderChargeFields(charges, ""), "");
}

TEST(CheckoutCharges, EachEnabledGroupInItsOrder) {
    OrderCharges charges;
    charges.minimumEnabled = true;
    charges.minimumBasis = MinimumBasis::Quantity;
    charges.minimumAmount = "3";
    charges.minimumMessage = "Buy three.\r\nThanks";
    charges.discountEnabled = true;
    charges.discountType = DiscountType::Flat;
    charges.discountBasis = DiscountBasis::Weight;
    charges.discountThreshold = "10";
    charges.discountRate = "5";
    charges.discountLabel = "Heavy \"order\"";
    charges.insurance = {true, ChargeBasis::Total, "0.5", "0.01", "1", "Insurance:"};
    EXPECT_EQ(orderChargeFields(charges, "1,2"),
              "<!--vdx_minimumcomparison=unit-->\n"
              "<!--vdx_minimumrate=3-->\n"
              "<!--vdx_minimummessage=Buy three.\r\nThanks-->\n"
              "<input type=\"hidden\" name=\"vdx_discount_type\" value=\"flat\">\n"
              "<input type=\"hidden\" name=\"vdx_discount_compare\" value=\"weight\">\n"
              "<input type=\"hidden\" name=\"vdx_discount_point\" value=\"10\">\n"
              "<input type=\"hidden\" name=\"vdx_discount_savings\" value=\"5\">\n"
              "<input type=\"hidden\" name=\"vdx_discount_caption\" value=\"Heavy "
              "&quot;order&quot;\">\n"
              "<input type=\"hidden\" name=\"vdx_insurance_type\" value=\"total\">\n"
              "<input type=\"hidden\" name=\"vdx_insurance_base\" value=\"0.5\">\n"
              "<input type=\"hidden\" name=\"vdx_insurance_rate\" value=\"0.01\">\n"
              "<input type=\"hidden\" name=\"vdx_insurance_minimum\" value=\"1\">\n"
              "<input type=\"hidden\" name=\"vdx_insurance_caption\" value=\"Insurance:\">\n"
              "<input type=\"hidden\" name=\"vdx_shopcolors\" value=\"1,2\">\n");
    charges.minimumBasis = MinimumBasis::Weight;
    charges.handling.enabled = true;
    charges.handling.basis = ChargeBasis::FlatRate;
    const std::string html = orderChargeFields(charges, "");
    EXPECT_THAT(html, HasSubstr("<!--vdx_minimumcomparison=weight-->\n"));
    EXPECT_THAT(html,
                HasSubstr("<input type=\"hidden\" name=\"vdx_handling_type\" value=\"flat\">\n"
                          "<input type=\"hidden\" name=\"vdx_handling_base\" "
                          "value=\"0.00\">\n"));
    EXPECT_LT(html.find("vdx_handling_caption"), html.find("vdx_insurance_type"));
}

} // namespace vendaxo::test
