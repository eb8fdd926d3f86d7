#include "settings/settings_report.h"

#include "settings/cart_colours.h"
#include "settings/store_options.h"
#include "shell/json.h"
#include "shell/settings_store.h"
#include "snippets/html.h"

namespace vendaxo {

namespace {

std::string yesNo(bool on) {
    return on ? "yes" : "no";
}
std::string jsonBool(bool on) {
    return on ? "true" : "false";
}

// The summary's lines after the first, indented under it.
std::string indentedLines(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\n    ") : std::string(1, c);
    return out;
}

} // namespace

std::string settingsReport(SettingsStore& store) {
    const StoreOptions options = StoreOptions::load(store);
    std::string report = "Tax table:";
    if (options.taxEntries.empty())
        report += " empty";
    for (const std::string& entry : options.taxEntries)
        report += "\n    " + entry;
    report += "\nTax shipping costs: " + yesNo(options.taxShipping);
    report += "\nCurrency symbol: " + options.currency;
    report += "\nMain page address: " + options.mainPageAddress;
    report += "\nCheckout page: " + options.checkoutPage;
    report += "\nOrder confirmation message: " + options.confirmationMessage;
    report += "\nCredit card verification: " +
              std::string(kVerificationTypes[static_cast<std::size_t>(options.verificationType)]);
    report += "\nInternational shipments: " + yesNo(options.internationalShipping);
    report += "\nShipping: " + indentedLines(shippingSummary(store));
    const std::string colours = store.readMerchant(kShopColoursValue);
    report += "\nCart colours: " +
              (colours.empty() ? std::string("never set") : CartColours::parse(colours).text());
    return report + "\n";
}

std::string settingsReportJson(SettingsStore& store) {
    const StoreOptions options = StoreOptions::load(store);
    std::string json = "{\n  \"options\": {\n    \"taxEntries\": [";
    for (std::size_t i = 0; i < options.taxEntries.size(); ++i)
        json += (i ? ", " : "") + jsonString(options.taxEntries[i]);
    json += "],\n    \"taxShipping\": " + jsonBool(options.taxShipping);
    json += ",\n    \"currency\": " + jsonString(options.currency);
    json += ",\n    \"mainPageAddress\": " + jsonString(options.mainPageAddress);
    json += ",\n    \"checkoutPage\": " + jsonString(options.checkoutPage);
    json += ",\n    \"confirmationMessage\": " + jsonString(options.confirmationMessage);
    json += ",\n    \"verificationType\": " + std::to_string(options.verificationType);
    json += ",\n    \"internationalShipping\": " + jsonBool(options.internationalShipping);
    json += "\n  },\n  \"shippingSummary\": " + jsonString(shippingSummary(store));
    const std::string colours = store.readMerchant(kShopColoursValue);
    json += ",\n  \"cartColours\": ";
    if (colours.empty())
        json += "null";
    else
        json += "[" + CartColours::parse(colours).text() + "]";
    return json + "\n}\n";
}

} // namespace vendaxo
