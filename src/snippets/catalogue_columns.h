#pragma once

#include "snippets/purchase_values.h"

#include <span>
#include <string>
#include <string_view>

namespace vendaxo {

// What the cells of one row of a product list say, before the product is made.
struct CatalogueCells {
    PurchaseValues values;
    std::string optionFile; // as the cell names it, relative to the list
};

// A column of a product list, named as the purchase command's option.
struct CatalogueColumn {
    std::string_view name;
    bool required = false;
    // Takes a cell that is not empty into the row; throws Error saying why a
    // cell is refused.
    void (*take)(const std::string& cell, CatalogueCells& cells) = nullptr;
};

inline constexpr std::string_view kOptionFileColumn = "options";
inline constexpr std::string_view kOptionDataColumn = "option-data";
inline constexpr std::string_view kQuantityLockColumn = "quantity-lock";
inline constexpr std::string_view kDiscountsColumn = "discounts";

// Every column a list can have, the required ones first.
std::span<const CatalogueColumn> catalogueColumns();
// Their names, as "sku, price, description, ...".
std::string catalogueColumnNames();

} // namespace vendaxo
