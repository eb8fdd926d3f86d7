#pragma once

#include <string>
#include <string_view>

namespace vendaxo {

// The leading whole number of a typed text (leading blanks and one sign
// allowed) as plain decimal digits; "0" when there are none. "7.5" gives "7".
std::string integerText(std::string_view typed);

// A typed amount as number text: every "$" removed, the leading decimal number
// read (blanks, sign, digits, a point, an exponent) and written back in the
// shortest general form with at most 15 significant digits and a "." as
// decimal point, whatever the locale. "12.50" gives "12.5", "abc" gives "0".
std::string priceText(std::string_view typed);

// The leading decimal number of a text as priceText reads it (without removing
// "$"); 0 when nothing is readable.
double leadingNumber(std::string_view text);
// A number in the shortest general form with at most 15 significant digits.
std::string numberText(double value);

} // namespace vendaxo
