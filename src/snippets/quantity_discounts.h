#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

// Why a typed discount is not added to the list.
enum class DiscountRefusal { None, NotWholeNumber, QuantityExists };

inline constexpr std::string_view kQuantityExistsMessage =
    "You cannot add a quantity that already exists";

// Lower unit prices from given quantities on: entries such as "10 - $9.5;",
// unique by quantity, kept in the order they were added.
class QuantityDiscounts {
public:
    const std::vector<std::string>& entries() const { return m_entries; }
    bool empty() const { return m_entries.empty(); }

    // Both texts are taken as normalised ("10", "9.5").
    static std::string entry(std::string_view quantity, std::string_view price);
    // The text before the " - " that precedes the "$", and the text between
    // the "$" and the closing ";".
    static std::string quantityOf(std::string_view entry);
    static std::string priceOf(std::string_view entry);

    bool hasQuantity(std::string_view quantity) const;
    void add(std::string_view quantity, std::string_view price);
    // Whether a typed quantity can be added: its whole number must not be
    // listed already nor 0 (nothing whole was typed).
    DiscountRefusal checkTypedQuantity(std::string_view typedQuantity) const;
    // Adds the typed quantity's whole number with the typed price normalised,
    // unless checkTypedQuantity refuses it.
    DiscountRefusal addTyped(std::string_view typedQuantity, std::string_view typedPrice);
    void setPrice(std::size_t index, std::string_view price);
    void remove(std::size_t index);

    // What the snippet's quantity field carries: "10-9.5;20-9;".
    std::string snippetText() const;

    // The stored form: each entry followed by CR LF; read back one entry a line.
    std::string stored() const;
    static QuantityDiscounts fromStored(std::string_view text);

    bool operator==(const QuantityDiscounts&) const = default;

private:
    std::vector<std::string> m_entries;
};

} // namespace vendaxo
