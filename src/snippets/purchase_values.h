#pragma once

#include "snippets/product.h"

#include <optional>
#include <string>
#include <vector>

namespace vendaxo {

// What is said about one product by the names of the purchase command's
// options (sku, price, description, weight, caption, free-shipping,
// non-taxable, no-jump, no-fractional, quantity-lock, no-minimums,
// quantity-box, option-data, option-style, discount): by the command line, a
// form read back from a page or a row of a catalogue. A value not given
// leaves the product as it was.
struct PurchaseValues {
    std::optional<std::string> sku;
    std::optional<std::string> price;
    std::optional<std::string> description;
    std::optional<std::string> weight;
    std::optional<std::string> caption;
    std::optional<bool> freeShipping;
    std::optional<bool> nonTaxable;
    std::optional<bool> noJump;
    std::optional<bool> noFractional;
    std::optional<std::string> quantityLock; // the fixed quantity; given means locked
    std::optional<bool> noMinimums;
    std::optional<bool> quantityBox;
    std::optional<std::string> optionData;  // option data text; given means enabled
    std::optional<std::string> optionStyle; // "drop-down" or "radio"
    std::vector<std::string> discounts;     // "QTY=PRICE", added in order

    // `start` with these values applied as the purchase dialog would take
    // them: the check-box rules run, typed amounts are normalised. A discount
    // the list refuses throws RefusedValue named "discount".
    Product toProduct(Product start = {}) const;

    bool operator==(const PurchaseValues&) const = default;
};

inline constexpr std::string_view kRadioOptionStyle = "radio";
inline constexpr std::string_view kDropDownOptionStyle = "drop-down";

} // namespace vendaxo
