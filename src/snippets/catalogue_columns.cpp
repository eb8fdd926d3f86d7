// The cells of a product list: each value as the purchase command takes it,
// refused where the command would quietly make another value of it.
#include "snippets/catalogue_columns.h"

#include "base/error.h"
#include "base/numbers.h"
#include "base/text.h"

#include <algorithm>

namespace vendaxo {

namespace {

[[noreturn]] void refuse(const std::string& message) {
    throw Error(message);
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isWholeNumber(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

// Digits with at most one "." among them: no sign, blank, exponent or
// thousands separator.
bool isPlainNumber(std::string_view text) {
    const auto digits = std::count_if(text.begin(), text.end(), isDigit);
    const auto points = std::count(text.begin(), text.end(), '.');
    return digits > 0 && points <= 1 && static_cast<std::size_t>(digits + points) == text.size();
}

// A plain number without the zeros that say nothing: "012.50" is "12.5".
std::string withoutIdleZeros(std::string_view number) {
    const std::size_t point = number.find('.');
    std::string_view whole = number.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    std::string text = whole.empty() ? "0" : std::string(whole);
    if (!fraction.empty())
        text += "." + std::string(fraction);
    return text;
}

// An amount the button shows as written: "$" at most before the digits, and
// no more digits than the price field keeps.
void checkPrice(std::string_view cell) {
    std::string_view number = cell;
    if (!number.empty() && number.front() == '$')
        number.remove_prefix(1);
    if (!isPlainNumber(number))
        refuse(quoted(cell) + " is not a plain amount: digits with one \".\" at most (as 12.50), "
                              "no thousands separator, no sign");
    const std::string shown = priceText(cell);
    if (shown != withoutIdleZeros(number))
        refuse(quoted(cell) + " has more digits than a price keeps; the button would say " + shown);
}

void checkOneLine(std::string_view cell) {
    if (cell.find_first_of("\r\n") != std::string_view::npos)
        refuse("a line break in a one-line value");
}

bool flagOf(std::string_view cell) {
    const std::string word = asciiLower(cell);
    if (word == "yes" || word == "true" || word == "1")
        return true;
    if (word == "no" || word == "false" || word == "0")
        return false;
    refuse(quoted(cell) + " is not yes or no (nor true, false, 1, 0)");
}

void takeDiscounts(const std::string& cell, CatalogueCells& cells) {
    for (const std::string& entry : splitList(cell, ';')) {
        if (entry.empty())
            continue; // "10=9.5;20=9;" ends in a separator
        const std::size_t equals = entry.find('=');
        if (equals == std::string::npos)
            refuse(quoted(entry) + " has no price: write QUANTITY=PRICE, as 10=9.5");
        const std::string_view quantity = std::string_view(entry).substr(0, equals);
        if (!isWholeNumber(quantity) || integerText(quantity) == "0")
            refuse("the quantity of " + quoted(entry) + " is not a whole number from 1 on");
        try {
            checkPrice(std::string_view(entry).substr(equals + 1));
        } catch (const Error& error) {
            refuse("the price of " + quoted(entry) + ": " + error.what());
        }
        cells.values.discounts.push_back(entry);
    }
}

// The line ends a spreadsheet wrote in the cell, as the option data text has them.
std::string withLineFeeds(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        result += text[i] == '\r' ? '\n' : text[i];
    }
    return result;
}

template <std::optional<bool> PurchaseValues::*field>
void takeFlag(const std::string& cell, CatalogueCells& cells) {
    cells.values.*field = flagOf(cell);
}

constexpr CatalogueColumn kColumns[] = {
    {"sku", true,
     [](const std::string& cell, CatalogueCells& cells) {
         checkOneLine(cell);
         cells.values.sku = cell;
     }},
    {"price", true,
     [](const std::string& cell, CatalogueCells& cells) {
         checkPrice(cell);
         cells.values.price = cell;
     }},
    {"description", true,
     [](const std::string& cell, CatalogueCells& cells) {
         if (!Product::isAllowedDescription(cell))
             refuse("a description cannot hold a quotation mark (\"): the cart shows it as it is");
         // As the purchase dialog takes a pasted text: each line break a blank.
         cells.values.description = Product::descriptionLine(cell);
     }},
    {"weight", false,
     [](const std::string& cell, CatalogueCells& cells) {
         if (!isPlainNumber(cell))
             refuse(quoted(cell) + " is not a plain number: digits with one \".\" at most (as "
                                   "1.5), no unit, no sign");
         cells.values.weight = cell;
     }},
    {"caption", false,
     [](const std::string& cell, CatalogueCells& cells) {
         checkOneLine(cell);
         cells.values.caption = cell;
     }},
    {"free-shipping", false, takeFlag<&PurchaseValues::freeShipping>},
    {"non-taxable", false, takeFlag<&PurchaseValues::nonTaxable>},
    {"no-jump", false, takeFlag<&PurchaseValues::noJump>},
    {"no-fractional", false, takeFlag<&PurchaseValues::noFractional>},
    {"no-minimums", false, takeFlag<&PurchaseValues::noMinimums>},
    {"quantity-box", false, takeFlag<&PurchaseValues::quantityBox>},
    {kQuantityLockColumn, false,
     [](const std::string& cell, CatalogueCells& cells) {
         if (!isWholeNumber(cell) || integerText(cell) == "0")
             refuse(quoted(cell) + " is not a whole number from 1 on");
         cells.values.quantityLock = cell;
     }},
    {kDiscountsColumn, false, takeDiscounts},
    {kOptionFileColumn, false,
     [](const std::string& cell, CatalogueCells& cells) {
         checkOneLine(cell);
         cells.optionFile = cell;
     }},
    {kOptionDataColumn, false,
     [](const std::string& cell, CatalogueCells& cells) {
         cells.values.optionData = withLineFeeds(cell);
     }},
    {"option-style", false,
     [](const std::string& cell, CatalogueCells& cells) {
         const std::string style = asciiLower(cell);
         if (style != kDropDownOptionStyle && style != kRadioOptionStyle)
             refuse(quoted(cell) + " is not drop-down or radio");
         cells.values.optionStyle = style;
     }},
};

} // namespace

std::span<const CatalogueColumn> catalogueColumns() {
    return kColumns;
}

std::string catalogueColumnNames() {
    std::string names;
    for (const CatalogueColumn& column : kColumns)
        names += (names.empty() ? "" : ", ") + std::string(column.name);
    return names;
}

} // namespace vendaxo
