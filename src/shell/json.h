#pragma once

#include <string>
#include <string_view>

namespace vendaxo {

// A JSON string literal for UTF-8 text, quotes included.
std::string jsonString(std::string_view text);

} // namespace vendaxo
