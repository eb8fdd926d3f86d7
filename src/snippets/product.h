#pragma once

#include "snippets/option_lists.h"
#include "snippets/quantity_discounts.h"

#include <string>
#include <string_view>

namespace vendaxo {

class SettingsStore;

inline constexpr std::string_view kDefaultPurchaseCaption = "Add To Shopping Cart";

// Everything the purchase dialog holds for one product.
struct Product {
    // Characters a description cannot hold: the cart server shows it in its
    // pages as it is.
    static constexpr std::string_view kForbiddenInDescription = "\"";
    static bool isAllowedDescription(std::string_view text) {
        return text.find_first_of(kForbiddenInDescription) == std::string_view::npos;
    }
    // A description is one line: each line break (CR LF, LF or CR) becomes a blank.
    static std::string descriptionLine(std::string_view text);

    std::string sku;
    std::string price;
    std::string description;
    std::string weight = "0";
    std::string caption = std::string(kDefaultPurchaseCaption);
    bool freeShipping = false;
    bool nonTaxable = false;
    bool noJump = false;
    bool noFractional = false;
    bool quantityLock = false;
    std::string fixedQuantity = "0";
    bool noMinimums = false;
    bool quantityBox = false;
    bool quantityDiscount = false; // the list's check box; the entries travel either way
    QuantityDiscounts discounts;
    bool optionsEnabled = false;
    OptionStyle optionStyle = OptionStyle::DropDown;
    OptionGrid options;
    // Two texts kept with the stored defaults and written back, used for nothing else.
    std::string carriedText;
    std::string carriedText2;

    // The check-box rules: checking one of these unchecks the ones it excludes.
    // Each runs only when the box changes state, as a click would.
    void setQuantityLock(bool on);
    void setNoFractional(bool on);
    void setQuantityBox(bool on);
    // What the taxable field carries.
    std::string taxable() const { return nonTaxable ? "no" : "yes"; }

    // The option lists as one value.
    ProductOptions optionLists() const { return {optionsEnabled, optionStyle, options}; }
    void setOptionLists(ProductOptions lists);

    bool operator==(const Product&) const = default;
};

// The product defaults ("Save as Default..." / "Paste Default") in the
// current merchant's key. The SKU is never stored.
struct ProductDefaults {
    // The stored values applied to `product` as pasting does; an empty option
    // data value leaves the lists as they are.
    static void paste(SettingsStore& store, Product& product);
    static void save(SettingsStore& store, const Product& product);
};

} // namespace vendaxo
