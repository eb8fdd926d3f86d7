#pragma once

#include <string>
#include <string_view>

namespace vendaxo {

struct MerchantProfile;

// Text for inside a double-quoted attribute value: the browser posts back exactly
// what was typed, and a quotation mark can no longer end the attribute early.
std::string quoteAttribute(std::string_view text);
// The same, appended to `out`: builders write into one string instead of
// joining temporaries.
void appendQuoted(std::string& out, std::string_view text);

// The purchase and view-cart forms post to the cart server with its first
// "https:" (any case) turned into "http:".
std::string plainCartAction(std::string_view cartServerAddress);

// Pieces that several snippets share, each ending in a line feed.
std::string formOpening(std::string_view action);
std::string formClosing();
std::string merchantNumberField(const MerchantProfile& profile);
std::string companyNameField(const MerchantProfile& profile);
// Empty when the currency symbol is exactly "$".
std::string currencyField(const MerchantProfile& profile);
// Empty when no colours are stored.
std::string shopColoursField(std::string_view storedColours);
// <input type="hidden" value="VALUE" name="NAME">
std::string hiddenField(std::string_view name, std::string_view value);
// <input type="hidden" name="NAME" value="VALUE">: the cart server takes some
// fields in this order.
std::string namedHiddenField(std::string_view name, std::string_view value);
// Both, appended to `out`.
void appendHiddenField(std::string& out, std::string_view name, std::string_view value);
void appendNamedHiddenField(std::string& out, std::string_view name, std::string_view value);

} // namespace vendaxo
