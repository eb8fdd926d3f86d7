#include "base/text.h"

#include <algorithm>

namespace vendaxo {

std::vector<std::string> splitList(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string asciiLower(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](char c) { return asciiLower(c); });
    return lowered;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

std::size_t findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.size() > text.size())
        return std::string_view::npos;
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
        if (equalsIgnoringCase(text.substr(i, needle.size()), needle))
            return i;
    }
    return std::string_view::npos;
}

std::vector<std::string> nonEmptyLines(std::string_view text) {
    std::vector<std::string> result;
    for (std::size_t start = 0; start < text.size();) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            result.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

std::string crlfLines(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text.append(item).append("\r\n");
    return text;
}

std::string withoutAny(std::string_view text, std::string_view forbidden) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (forbidden.find(c) == std::string_view::npos)
            kept += c;
    }
    return kept;
}

} // namespace vendaxo
