#pragma once

#include <array>
#include <string_view>

namespace vendaxo {

struct Country {
    std::string_view code;
    // As the option shows it, already HTML ("Trinidad &amp; Tobago ").
    std::string_view name;
};

// The order form's country list, in the order the shopper sees it.
extern const std::array<Country, 243> kCountries;

} // namespace vendaxo
