#include "snippets/html.h"

#include "shell/merchant_profile.h"

#include <algorithm>
#include <cctype>

namespace vendaxo {

std::string quoteAttribute(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '"')
            out += "&quot;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

std::string plainCartAction(std::string_view address) {
    constexpr std::string_view secure = "https:";
    const auto match = std::search(
        address.begin(), address.end(), secure.begin(), secure.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    if (match == address.end())
        return std::string(address);
    const auto at = static_cast<std::size_t>(match - address.begin());
    return std::string(address.substr(0, at)) +
           "http:" + std::string(address.substr(at + secure.size()));
}

std::string formOpening(std::string_view action) {
    return "<form method=\"POST\" action=\"" + quoteAttribute(action) + "\">\n";
}

std::string formClosing() {
    return "</form>\n";
}

std::string hiddenField(std::string_view name, std::string_view value) {
    return "<input type=\"hidden\" value=\"" + quoteAttribute(value) + "\" name=\"" +
           std::string(name) + "\">\n";
}

std::string merchantNumberField(const MerchantProfile& profile) {
    return hiddenField("merchant", profile.merchantNumber);
}

std::string companyNameField(const MerchantProfile& profile) {
    return hiddenField("merchantname", profile.companyName);
}

std::string currencyField(const MerchantProfile& profile) {
    return profile.currencySymbol == kMoneySign ? std::string()
                                                : hiddenField("currency", profile.currencySymbol);
}

std::string namedHiddenField(std::string_view name, std::string_view value) {
    return "<input type=\"hidden\" name=\"" + std::string(name) + "\" value=\"" +
           quoteAttribute(value) + "\">\n";
}

std::string shopColoursField(std::string_view storedColours) {
    return storedColours.empty() ? std::string()
                                 : namedHiddenField("vdx_shopcolors", storedColours);
}

} // namespace vendaxo
