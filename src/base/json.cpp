#include "base/json.h"

#include <cstdio>

namespace vendaxo {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string jsonBool(bool value) {
    return value ? "true" : "false";
}

std::string jsonObject(const std::vector<std::pair<std::string, std::string>>& members, int depth) {
    const std::string inner(static_cast<std::size_t>(2 * (depth + 1)), ' ');
    std::string out = "{";
    for (std::size_t i = 0; i < members.size(); ++i)
        out += (i ? ",\n" : "\n") + inner + jsonString(members[i].first) + ": " + members[i].second;
    return out + "\n" + std::string(static_cast<std::size_t>(2 * depth), ' ') + "}";
}

std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? ", " : "") + items[i];
    return out + "]";
}

std::string jsonStrings(const std::vector<std::string>& texts) {
    std::vector<std::string> items;
    for (const std::string& text : texts)
        items.push_back(jsonString(text));
    return jsonArray(items);
}

} // namespace vendaxo
