#pragma once

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
    std::string base = "0.00";
    std::string rate = "0.00";
    std::string minimum = "0.00";
    std::string label;

    bool operator==(const Charge&) const = default;
};

enum class DiscountType { Percent = 0, Flat = 1 };
// "If the order " ... " exceeds": total, quantity, weight.
enum class DiscountBasis { Total = 0, Quantity = 1, Weight = 2 };
// "Minimum Calculation By:": Dollar, Weight, Quantity.
enum class MinimumBasis { Dollar = 0, Weight = 1, Quantity = 2 };

inline constexpr std::string_view kDefaultMinimumMessage =
    "You have not purchased the minimum required products.  Please click your browser's back "
    "button to continue.";

// The store-wide order charges and limits every checkout form carries.
struct OrderCharges {
    bool minimumEnabled = false;
    MinimumBasis minimumBasis = MinimumBasis::Dollar;
    std::string minimumAmount;
    std::string minimumMessage = std::string(kDefaultMinimumMessage);

    bool discountEnabled = false;
    DiscountType discountType = DiscountType::Percent;
    DiscountBasis discountBasis = DiscountBasis::Total;
    std::string discountThreshold = "0";
    std::string discountRate = "0";
    std::string discountLabel = "Order Discount";

    Charge handling{false, ChargeBasis::FlatRate, "0.00", "0.00", "0.00", "Handling Charge:"};
    Charge insurance{false, ChargeBasis::FlatRate, "0.00", "0.00", "0.00", "Insurance Charge:"};

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
