#include "site/sku_index.h"

#include "base/numbers.h"

#include <algorithm>

namespace vendaxo {

namespace {

constexpr std::array<std::string_view, 5> kAspectNames = {"price", "description", "weight",
                                                          "price breaks", "options"};

// The options as the cart server reads them: each item's amount and label,
// whatever currency its text shows.
std::string optionsSold(const ReadSnippet& purchase) {
    if (!purchase.product.optionsEnabled)
        return {};
    const OptionGrid& grid = purchase.product.options;
    std::string text;
    for (std::size_t c = 0; c < grid.columnCount(); ++c) {
        for (std::size_t r = 1; r < grid.rowCount(); ++r) {
            if (grid.cell(c, r).empty())
                continue;
            const OptionItem item = OptionItem::parse(grid.cell(c, r), purchase.merchant.currency);
            text += item.signedAmount() + ";" + item.label + ";";
        }
        text += '\n';
    }
    return text;
}

std::size_t fingerprint(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

std::string listed(const std::vector<std::string_view>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += std::string(i == 0                  ? ""
                            : i + 1 == names.size() ? " and "
                                                    : ", ") +
                std::string(names[i]);
    return text;
}

} // namespace

void SkuIndex::add(FormPlace place, const ReadSnippet& purchase) {
    const Product& product = purchase.product;
    m_skus[product.sku].push_back(
        {place,
         {fingerprint(priceText(product.price)), fingerprint(product.description),
          fingerprint(product.weight), fingerprint(product.discounts.snippetText()),
          fingerprint(optionsSold(purchase))}});
}

std::set<std::string> SkuIndex::conflictingSkus() const {
    std::set<std::string> skus;
    for (const auto& [sku, entries] : m_skus) {
        const Entry& first = entries.front();
        if (std::any_of(entries.begin(), entries.end(),
                        [&first](const Entry& entry) { return !sameSale(entry, first); }))
            skus.insert(sku);
    }
    return skus;
}

std::vector<SkuConflict>
SkuIndex::conflicts(const std::function<std::string(std::size_t page)>& pageName) const {
    std::vector<SkuConflict> found;
    for (const std::string& sku : conflictingSkus()) {
        const std::vector<Entry>& entries = m_skus.at(sku);
        for (const Entry& entry : entries) {
            std::string details = "SKU \"" + sku + "\":";
            std::string same;
            for (const Entry& other : entries) {
                if (&other == &entry)
                    continue;
                const std::string where =
                    pageName(other.place.page) + ":" + std::to_string(other.place.line);
                std::vector<std::string_view> differing;
                for (std::size_t i = 0; i < kAspects; ++i) {
                    if (entry.aspects[i] != other.aspects[i])
                        differing.push_back(kAspectNames[i]);
                }
                if (differing.empty())
                    same += (same.empty() ? "" : ", ") + where;
                else
                    details += " " + listed(differing) + " differ" +
                               (differing.size() == 1 ? "s" : "") + " at " + where + ";";
            }
            if (!same.empty())
                details += " the same at " + same + ";";
            details.pop_back();
            found.push_back({entry.place, sku, std::move(details)});
        }
    }
    std::sort(found.begin(), found.end(), [](const SkuConflict& a, const SkuConflict& b) {
        return std::tie(a.place.page, a.place.line) < std::tie(b.place.page, b.place.line);
    });
    return found;
}

} // namespace vendaxo
