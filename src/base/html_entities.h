#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vendaxo {

// A named character reference: its name after "&" (with the ";" for most
// names; some old names are also recognised without it) and the one or two
// characters it stands for.
struct NamedReference {
    std::string_view name;
    char32_t first;
    char32_t second; // 0 for a reference to one character
};

inline constexpr std::size_t kNamedReferenceCount = 2231;
// Every named reference HTML knows, sorted by name byte by byte.
extern const std::array<NamedReference, kNamedReferenceCount> kNamedReferences;

// The reference with the longest name that `text` starts with; nullptr when none.
const NamedReference* longestNamedReference(std::string_view text);

// What a numeric reference such as "&#150;" stands for: zero, surrogates and
// values past Unicode give U+FFFD, and 0x80 to 0x9F are read as Windows-1252,
// as browsers do.
char32_t numericReferenceCharacter(std::uint32_t value);

} // namespace vendaxo
