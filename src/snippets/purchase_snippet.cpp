#include "snippets/purchase_snippet.h"

#include "base/numbers.h"
#include "shell/merchant_profile.h"
#include "snippets/html.h"
#include "snippets/product.h"

namespace vendaxo {

std::string buildPurchaseSnippet(const Product& product, const MerchantProfile& profile,
                                 std::string_view storedColours) {
    std::string html;
    // Everything is written into one string, sized for the usual button.
    html.reserve(2048 + storedColours.size());
    html += formOpening(plainCartAction(profile.cartServerAddress));
    if (product.quantityBox)
        html += "<input type=\"text\" name=\"vdx_quantity_input\" size=\"4\" value=\"1\">\n";
    html += "<input type=\"submit\" value=\"";
    appendQuoted(html, product.caption);
    html += "\" name=\"additem\">\n";
    if (product.optionsEnabled)
        appendOptionBlock(html, product.options, product.optionStyle, profile.currencySymbol);
    appendHiddenField(html, "sku", product.sku);
    appendHiddenField(html, "price", "$" + priceText(product.price));
    appendHiddenField(html, "description", product.description);
    appendHiddenField(html, "weight", product.weight);
    if (product.freeShipping)
        appendHiddenField(html, "ship_free", "yes");
    if (const std::string quantities = product.discounts.snippetText(); !quantities.empty())
        appendHiddenField(html, "quantity", quantities);
    if (product.quantityLock && !product.fixedQuantity.empty())
        appendNamedHiddenField(html, "quantity_lock", product.fixedQuantity);
    if (product.noFractional)
        appendNamedHiddenField(html, "vdx_disallowfractionalquantity", "yes");
    if (product.noMinimums)
        appendNamedHiddenField(html, "vdx_minimumquantity", "no");
    if (product.noJump)
        appendNamedHiddenField(html, "vdx_no_shopping_cart", "yes");
    appendHiddenField(html, "taxable", product.taxable());
    html += companyNameField(profile);
    html += merchantNumberField(profile);
    html += currencyField(profile);
    html += shopColoursField(storedColours);
    html += formClosing();
    return html;
}

} // namespace vendaxo
