#include "snippets/html.h"

#include "shell/merchant_profile.h"

#include <algorithm>
#include <cctype>

namespace vendaxo {

void appendQuoted(std::string& out, std::string_view text) {
    // Most texts hold neither character: two scans and one copy.
    std::size_t quote = text.find('"');
    std::size_t ampersand = text.find('&');
    std::size_t plain = 0; // start of the run not yet copied
    while (quote != std::string_view::npos || ampersand != std::string_view::npos) {
        const std::size_t at = std::min(quote, ampersand);
        out.append(text, plain, at - plain);
        if (at == quote) {
            out += "&quot;";
            quote = text.find('"', at + 1);
        } else {
            out += "&amp;";
            ampersand = text.find('&', at + 1);
        }
        plain = at + 1;
    }
    out.append(text, plain);
}

std::string quoteAttribute(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendQuoted(out, text);
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
    std::string out = "<form method=\"POST\" action=\"";
    appendQuoted(out, action);
    out += "\">\n";
    return out;
}

std::string formClosing() {
    return "</form>\n";
}

void appendHiddenField(std::string& out, std::string_view name, std::string_view value) {
    out += "<input type=\"hidden\" value=\"";
    appendQuoted(out, value);
    out.append("\" name=\"").append(name).append("\">\n");
}

std::string hiddenField(std::string_view name, std::string_view value) {
    std::string out;
    out.reserve(value.size() + name.size() + 40);
    appendHiddenField(out, name, value);
    return out;
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

void appendNamedHiddenField(std::string& out, std::string_view name, std::string_view value) {
    out.append("<input type=\"hidden\" name=\"").append(name).append("\" value=\"");
    appendQuoted(out, value);
    out += "\">\n";
}

std::string namedHiddenField(std::string_view name, std::string_view value) {
    std::string out;
    out.reserve(name.size() + value.size() + 40);
    appendNamedHiddenField(out, name, value);
    return out;
}

std::string shopColoursField(std::string_view storedColours) {
    return storedColours.empty() ? std::string()
                                 : namedHiddenField("vdx_shopcolors", storedColours);
}

} // namespace vendaxo
