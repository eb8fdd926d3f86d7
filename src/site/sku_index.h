#pragma once

#include "snippets/snippet_reader.h"

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vendaxo {

// Where a form stands: the page's index in the list checked, and its line.
struct FormPlace {
    std::size_t page = 0;
    std::size_t line = 0;
};

// A purchase form whose SKU other forms sell differently.
struct SkuConflict {
    FormPlace place;
    std::string sku;
    std::string details; // what differs and where
};

// The purchase forms of a site by SKU, to find one SKU sold at two prices.
// Each form takes a place and a fingerprint of what it sells, not its text,
// so the index grows with the purchase forms, not with the pages' size.
class SkuIndex {
public:
    // A sound purchase form of the current merchant.
    void add(FormPlace place, const ReadSnippet& purchase);

    // The SKUs sold differently on different forms.
    std::set<std::string> conflictingSkus() const;
    // Every form of those SKUs, in page order, each naming the other places
    // and what differs from them.
    std::vector<SkuConflict>
    conflicts(const std::function<std::string(std::size_t page)>& pageName) const;

private:
    // Price, description, weight, price breaks, options.
    static constexpr std::size_t kAspects = 5;
    struct Entry {
        FormPlace place;
        std::array<std::size_t, kAspects> aspects;
    };
    static bool sameSale(const Entry& a, const Entry& b) { return a.aspects == b.aspects; }

    std::map<std::string, std::vector<Entry>> m_skus;
};

} // namespace vendaxo
