#include "snippets/button_snippets.h"

#include "shell/merchant_profile.h"
#include "snippets/html.h"

namespace vendaxo {

namespace {

std::string submitButton(std::string_view caption, std::string_view name) {
    return "<p><input type=\"submit\" value=\"" + quoteAttribute(caption) + "\" name=\"" +
           std::string(name) + "\"></p>\n";
}

} // namespace

std::string buildViewCartSnippet(std::string_view caption, const MerchantProfile& profile,
                                 std::string_view storedColours) {
    return formOpening(plainCartAction(profile.cartServerAddress)) +
           submitButton(caption, "openshopcart") + merchantNumberField(profile) +
           companyNameField(profile) + currencyField(profile) + shopColoursField(storedColours) +
           formClosing();
}

std::string buildRetrieveOrdersSnippet(std::string_view caption, const MerchantProfile& profile) {
    return formOpening(profile.orderRetrievalAddress) + submitButton(caption, "getorders") +
           merchantNumberField(profile) + companyNameField(profile) +
           hiddenField("vdxaction", "getorders") + currencyField(profile) + formClosing();
}

} // namespace vendaxo
