#pragma once

#include "shell/stored_values.h"

#include <array>
#include <string>
#include <string_view>

namespace vendaxo {

class SettingsStore;

// How handling and insurance are charged ("Calculate By:").
enum class ChargeBasis { FlatRate = 0, Total = 1, Quantity = 2, Weight = 3 };

// Handling or insurance: a flat charge, or a base charge plus a rate per
// dollar, unit or pound with a minimum.
struct Charge {
    bool enabled = false;
    ChargeBasis basis = ChargeBasis::FlatRate;
    std::string base;
    std::string rate;
    std::string minimum;
    std::string label;

    // As an empty store gives it.
    static Charge fresh(const ChargeValues& values);

    bool operator==(const Charge&) const = default;
};

enum class DiscountType { Percent = 0, Flat = 1 };
// "If the order " ... " exceeds": total, quantity, weight.
enum class DiscountBasis { Total = 0, Quantity = 1, Weight = 2 };
// "Minimum Calculation By:": Dollar, Weight, Quantity.
enum class MinimumBasis { Dollar = 0, Weight = 1, Quantity = 2 };

// The store-wide order charges and limits every checkout form carries.
struct OrderCharges {
    bool minimumEnabled = false;
    MinimumBasis minimumBasis = MinimumBasis::Dollar;
    std::string minimumAmount{stored::kMinimumAmount.whenEmpty};
    std::string minimumMessage{stored::kMinimumMessage.whenEmpty};

    bool discountEnabled = false;
    DiscountType discountType = DiscountType::Percent;
    DiscountBasis discountBasis = DiscountBasis::Total;
    std::string discountThreshold{stored::kDiscountThreshold.whenEmpty};
    std::string discountRate{stored::kDiscountRate.whenEmpty};
    std::string discountLabel{stored::kDiscountLabel.whenEmpty};

    Charge handling = Charge::fresh(stored::kHandling);
    Charge insurance = Charge::fresh(stored::kInsurance);

    static OrderCharges load(SettingsStore& store);
    // After the shipping values: the minimum, discount, handling and insurance groups.
    void save(SettingsStore& store) const;

    bool operator==(const OrderCharges&) const = default;
};

// A percent discount cannot exceed 100.
std::string cappedPercent(std::string_view typed);
// What the minimum message may not hold: quotation marks and dashes.
inline constexpr std::string_view kMinimumMessageForbidden = "\"-";

} // namespace vendaxo
