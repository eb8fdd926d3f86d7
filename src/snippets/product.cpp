#include "snippets/product.h"

#include "base/numbers.h"
#include "shell/settings_store.h"

namespace vendaxo {

namespace {

std::string flag(bool on) {
    return on ? "true" : "false";
}

OptionStyle styleFromStored(const std::string& text) {
    if (text.empty())
        return OptionStyle::DropDown;
    const std::string index = integerText(text);
    if (index == "0")
        return OptionStyle::DropDown;
    if (index == "1")
        return OptionStyle::Radio;
    return OptionStyle::None;
}

} // namespace

std::string Product::descriptionLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the LF that follows becomes the blank
        line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return line;
}

void Product::setOptionLists(ProductOptions lists) {
    optionsEnabled = lists.enabled;
    optionStyle = lists.style;
    options = std::move(lists.grid);
}

void Product::setQuantityLock(bool on) {
    if (on && !quantityLock) {
        noFractional = false;
        quantityBox = false;
    }
    quantityLock = on;
}

void Product::setNoFractional(bool on) {
    if (on && !noFractional)
        quantityLock = false;
    noFractional = on;
}

void Product::setQuantityBox(bool on) {
    if (on && !quantityBox)
        quantityLock = false;
    quantityBox = on;
}

void ProductDefaults::paste(SettingsStore& store, Product& product) {
    const auto read = [&](const MerchantValue& value) {
        return store.read(value);
    };
    const auto isTrue = [&](const MerchantValue& value) {
        return read(value) == "true";
    };
    product.sku.clear();
    product.price = read(stored::kDefaultPrice);
    product.description = read(stored::kDefaultDescription);
    product.carriedText = read(stored::kCarriedText);
    product.carriedText2 = read(stored::kCarriedText2);
    product.caption = read(stored::kDefaultCaption);
    product.discounts = QuantityDiscounts::fromStored(read(stored::kDefaultDiscounts));
    product.weight = read(stored::kDefaultWeight);
    product.nonTaxable = isTrue(stored::kDefaultNonTaxable);
    product.quantityDiscount = isTrue(stored::kDefaultQuantityDiscount);
    product.freeShipping = isTrue(stored::kDefaultFreeShipping);
    product.noJump = isTrue(stored::kDefaultNoJump);
    product.setNoFractional(isTrue(stored::kDefaultNoFractional));
    product.setQuantityLock(isTrue(stored::kDefaultQuantityLock));
    product.fixedQuantity = read(stored::kDefaultFixedQuantity);
    product.noMinimums = isTrue(stored::kDefaultNoMinimums);
    product.setQuantityBox(isTrue(stored::kDefaultQuantityBox));
    product.optionsEnabled = isTrue(stored::kDefaultOptionsEnabled);
    product.optionStyle = styleFromStored(read(stored::kDefaultOptionStyle));
    product.options.rebuild(read(stored::kDefaultOptionData));
}

void ProductDefaults::save(SettingsStore& store, const Product& product) {
    const auto write = [&](const MerchantValue& value, const std::string& text) {
        store.write(value, text);
    };
    write(stored::kDefaultPrice, product.price);
    write(stored::kDefaultCaption, product.caption);
    write(stored::kDefaultWeight, product.weight);
    write(stored::kDefaultDescription, product.description);
    write(stored::kCarriedText, product.carriedText);
    write(stored::kCarriedText2, product.carriedText2);
    write(stored::kDefaultDiscounts, product.discounts.stored());
    write(stored::kDefaultNonTaxable, flag(product.nonTaxable));
    write(stored::kDefaultQuantityDiscount, flag(product.quantityDiscount));
    write(stored::kDefaultFreeShipping, flag(product.freeShipping));
    write(stored::kDefaultNoJump, flag(product.noJump));
    write(stored::kDefaultNoFractional, flag(product.noFractional));
    write(stored::kDefaultQuantityLock, flag(product.quantityLock));
    write(stored::kDefaultFixedQuantity, product.fixedQuantity);
    write(stored::kDefaultNoMinimums, flag(product.noMinimums));
    write(stored::kDefaultQuantityBox, flag(product.quantityBox));
    write(stored::kDefaultOptionsEnabled, flag(product.optionsEnabled));
    write(stored::kDefaultOptionStyle, std::to_string(static_cast<int>(product.optionStyle)));
    write(stored::kDefaultOptionData, product.options.data());
}

} // namespace vendaxo
