#include "base/numbers.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace vendaxo {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips leading blanks and reads one sign; returns whether it was a minus.
bool skipBlanksAndSign(std::string_view& text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    return negative;
}

} // namespace

std::string integerText(std::string_view typed) {
    const bool negative = skipBlanksAndSign(typed);
    std::size_t end = 0;
    while (end < typed.size() && isDigit(typed[end]))
        ++end;
    std::string_view digits = typed.substr(0, end);
    // Any length is kept: a long quantity is written back, never wrapped round.
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    if (digits.empty() || digits == "0")
        return "0";
    return (negative ? "-" : "") + std::string(digits);
}

double leadingNumber(std::string_view text) {
    const bool negative = skipBlanksAndSign(text);
    // from_chars would also read "inf" and "nan"; a typed amount starts with a digit or point.
    if (text.empty() || !(isDigit(text.front()) || text.front() == '.'))
        return 0;
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || !std::isfinite(value))
        return 0;
    return negative ? -value : value;
}

std::string numberText(double value) {
    if (value == 0)
        return "0"; // also for -0
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, written.ptr);
}

std::string priceText(std::string_view typed) {
    std::string text;
    for (char c : typed) {
        if (c != '$')
            text += c;
    }
    return numberText(leadingNumber(text));
}

} // namespace vendaxo
