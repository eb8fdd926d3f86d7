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
    const auto read = [&](std::string_view name) {
        return store.readMerchant(name);
    };
    const auto isTrue = [&](std::string_view name) {
        return read(name) == "true";
    };
    product.sku.clear();
    product.price = read("PPrc");
    product.description = read("PDes");
    product.carriedText = read("POpt");
    product.carriedText2 = read("POpt2");
    product.caption = read("PBut");
    product.discounts = QuantityDiscounts::fromStored(read("PQty"));
    product.weight = read("PWgt");
    product.nonTaxable = isTrue("PTax");
    product.quantityDiscount = isTrue("PQcb");
    product.freeShipping = isTrue("PShip");
    product.noJump = isTrue("PNoJump");
    product.setNoFractional(isTrue("PFractional"));
    product.setQuantityLock(isTrue("PQlock"));
    product.fixedQuantity = read("PQlockVal");
    product.noMinimums = isTrue("PQNoMin");
    product.setQuantityBox(isTrue("PQInBox"));
    product.optionsEnabled = isTrue("POptionEnable");
    product.optionStyle = styleFromStored(read("POptionStyle"));
    product.options.rebuild(read("POptionData"));
}

void ProductDefaults::save(SettingsStore& store, const Product& product) {
    const auto write = [&](std::string_view name, const std::string& value) {
        store.writeMerchant(name, value);
    };
    write("PPrc", product.price);
    write("PBut", product.caption);
    write("PWgt", product.weight);
    write("PDes", product.description);
    write("POpt", product.carriedText);
    write("POpt2", product.carriedText2);
    write("PQty", product.discounts.stored());
    write("PTax", flag(product.nonTaxable));
    write("PQcb", flag(product.quantityDiscount));
    write("PShip", flag(product.freeShipping));
    write("PNoJump", flag(product.noJump));
    write("PFractional", flag(product.noFractional));
    write("PQlock", flag(product.quantityLock));
    write("PQlockVal", product.fixedQuantity);
    write("PQNoMin", flag(product.noMinimums));
    write("PQInBox", flag(product.quantityBox));
    write("POptionEnable", flag(product.optionsEnabled));
    write("POptionStyle", std::to_string(static_cast<int>(product.optionStyle)));
    write("POptionData", product.options.data());
}

} // namespace vendaxo
