#include "settings/order_charges.h"

#include "base/numbers.h"
#include "shell/settings_store.h"

namespace vendaxo {

namespace {

int index(std::string_view stored, int count) {
    const std::string number = integerText(stored);
    for (int i = 0; i < count; ++i) {
        if (number == std::to_string(i))
            return i;
    }
    return 0;
}

std::string orDefault(std::string value, std::string_view fallback) {
    return value.empty() ? std::string(fallback) : value;
}

std::string flag(bool on) {
    return on ? "1" : "0";
}

void loadCharge(SettingsStore& store, std::string_view prefix, Charge& charge) {
    const auto read = [&](std::string_view name) {
        return store.readMerchant(std::string(prefix) + std::string(name));
    };
    charge.enabled = read("Enabled") == "1";
    charge.basis = static_cast<ChargeBasis>(index(read("Type"), 4));
    charge.rate = orDefault(read("Rate"), charge.rate);
    charge.base = orDefault(read("Base"), charge.base);
    charge.minimum = orDefault(read("Minimum"), charge.minimum);
    charge.label = orDefault(read("Label"), charge.label);
}

void saveCharge(SettingsStore& store, std::string_view prefix, const Charge& charge) {
    const auto write = [&](std::string_view name, const std::string& value) {
        store.writeMerchant(std::string(prefix) + std::string(name), value);
    };
    write("Enabled", flag(charge.enabled));
    write("Type", std::to_string(static_cast<int>(charge.basis)));
    write("Base", charge.base);
    write("Rate", charge.rate);
    write("Minimum", charge.minimum);
    write("Label", charge.label);
}

} // namespace

OrderCharges OrderCharges::load(SettingsStore& store) {
    OrderCharges c;
    const auto read = [&](std::string_view name) {
        return store.readMerchant(name);
    };
    c.minimumEnabled = read("MinimumShipping") == "1";
    c.minimumBasis = static_cast<MinimumBasis>(index(read("MinimumComparison"), 3));
    c.minimumAmount = read("MinimumRate");
    c.minimumMessage = orDefault(read("MinimumMessage"), c.minimumMessage);
    c.discountEnabled = read("GlobalDisEnabled") == "1";
    c.discountType = read("GlobalDisType") == "1" ? DiscountType::Flat : DiscountType::Percent;
    c.discountRate = orDefault(read("GlobalDisRate"), c.discountRate);
    c.discountBasis = static_cast<DiscountBasis>(index(read("GlobalDisComparison"), 3));
    c.discountThreshold = orDefault(read("GlobalDisComValue"), c.discountThreshold);
    c.discountLabel = orDefault(read("GlobalDisLabel"), c.discountLabel);
    loadCharge(store, "Handling", c.handling);
    loadCharge(store, "Insurance", c.insurance);
    return c;
}

void OrderCharges::save(SettingsStore& store) const {
    const auto write = [&](std::string_view name, const std::string& value) {
        store.writeMerchant(name, value);
    };
    write("MinimumShipping", flag(minimumEnabled));
    write("MinimumComparison", std::to_string(static_cast<int>(minimumBasis)));
    write("MinimumRate", minimumAmount);
    write("MinimumMessage", minimumMessage);
    write("GlobalDisEnabled", flag(discountEnabled));
    write("GlobalDisType", discountType == DiscountType::Flat ? "1" : "0");
    write("GlobalDisComparison", std::to_string(static_cast<int>(discountBasis)));
    write("GlobalDisComValue", discountThreshold);
    write("GlobalDisRate", discountRate);
    write("GlobalDisLabel", discountLabel);
    saveCharge(store, "Handling", handling);
    saveCharge(store, "Insurance", insurance);
}

std::string cappedPercent(std::string_view typed) {
    return leadingNumber(typed) > 100 ? std::string("100") : std::string(typed);
}

} // namespace vendaxo
