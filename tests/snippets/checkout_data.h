#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace vendaxo::test {

// A bookshop's store (store.reg) and the order form it gives for each shipping
// method, copied beside the test programs so that Windows builds find them too.
std::filesystem::path checkoutData(const std::string& name);

struct CheckoutCase {
    std::string_view method; // the OSta value
    std::string_view expected;
};
inline constexpr std::array<CheckoutCase, 6> kCheckoutCases = {{
    {"0", "user_choice.html"},
    {"1", "rate_calculation.html"},
    {"2", "base_rates.html"},
    {"3", "single_chart.html"},
    {"4", "named_charts.html"},
    {"5", "ups.html"},
}};
// The boxes the expected forms were made with.
inline constexpr std::string_view kCheckoutCards = "12347";
inline constexpr std::string_view kCheckoutRequired = "13abc";

} // namespace vendaxo::test
