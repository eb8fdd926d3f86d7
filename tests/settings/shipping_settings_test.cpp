#include "base/text.h"
#include "scratch_store.h"
#include "settings/order_charges.h"
#include "settings/shipping_settings.h"
#include "settings/store_options.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;
using ::testing::EndsWith;

class ShippingSettingsTest : public ::testing::Test {
protected:
    ShippingSettingsTest() { m_store.setMerchantNumber("111"); }
    ScratchStore m_scratch;
    SettingsStore& m_store = m_scratch.store();
};

TEST_F(ShippingSettingsTest, EmptyStoreLoadsTheDefaults) {
    const ShippingSettings s = ShippingSettings::load(m_store);
    EXPECT_EQ(s.method, ShippingMethod::UserChoice);
    EXPECT_THAT(s.userChoices,
                ElementsAre("Standard Ground = $5;", "Second Day = $15;", "Overnight = $25;"));
    EXPECT_EQ(s.unitRate, "0.00");
    EXPECT_EQ(s.baseRate, "0.00");
    EXPECT_EQ(s.minimum, "0.00");
    EXPECT_EQ(s.message, "Shipping Charges Automatically Calculated");
    EXPECT_EQ(s.calculationBasis, CalculationBasis::Weight);
    EXPECT_EQ(s.chartBasis, ChartBasis::Dollar);
    EXPECT_EQ(s.singleChart, RateChart());
    EXPECT_TRUE(s.chartNames.empty());
    EXPECT_EQ(s.upsOrigin + s.upsPickup + s.upsPackage, 0);
    EXPECT_EQ(s.upsServiceText(), "1;1;1;1;1;1;1;0;0;0;0;");

    const OrderCharges c = OrderCharges::load(m_store);
    EXPECT_FALSE(c.minimumEnabled || c.discountEnabled || c.handling.enabled ||
                 c.insurance.enabled);
    EXPECT_EQ(c.handling.basis, ChargeBasis::FlatRate);
    EXPECT_EQ(c.handling.base, "0.00");
    EXPECT_EQ(c.handling.label, "Handling Charge:");
    EXPECT_EQ(c.insurance.label, "Insurance Charge:");
    EXPECT_EQ(c.discountRate, "0");
    EXPECT_EQ(c.discountThreshold, "0");
    EXPECT_EQ(c.discountLabel, "Order Discount");
    EXPECT_EQ(c.minimumMessage, "You have not purchased the minimum required products.  Please "
                                "click your browser's back button to continue.");
}

TEST_F(ShippingSettingsTest, EveryValueRoundTrips) {
    ShippingSettings s;
    s.method = ShippingMethod::MultipleRateChart;
    s.userChoices = {"Pickup = $0;"};
    s.unitRate = "1.15";
    s.baseRate = "1";
    s.message = "Calculated";
    s.minimum = "2";
    s.calculationBasis = CalculationBasis::OrderTotal;
    s.baseRates = {"Ground = $3;", "Air = $9;"};
    s.chartBasis = ChartBasis::Weight;
    s.chartNames = {"Ground", "Air"};
    s.charts = {RateChart::fromText(";0-1;"), RateChart::fromText(";0-2;5-1;")};
    s.upsOrigin = 1;
    s.upsPickup = 4;
    s.upsPackage = 5;
    s.upsOriginZip = "00901";
    s.upsBaseRate = "1.50";
    s.upsServices.fill(false);
    s.upsServices[10] = true;
    s.save(m_store);
    EXPECT_EQ(m_store.readMerchant("MRateChartData"), "Ground;0-1;\nAir;0-2;5-1;\n");
    EXPECT_EQ(m_store.readMerchant("RateChartChoices"), "Ground\r\nAir\r\n");
    EXPECT_EQ(m_store.readMerchant("RateChartData"), "") << "only the chosen method's charts";
    EXPECT_EQ(m_store.readMerchant("UPSService"), "0;0;0;0;0;0;0;0;0;0;1;");
    EXPECT_EQ(ShippingSettings::load(m_store), s);

    OrderCharges c;
    c.minimumEnabled = true;
    c.minimumBasis = MinimumBasis::Quantity;
    c.minimumAmount = "3";
    c.minimumMessage = "Buy three.";
    c.discountEnabled = true;
    c.discountType = DiscountType::Flat;
    c.discountBasis = DiscountBasis::Weight;
    c.discountThreshold = "10";
    c.discountRate = "5";
    c.discountLabel = "Bulk";
    c.handling = {true, ChargeBasis::Weight, "1", "0.5", "2", "Packing:"};
    c.insurance = {true, ChargeBasis::Total, "0", "0.01", "1", "Cover:"};
    c.save(m_store);
    EXPECT_EQ(OrderCharges::load(m_store), c);
    // The order charges follow every shipping value.
    std::vector<std::string> names = merchantValueNames(m_store);
    if (kStoreKeepsWriteOrder) {
        const std::vector<std::string> tail(names.end() - 22, names.end());
        EXPECT_THAT(tail,
                    ElementsAre("MinimumShipping", "MinimumComparison", "MinimumRate",
                                "MinimumMessage", "GlobalDisEnabled", "GlobalDisType",
                                "GlobalDisComparison", "GlobalDisComValue", "GlobalDisRate",
                                "GlobalDisLabel", "HandlingEnabled", "HandlingType", "HandlingBase",
                                "HandlingRate", "HandlingMinimum", "HandlingLabel",
                                "InsuranceEnabled", "InsuranceType", "InsuranceBase",
                                "InsuranceRate", "InsuranceMinimum", "InsuranceLabel"));
    }
}

