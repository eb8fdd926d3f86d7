#include "snippets/purchase_values.h"

#include "base/error.h"

namespace vendaxo {

namespace {

void take(const std::optional<std::string>& value, std::string& field) {
    if (value)
        field = *value;
}

void take(const std::optional<bool>& value, bool& field) {
    if (value)
        field = *value;
}

void takeRule(const std::optional<bool>& value, Product& product, void (Product::*rule)(bool)) {
    if (value)
        (product.*rule)(*value);
}

std::string_view refusalReason(DiscountRefusal refusal) {
    return refusal == DiscountRefusal::QuantityExists ? kQuantityExistsMessage
                                                      : "the quantity must be a whole number.";
}

} // namespace

Product PurchaseValues::toProduct(Product product) const {
    take(sku, product.sku);
    take(price, product.price);
    take(description, product.description);
    take(weight, product.weight);
    take(caption, product.caption);
    take(freeShipping, product.freeShipping);
    take(nonTaxable, product.nonTaxable);
    take(noJump, product.noJump);
    take(noMinimums, product.noMinimums);
    takeRule(noFractional, product, &Product::setNoFractional);
    takeRule(quantityBox, product, &Product::setQuantityBox);
    if (quantityLock) {
        product.setQuantityLock(true);
        product.fixedQuantity = *quantityLock;
    }
    if (optionData) {
        std::string data = *optionData;
        if (!data.empty() && data.back() != '\n')
            data += '\n';
        product.options.rebuild(data);
        product.optionsEnabled = true;
        product.optionStyle = OptionStyle::DropDown;
    }
    if (optionStyle)
        product.optionStyle =
            *optionStyle == kRadioOptionStyle ? OptionStyle::Radio : OptionStyle::DropDown;
    for (const std::string& discount : discounts) {
        const auto equals = discount.find('=');
        const std::string_view text = discount;
        const DiscountRefusal refusal = product.discounts.addTyped(
            text.substr(0, equals),
            equals == std::string::npos ? std::string_view() : text.substr(equals + 1));
        if (refusal != DiscountRefusal::None)
            throw RefusedValue("discount", discount, std::string(refusalReason(refusal)));
    }
    return product;
}

} // namespace vendaxo
