#include "snippets/quantity_discounts.h"

#include "base/numbers.h"

#include <algorithm>

namespace vendaxo {

std::string QuantityDiscounts::entry(std::string_view quantity, std::string_view price) {
    return std::string(quantity) + " - $" + std::string(price) + ";";
}

std::string QuantityDiscounts::quantityOf(std::string_view entry) {
    const auto dollar = entry.find('$');
    const auto dash = entry.rfind(" - ", dollar);
    return std::string(entry.substr(0, dash));
}

std::string QuantityDiscounts::priceOf(std::string_view entry) {
    const auto dollar = entry.find('$');
    if (dollar == std::string_view::npos)
        return {};
    const auto end = entry.find(';', dollar);
    return std::string(entry.substr(
        dollar + 1, end == std::string_view::npos ? std::string_view::npos : end - dollar - 1));
}

bool QuantityDiscounts::hasQuantity(std::string_view quantity) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const std::string& entry) { return quantityOf(entry) == quantity; });
}

void QuantityDiscounts::add(std::string_view quantity, std::string_view price) {
    m_entries.push_back(entry(quantity, price));
}

DiscountRefusal QuantityDiscounts::checkTypedQuantity(std::string_view typedQuantity) const {
    // A listed quantity is reported first, as the dialog always did, even 0.
    const std::string quantity = integerText(typedQuantity);
    if (hasQuantity(quantity))
        return DiscountRefusal::QuantityExists;
    return quantity == "0" ? DiscountRefusal::NotWholeNumber : DiscountRefusal::None;
}

DiscountRefusal QuantityDiscounts::addTyped(std::string_view typedQuantity,
                                            std::string_view typedPrice) {
    const DiscountRefusal refusal = checkTypedQuantity(typedQuantity);
    if (refusal == DiscountRefusal::None)
        add(integerText(typedQuantity), priceText(typedPrice));
    return refusal;
}

void QuantityDiscounts::setPrice(std::size_t index, std::string_view price) {
    if (index < m_entries.size())
        m_entries[index] = entry(quantityOf(m_entries[index]), price);
}

void QuantityDiscounts::remove(std::size_t index) {
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string QuantityDiscounts::snippetText() const {
    std::string text;
    for (const std::string& entry : m_entries) {
        for (const char c : entry) {
            if (c != '\n' && c != '\r' && c != '"' && c != ' ' && c != '$')
                text += c;
        }
    }
    return text;
}

std::string QuantityDiscounts::stored() const {
    std::string text;
    for (const std::string& entry : m_entries)
        text += entry + "\r\n";
    return text;
}

QuantityDiscounts QuantityDiscounts::fromStored(std::string_view text) {
    QuantityDiscounts discounts;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            discounts.m_entries.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return discounts;
}

} // namespace vendaxo