TEST_F(ShippingSettingsTest, OddStoredValuesReadAsTheDialogWould) {
    m_store.writeMerchant("OSta", "-2");
    m_store.writeMerchant("UPSPickup", "-1");
    m_store.writeMerchant("UPSService", "0;x1;");
    m_store.writeMerchant("HandlingEnabled", "yes");
    m_store.writeMerchant("RateChartChoices", "A\r\nB\r\nC\r\n");
    m_store.writeMerchant("MRateChartData", "A;0-1;\nB;0-2;5-1;\n");
    const ShippingSettings s = ShippingSettings::load(m_store);
    EXPECT_EQ(s.method, ShippingMethod::UserChoice);
    EXPECT_EQ(s.upsPickup, 0) << "a negative index reads 0";
    EXPECT_EQ(s.upsServiceText(), "0;1;1;1;1;1;1;0;0;0;0;") << "other characters are skipped";
    EXPECT_FALSE(OrderCharges::load(m_store).handling.enabled) << "only \"1\" is on";
    ASSERT_EQ(s.charts.size(), 3u);
    EXPECT_EQ(s.charts[1].rows().back(), (RateChart::Row{"5", "1"}));
    EXPECT_EQ(s.charts[2], RateChart()) << "a chart without a line loads as ;0-0;";
    EXPECT_EQ(namedChartText("A;0-1;\nB;0-2;\n", 1), "B;0-2;");
    EXPECT_EQ(namedChartText("A;0-1;\n", 3), "");
}

TEST_F(ShippingSettingsTest, ChartNameWithSemicolonFromTheStoreKeepsItsChartOnSave) {
    m_store.writeMerchant("OSta", "4");
    m_store.writeMerchant("RateChartChoices", "Air;Sea\r\nGround\r\n");
    m_store.writeMerchant("MRateChartData", "Air;0-15;\nGround;0-5;10-7.5;\n");
    const ShippingSettings loaded = ShippingSettings::load(m_store);
    loaded.save(m_store);
    const ShippingSettings saved = ShippingSettings::load(m_store);
    EXPECT_EQ(saved.chartNames, loaded.chartNames);
    EXPECT_EQ(saved.charts, loaded.charts) << m_store.readMerchant("MRateChartData");
    EXPECT_EQ(m_store.readMerchant("MRateChartData"), "AirSea;0-15;\nGround;0-5;10-7.5;\n");
}

TEST_F(ShippingSettingsTest, ChoicesSaveTheShippingValuesBeforeTheCharges) {
    ShippingChoices choices;
    choices.shipping.method = ShippingMethod::SingleRateChart;
    choices.shipping.singleChart.setCharge("10", "2");
    choices.charges.discountEnabled = true;
    choices.save(m_store);
    EXPECT_EQ(ShippingChoices::load(m_store), choices);
    if (kStoreKeepsWriteOrder) {
        const std::vector<std::string> names = merchantValueNames(m_store);
        EXPECT_EQ(names.front(), "OSta");
        EXPECT_EQ(names.back(), "InsuranceLabel");
    }
}

