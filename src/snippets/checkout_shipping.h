#pragma once

#include <string>
#include <string_view>

namespace vendaxo {

struct CheckoutSettings;
struct OrderCharges;
struct ShippingSettings;

// One visible row of the order form's table; header rows carry a colour.
std::string formRow(std::string_view label, std::string_view content, std::string_view colour = {});

// The rows under the shipping header and their fields, ending with tax_shipping.
std::string shippingRows(const CheckoutSettings& settings);
// The rate fields that follow the currency field (rate calculation only).
std::string shippingHiddenFields(const ShippingSettings& shipping);
// Minimum order, discount, handling, insurance and cart colours, each when set.
std::string orderChargeFields(const OrderCharges& charges, std::string_view shopColours);

} // namespace vendaxo
