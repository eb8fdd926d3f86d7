#include "base/html_entities.h"

#include <algorithm>

namespace vendaxo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The characters browsers give the references 0x80 to 0x9F; 0 where the value stands.
constexpr std::array<char32_t, 32> kC1Replacements = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

const NamedReference* longestNamedReference(std::string_view text) {
    // The names sharing the first k characters of `text` form one run of the
    // sorted table; each step narrows it by one character. A name that ends
    // at the step sorts first in its run.
    const NamedReference* first = kNamedReferences.data();
    const NamedReference* last = first + kNamedReferences.size();
    const NamedReference* best = nullptr;
    for (std::size_t k = 0; k < text.size() && first != last; ++k) {
        const auto key = [k](const NamedReference& reference) {
            return reference.name.size() > k
                       ? static_cast<int>(static_cast<unsigned char>(reference.name[k]))
                       : -1;
        };
        const int wanted = static_cast<unsigned char>(text[k]);
        first = std::lower_bound(first, last, wanted, [&](const NamedReference& reference, int c) {
            return key(reference) < c;
        });
        last = std::upper_bound(first, last, wanted, [&](int c, const NamedReference& reference) {
            return c < key(reference);
        });
        if (first != last && first->name.size() == k + 1)
            best = first;
    }
    return best;
}

char32_t numericReferenceCharacter(std::uint32_t value) {
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return kReplacement;
    if (value >= 0x80 && value <= 0x9F && kC1Replacements[value - 0x80] != 0)
        return kC1Replacements[value - 0x80];
    return value;
}

} // namespace vendaxo
