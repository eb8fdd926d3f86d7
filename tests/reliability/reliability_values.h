#pragma once

#include "snippets/option_lists.h"

#include <string>

namespace vendaxo::test {

// What write number i puts into the store: long enough to span several
// database pages, and different for every i.
inline std::string storeValue(long long i) {
    std::string value = "value " + std::to_string(i) + ":";
    while (value.size() < 3000)
        value += std::to_string(i * 7919 % 100003) + ",";
    return value;
}

// The option lists of save number i; their size changes with i, so that a file
// holding parts of two saves cannot pass for either.
inline OptionGrid optionGridFor(long long i) {
    OptionGrid grid;
    const long long lists = 1 + i % 5;
    for (long long c = 0; c < lists; ++c) {
        grid.addList("Save " + std::to_string(i) + " list " + std::to_string(c));
        for (long long r = 0; r < 20 + i % 37; ++r)
            grid.addItem(static_cast<std::size_t>(c),
                         "item " + std::to_string(r) + " of " + std::to_string(i) + " (add $1.50)");
    }
    return grid;
}

} // namespace vendaxo::test
