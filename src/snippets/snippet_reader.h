#pragma once

#include "base/html_forms.h"
#include "settings/shipping_settings.h"
#include "snippets/checkout_choices.h"
#include "snippets/product.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vendaxo {

struct MerchantProfile;

enum class SnippetKind { Purchase, ViewCart, RetrieveOrders, Checkout };
// "purchase", "view-cart", "retrieve-orders", "checkout".
std::string_view snippetKindName(SnippetKind kind);

// A value read from a form: text, a flag, a list, or none (absent or unreadable).
using SnippetValue = std::variant<std::monostate, std::string, bool, std::vector<std::string>>;
struct NamedSnippetValue {
    std::string name;
    SnippetValue value;

    bool operator==(const NamedSnippetValue&) const = default;
};

// What a form says about the merchant: what its rebuild takes from the
// profile and the store rather than from the dialog.
struct SnippetMerchant {
    std::string merchant;
    std::string company;
    std::string action;
    std::string currency = "$";
    std::string shopColours;
    std::string mainPage;     // checkout only
    std::string confirmation; // checkout only

    // A profile that gives these fields again: the action as the cart server
    // and the order-retrieval address.
    MerchantProfile profile() const;
};

struct ReadCheckout {
    CheckoutChoices choices;
    // False for a form made in LinkPoint mode, which carries no payment rows:
    // its payment options are not known and left all ticked.
    bool cardsShown = true;
    ShippingMethod shipping = ShippingMethod::UserChoice;
};

// The page's bytes a form takes, from its "<form" to just after its "</form>".
struct ByteRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// One Vendaxo form of a page. The typed values are what the builders take;
// they hold what could be read and count only when `problems` is empty.
struct ReadSnippet {
    SnippetKind kind = SnippetKind::Purchase;
    std::size_t line = 1;
    std::optional<ByteRange> range; // none when the page ends before the form's end tag
    SnippetMerchant merchant;
    Product product;     // purchase
    std::string caption; // view-cart, retrieve-orders
    ReadCheckout checkout;
    // The values under the command line's option names: the kind's own, then
    // merchant, company, action, currency and shopcolors.
    std::vector<NamedSnippetValue> values;
    // What is wrong with a damaged form, one short text each; empty for a sound one.
    std::vector<std::string> problems;
};

// The titles read option lists are given, since the form does not carry them:
// "List 1" for the list named vdx_prodoptions0, and so on.
std::string readListTitle(std::size_t list);

// Every Vendaxo form of a page in page order: a form with one of the submit
// fields additem, openshopcart, getorders or checkout and a merchant field,
// however it is written. Throws Error for a page whose declared encoding
// cannot be read.
std::vector<ReadSnippet> readSnippets(std::string_view pageBytes);

// A Vendaxo form read with the form itself, its values decoded to UTF-8, for
// callers that compare what forms carry rather than what they mean.
struct ReadForm {
    ReadSnippet snippet;
    HtmlForm form;
    // The form's text from "<form" to just after "</form>", line ends as they
    // stand; empty when the page ends before its end tag.
    std::string source;
};
std::vector<ReadForm> readSnippetForms(std::string_view pageBytes);

} // namespace vendaxo
