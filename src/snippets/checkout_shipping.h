#pragma once

#include <string>
#include <string_view>

namespace vendaxo {

struct CheckoutSettings;
struct OrderCharges;
struct ShippingSettings;

// Every select the shopper must choose in starts with this option.
inline constexpr std::string_view kPleaseSelect =
    "<option value=\"Please Select...\">Please Select...</option>\n";
// <select name="NAME" size="1"> and a line feed.
std::string selectOpening(std::string_view name);

// One visible row of the order form's table; header rows carry a colour.
std::string formRow(std::string_view label, std::string_view content, std::string_view colour = {});

// The rows under the shipping header and their fields, ending with tax_shipping.
std::string shippingRows(const CheckoutSettings& settings);
// The rate fields that follow the currency field (rate calculation only).
std::string shippingHiddenFields(const ShippingSettings& shipping);
// Minimum order, discount, handling, insurance and cart colours, each when set.
std::string orderChargeFields(const OrderCharges& charges, std::string_view shopColours);

} // namespace vendaxo
