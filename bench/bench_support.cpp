#include "bench_support.h"

#include "settings/cart_colours.h"
#include "shell/settings_store.h"

#include <cstdlib>

namespace vendaxo::bench {

void installDemoMerchant(SettingsStore& store) {
    const std::pair<InstallationValue, std::string_view> installation[] = {
        {stored::kSerial, kDemoMerchant},
        {stored::kCompany, "Harbour Lane Kites"},
        {stored::kCartServer, "https://cart.example.com/cgi-bin/cart"},
        {stored::kOrderRetrieval, "https://cart.example.com/cgi-bin/orders"},
        {stored::kHelpFile, "Vdxfp.hlp"},
    };
    for (const auto& [value, text] : installation)
        store.writeValue(kInstallationKey, value.name, RegValue::string(text));
    store.setMerchantNumber(std::string(kDemoMerchant));
    store.write(stored::kMainPage, "http://www.example.com/kites/");
    store.write(stored::kConfirmation, kDefaultConfirmationMessage);
}

MerchantProfile demoProfile() {
    MerchantProfile profile;
    profile.merchantNumber = std::string(kDemoMerchant);
    profile.companyName = "Harbour Lane Kites";
    profile.cartServerAddress = "https://cart.example.com/cgi-bin/cart";
    profile.orderRetrievalAddress = "https://cart.example.com/cgi-bin/orders";
    profile.mainPageAddress = "http://www.example.com/kites/";
    profile.checkoutPage = std::string(kCheckoutPageMarker);
    profile.confirmationMessage = std::string(kDefaultConfirmationMessage);
    profile.currencySymbol = "$";
    profile.moneySign = std::string(kMoneySign);
    return profile;
}

Product richProduct() {
    Product product;
    product.sku = "K1-DELTA-150";
    product.price = "39.50";
    product.description = "Delta Kite, ripstop nylon, 150 cm span";
    product.weight = "1.25";
    product.setQuantityBox(true);
    product.quantityDiscount = true;
    for (int i = 1; i <= 5; ++i)
        product.discounts.add(std::to_string(i * 10), std::to_string(39 - i) + ".50");
    product.optionsEnabled = true;
    product.options.addList("Colour");
    product.options.addList("Tail");
    for (int i = 1; i <= 10; ++i) {
        product.options.addItem(0, "Colour " + std::to_string(i) + " (add $" + std::to_string(i) +
                                       ".25)");
        product.options.addItem(1, "Tail " + std::to_string(i) + " m (subtract $" +
                                       std::to_string(i / 10) + "." + std::to_string(i % 10) +
                                       "0)");
    }
    return product;
}

CheckoutSettings richCheckoutSettings(ShippingMethod method) {
    CheckoutSettings settings;
    StoreOptions& options = settings.options;
    for (std::size_t i = 0; i < kUsStates.size(); ++i)
        options.addTaxEntry(addedTaxEntry(kUsStates[i], std::to_string(i % 9 + 1) + "%"));
    for (int zip = 0; zip < 20; ++zip)
        options.addTaxEntry(addedTaxEntry(std::to_string(43000 + zip * 7), "7.25%"));
    options.taxShipping = true;
    options.mainPageAddress = "http://www.example.com/kites/";
    options.checkoutPage = std::string(kCheckoutPageMarker);
    options.confirmationMessage = std::string(kDefaultConfirmationMessage);
    options.internationalShipping = true;

    ShippingSettings& shipping = settings.shipping;
    shipping.method = method;
    shipping.unitRate = "0.75";
    shipping.baseRate = "4.00";
    shipping.minimum = "5.00";
    for (int i = 1; i <= 5; ++i)
        shipping.baseRates.push_back(
            shippingItem("Zone " + std::to_string(i), std::to_string(i * 3) + ".00"));
    for (int i = 1; i <= 6; ++i)
        shipping.singleChart.setCharge(std::to_string(i * 25), std::to_string(i * 2) + ".50");
    for (const char* name : {"Ground", "Air", "Express"}) {
        shipping.chartNames.emplace_back(name);
        RateChart chart;
        for (int i = 1; i <= 6; ++i)
            chart.setCharge(std::to_string(i * 20), std::to_string(i * 3) + ".00");
        shipping.charts.push_back(chart);
    }
    shipping.upsOriginZip = "43004";
    shipping.upsBaseRate = "2.00";
    settings.singleChartText = ";" + shipping.singleChart.gridText();
    for (std::size_t i = 0; i < shipping.chartNames.size(); ++i)
        settings.namedChartsText += shipping.chartNames[i] + ";" + shipping.charts[i].gridText();

    OrderCharges& charges = settings.charges;
    charges.minimumEnabled = true;
    charges.minimumAmount = "25";
    charges.discountEnabled = true;
    charges.discountThreshold = "100";
    charges.discountRate = "5";
    charges.handling = {true, ChargeBasis::Quantity, "1.00", "0.25", "2.00", "Handling Charge:"};
    charges.insurance = {true, ChargeBasis::Total, "0.50", "0.01", "1.00", "Insurance Charge:"};

    CartColours colours;
    for (std::size_t slot = 0; slot < CartColours::kSlots; ++slot)
        colours.values[slot] = static_cast<std::int32_t>(slot * 0x030507);
    settings.shopColours = colours.text();
    return settings;
}

CheckoutChoices everyCheckoutChoice() {
    CheckoutChoices choices;
    choices.required.fill(true);
    return choices;
}

void saveSettings(SettingsStore& store, const CheckoutSettings& settings) {
    settings.options.save(store);
    settings.shipping.save(store);
    ShippingSettings::saveChartNames(store, settings.shipping.chartNames);
    ShippingSettings::saveNamedCharts(store, settings.shipping.chartNames,
                                      settings.shipping.charts);
    settings.charges.save(store);
    CartColours::parse(settings.shopColours).save(store);
    everyCheckoutChoice().save(store);
    ProductDefaults::save(store, richProduct());
}

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    return *end == '\0' && number > 0 ? number : fallback;
}

} // namespace vendaxo::bench
