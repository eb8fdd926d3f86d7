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

std::string flag(bool on) {
    return on ? "1" : "0";
}

Charge loadCharge(SettingsStore& store, const ChargeValues& values) {
    Charge charge;
    charge.enabled = store.read(values.enabled) == "1";
    charge.basis = static_cast<ChargeBasis>(index(store.readOrDefault(values.type), 4));
    charge.rate = store.readOrDefault(values.rate);
    charge.base = store.readOrDefault(values.base);
    charge.minimum = store.readOrDefault(values.minimum);
    charge.label = store.readOrDefault(values.label);
    return charge;
}

void saveCharge(SettingsStore& store, const ChargeValues& values, const Charge& charge) {
    store.write(values.enabled, flag(charge.enabled));
    store.write(values.type, std::to_string(static_cast<int>(charge.basis)));
    store.write(values.base, charge.base);
    store.write(values.rate, charge.rate);
    store.write(values.minimum, charge.minimum);
    store.write(values.label, charge.label);
}

} // namespace

Charge Charge::fresh(const ChargeValues& values) {
    Charge charge;
    charge.base = values.base.whenEmpty;
    charge.rate = values.rate.whenEmpty;
    charge.minimum = values.minimum.whenEmpty;
    charge.label = values.label.whenEmpty;
    return charge;
}

OrderCharges OrderCharges::load(SettingsStore& store) {
    OrderCharges c;
    const auto read = [&](const MerchantValue& value) {
        return store.readOrDefault(value);
    };
    c.minimumEnabled = read(stored::kMinimumEnabled) == "1";
    c.minimumBasis = static_cast<MinimumBasis>(index(read(stored::kMinimumBasis), 3));
    c.minimumAmount = read(stored::kMinimumAmount);
    c.minimumMessage = read(stored::kMinimumMessage);
    c.discountEnabled = read(stored::kDiscountEnabled) == "1";
    c.discountType =
        read(stored::kDiscountType) == "1" ? DiscountType::Flat : DiscountType::Percent;
    c.discountRate = read(stored::kDiscountRate);
    c.discountBasis = static_cast<DiscountBasis>(index(read(stored::kDiscountBasis), 3));
    c.discountThreshold = read(stored::kDiscountThreshold);
    c.discountLabel = read(stored::kDiscountLabel);
    c.handling = loadCharge(store, stored::kHandling);
    c.insurance = loadCharge(store, stored::kInsurance);
    return c;
}

void OrderCharges::save(SettingsStore& store) const {
    const auto write = [&](const MerchantValue& value, const std::string& text) {
        store.write(value, text);
    };
    write(stored::kMinimumEnabled, flag(minimumEnabled));
    write(stored::kMinimumBasis, std::to_string(static_cast<int>(minimumBasis)));
    write(stored::kMinimumAmount, minimumAmount);
    write(stored::kMinimumMessage, minimumMessage);
    write(stored::kDiscountEnabled, flag(discountEnabled));
    write(stored::kDiscountType, discountType == DiscountType::Flat ? "1" : "0");
    write(stored::kDiscountBasis, std::to_string(static_cast<int>(discountBasis)));
    write(stored::kDiscountThreshold, discountThreshold);
    write(stored::kDiscountRate, discountRate);
    write(stored::kDiscountLabel, discountLabel);
    saveCharge(store, stored::kHandling, handling);
    saveCharge(store, stored::kInsurance, insurance);
}

std::string cappedPercent(std::string_view typed) {
    return leadingNumber(typed) > 100 ? std::string("100") : std::string(typed);
}

} // namespace vendaxo
