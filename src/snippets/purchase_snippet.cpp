#include "snippets/purchase_snippet.h"

#include "shell/merchant_profile.h"
#include "snippets/html.h"
#include "snippets/numbers.h"
#include "snippets/product.h"

namespace vendaxo {

std::string buildPurchaseSnippet(const Product& product, const MerchantProfile& profile,
                                 std::string_view storedColours) {
    std::string html = formOpening(plainCartAction(profile.cartServerAddress));
    if (product.quantityBox)
        html += "<input type=\"text\" name=\"vdx_quantity_input\" size=\"4\" value=\"1\">\n";
    html += "<input type=\"submit\" value=\"" + quoteAttribute(product.caption) +
            "\" name=\"additem\">\n";
    if (product.optionsEnabled)
        html += optionBlock(product.options, product.optionStyle, profile.currencySymbol);
    html += hiddenField("sku", product.sku);
    html += hiddenField("price", "$" + priceText(product.price));
    html += hiddenField("description", product.description);
    html += hiddenField("weight", product.weight);
    if (product.freeShipping)
        html += hiddenField("ship_free", "yes");
    if (const std::string quantities = product.discounts.snippetText(); !quantities.empty())
        html += hiddenField("quantity", quantities);
    if (product.quantityLock && !product.fixedQuantity.empty())
        html += namedHiddenField("quantity_lock", product.fixedQuantity);
    if (product.noFractional)
        html += namedHiddenField("vdx_disallowfractionalquantity", "yes");
    if (product.noMinimums)
        html += namedHiddenField("vdx_minimumquantity", "no");
    if (product.noJump)
        html += namedHiddenField("vdx_no_shopping_cart", "yes");
    html += hiddenField("taxable", product.taxable());
    html += companyNameField(profile) + merchantNumberField(profile) + currencyField(profile) +
            shopColoursField(storedColours) + formClosing();
    return html;
}

} // namespace vendaxo
