#pragma once

#include <string>
#include <string_view>

namespace vendaxo {

struct MerchantProfile;
struct Product;

// The purchase button: a form that adds one product to the shopper's cart.
// The price always carries "$", whatever the store's currency; option item
// amounts are read with the merchant's currency symbol.
std::string buildPurchaseSnippet(const Product& product, const MerchantProfile& profile,
                                 std::string_view storedColours);

} // namespace vendaxo
