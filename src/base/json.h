#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vendaxo {

// A JSON string literal for UTF-8 text, quotes included.
std::string jsonString(std::string_view text);
std::string jsonBool(bool value);
// Members and items are JSON already; objects are written one member a line,
// indented by `depth` levels.
std::string jsonObject(const std::vector<std::pair<std::string, std::string>>& members,
                       int depth = 0);
std::string jsonArray(const std::vector<std::string>& items);
std::string jsonStrings(const std::vector<std::string>& texts);

} // namespace vendaxo