TEST(RateCharts, NamesKeepTheirChartsBesideThem) {
    ShippingSettings s;
    s.chartNames = {"Ground"}; // an old store may hold a name without its chart
    RateCharts charts = s.rateCharts();
    charts.addNamed("Air");
    charts.named[1].setCharge("5", "1");
    charts.addNamed("Sea");
    ASSERT_EQ(charts.named.size(), 3u);
    EXPECT_EQ(charts.named[0], RateChart());
    EXPECT_EQ(charts.named[2], RateChart()) << "a new name starts from the zero row";
    charts.removeNamed(0);
    EXPECT_EQ(charts.names, (std::vector<std::string>{"Air", "Sea"}));
    EXPECT_EQ(charts.named[0].rows().back(), (RateChart::Row{"5", "1"}));
    charts.removeNamed(7);
    EXPECT_EQ(charts.names.size(), 2u);

    charts.basis = ChartBasis::Quantity;
    s.setRateCharts(charts);
    EXPECT_EQ(s.chartBasis, ChartBasis::Quantity);
    EXPECT_EQ(s.rateCharts(), charts);

    EXPECT_TRUE(RateCharts::acceptableName("Next Day - Air"));
    for (const char* name : {"Air;Sea", "Air\r\nSea", "Air\n"})
        EXPECT_FALSE(RateCharts::acceptableName(name)) << name;
}

TEST(ShippingItems, RatesAreNormalisedAsTyped) {
    EXPECT_EQ(shippingItem("Ground", "$5.00"), "Ground = $5;");
    EXPECT_EQ(shippingItem("Ground", "5%"), "Ground = $0.05;");
    EXPECT_EQ(shippingItem("Ground", "-3"), "Ground = $0;");
    EXPECT_EQ(shippingItem("Ground", "abc"), "Ground = $0;");
    EXPECT_EQ(rateText("5.5%"), "0.055");
    EXPECT_EQ(rateText("15.5%"), "0.155");
    // Too small to write without an exponent's "-", which would read back as 0.
    EXPECT_EQ(rateText("0.00001"), "0");
    EXPECT_EQ(rateText("0.0001"), "0.0001");
    EXPECT_EQ(rateText(rateText("0.0000551615")), rateText("0.0000551615"));
    // Stored one a line and read apart at the first " = $".
    EXPECT_EQ(shippingItem("Second\r\nDay", "5"), "Second  Day = $5;");
    EXPECT_EQ(shippingItem("Air = $5; Sea", "5"), "Air - $5; Sea = $5;");
    EXPECT_EQ(shippingItemName(shippingItem("Air = ", "5")), "Air = ");
    EXPECT_EQ(shippingItemRate(shippingItem("Air = $5; Sea", "7")), "7");
    EXPECT_EQ(shippingItemName("Second Day = $15;"), "Second Day");
    EXPECT_EQ(shippingItemRate("Second Day = $15;"), "15");
}

TEST(CalculationExample, ShowsTheFormulaOrTheMinimum) {
    EXPECT_EQ(calculationExample(CalculationBasis::Weight, "1.15", "1", "0", "$"),
              " Calculation by Weight Example:\n\n"
              " If the total order weight is 4 lbs, then the shipping is calculated as:\n\n"
              " Shipping = Base Rate + (weight)*(Rate per Pound)\n\n"
              " Shipping = $1 + (4 lbs) * $1.15\n\n"
              " Shipping = $5.6");
    EXPECT_EQ(calculationExample(CalculationBasis::Quantity, "1", "0.00", "9.50", "€"),
              " Calculation by Quantity Example:\n\n"
              " If the total item quantity is 5 units, then the shipping is calculated as:\n\n"
              " Shipping = Base Rate + (units)*(Rate per Unit)\n\n"
              " Shipping is less than the minimum so it is calculated as €9.5");
    EXPECT_THAT(calculationExample(CalculationBasis::OrderTotal, "0.1", "", "", "$"),
                EndsWith(" + ($19.95) * $0.1\n\n Shipping = $2"))
        << "1.995 rounds up to 2.00";
}

TEST(OrderChargeRules, PercentCapAndMessageFilter) {
    EXPECT_EQ(cappedPercent("150"), "100");
    EXPECT_EQ(cappedPercent("99.5"), "99.5");
    EXPECT_EQ(cappedPercent(""), "");
    EXPECT_EQ(withoutAny("Buy \"two\" - or more", kMinimumMessageForbidden), "Buy two  or more");
}

} // namespace vendaxo::test
