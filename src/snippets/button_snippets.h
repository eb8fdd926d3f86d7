#pragma once

#include <string>
#include <string_view>

namespace vendaxo {

struct MerchantProfile;

inline constexpr std::string_view kViewCartCaption = "View Shopping Cart";
inline constexpr std::string_view kRetrieveOrdersCaption = "Retrieve Orders";

// A button that opens the shopper's cart on the cart server.
std::string buildViewCartSnippet(std::string_view caption, const MerchantProfile& profile,
                                 std::string_view storedColours);

// A button with which the merchant fetches orders; it carries no cart colours.
std::string buildRetrieveOrdersSnippet(std::string_view caption, const MerchantProfile& profile);

} // namespace vendaxo
