// Reading the purchase, view-cart and retrieve-orders buttons back.
#include "snippets/snippet_fields.h"

namespace vendaxo {

namespace {

// A field written only for a ticked box, always with the same value.
std::optional<bool> flag(FormFields& fields, std::string_view name, std::string_view on) {
    if (!fields.field(name))
        return false;
    const std::optional<std::string> value = fields.optional(name);
    if (!value)
        return std::nullopt;
    if (*value != on) {
        fields.problem(std::string(name) + " is not \"" + std::string(on) + "\"");
        return std::nullopt;
    }
    return true;
}

// "10-9.5;20-9;" as {"10=9.5", "20=9"}: each entry a whole quantity, "-", a
// price and ";". None when the text is not made of such entries.
std::optional<std::vector<std::string>> discountsOf(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    std::vector<std::string> discounts;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find(';', start);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view entry = text.substr(start, end - start);
        std::size_t at = entry.starts_with('-') ? 1 : 0;
        const std::size_t digits = at;
        while (at < entry.size() && entry[at] >= '0' && entry[at] <= '9')
            ++at;
        if (at == digits || at >= entry.size() || entry[at] != '-' ||
            !isNumberText(entry.substr(at + 1)))
            return std::nullopt;
        discounts.push_back(std::string(entry.substr(0, at)) + "=" +
                            std::string(entry.substr(at + 1)));
        start = end + 1;
    }
    return discounts;
}

// The price without its "$"; none when it has no "$" or is no number.
std::optional<std::string> priceOf(FormFields& fields) {
    const std::optional<std::string> price = fields.required("price");
    if (!price)
        return std::nullopt;
    if (!price->starts_with('$')) {
        fields.problem("the price has no \"$\"");
        return std::nullopt;
    }
    if (!isNumberText(std::string_view(*price).substr(1))) {
        fields.problem("the price is not a number");
        return std::nullopt;
    }
    return price->substr(1);
}

std::optional<bool> nonTaxableOf(FormFields& fields) {
    const std::optional<std::string> taxable = fields.required("taxable");
    if (!taxable)
        return std::nullopt;
    if (*taxable != "yes" && *taxable != "no") {
        fields.problem("taxable is neither \"yes\" nor \"no\"");
        return std::nullopt;
    }
    return *taxable == "no";
}

std::string_view styleName(OptionStyle style) {
    return style == OptionStyle::Radio ? "radio" : "drop-down";
}

} // namespace

void readButton(FormFields& fields, std::string_view buttonField) {
    const std::optional<std::string> caption = fields.required(buttonField);
    fields.snippet().caption = caption.value_or("");
    fields.set("caption", caption);
    if (fields.snippet().kind == SnippetKind::RetrieveOrders) {
        const std::optional<std::string> action = fields.required("vdxaction");
        if (action && *action != "getorders")
            fields.problem("vdxaction is not \"getorders\"");
    }
}

void readPurchase(FormFields& fields) {
    const std::optional<std::string> sku = fields.required("sku");
    const std::optional<std::string> price = priceOf(fields);
    const std::optional<std::string> description = fields.required("description");
    const std::optional<std::string> weight = fields.required("weight");
    const std::optional<std::string> caption = fields.required("additem");
    const bool quantityBox = fields.field("vdx_quantity_input") != nullptr;
    const std::optional<bool> freeShipping = flag(fields, "ship_free", "yes");
    const std::optional<bool> nonTaxable = nonTaxableOf(fields);
    const std::optional<bool> noJump = flag(fields, "vdx_no_shopping_cart", "yes");
    const std::optional<bool> noFractional = flag(fields, "vdx_disallowfractionalquantity", "yes");
    const std::optional<bool> noMinimums = flag(fields, "vdx_minimumquantity", "no");
    const std::optional<std::string> quantityLock = fields.optional("quantity_lock");
    std::optional<std::vector<std::string>> discounts = std::vector<std::string>();
    if (const std::optional<std::string> quantities = fields.optional("quantity")) {
        discounts = discountsOf(*quantities);
        if (!discounts)
            fields.problem("the quantity field is not QTY-PRICE; pairs");
    } else if (fields.field("quantity")) {
        discounts.reset();
    }
    const ReadOptionLists lists = readOptionLists(fields);

    fields.set("sku", sku);
    fields.set("price", price);
    fields.set("description", description);
    fields.set("weight", weight);
    fields.set("caption", caption);
    fields.set("quantity-box", quantityBox);
    fields.set("free-shipping", freeShipping);
    fields.set("non-taxable", nonTaxable);
    fields.set("no-jump", noJump);
    fields.set("no-fractional", noFractional);
    fields.set("no-minimums", noMinimums);
    fields.set("quantity-lock", quantityLock);
    fields.set("discounts", discounts);
    fields.set("option-style", lists.style == OptionStyle::None
                                   ? std::nullopt
                                   : std::optional(std::string(styleName(lists.style))));
    fields.set("option-data", lists.data);

    Product& product = fields.snippet().product;
    product.sku = sku.value_or("");
    product.price = price.value_or("");
    product.description = description.value_or("");
    product.weight = weight.value_or("");
    product.caption = caption.value_or("");
    product.quantityBox = quantityBox;
    product.freeShipping = freeShipping.value_or(false);
    product.nonTaxable = nonTaxable.value_or(false);
    product.noJump = noJump.value_or(false);
    product.noFractional = noFractional.value_or(false);
    product.noMinimums = noMinimums.value_or(false);
    product.quantityLock = quantityLock.has_value();
    product.fixedQuantity = quantityLock.value_or("0");
    for (const std::string& discount : discounts.value_or(std::vector<std::string>())) {
        const std::size_t equals = discount.find('=');
        product.discounts.add(discount.substr(0, equals), discount.substr(equals + 1));
    }
    product.quantityDiscount = !product.discounts.empty();
    product.optionsEnabled = lists.style != OptionStyle::None && lists.data;
    product.optionStyle = lists.style == OptionStyle::None ? OptionStyle::DropDown : lists.style;
    if (lists.data)
        product.options.rebuild(*lists.data);
}

} // namespace vendaxo
