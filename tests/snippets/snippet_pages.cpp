#include "snippets/snippet_pages.h"

#include "base/html_tokenizer.h"
#include "base/numbers.h"

#include <algorithm>

namespace vendaxo::test {

namespace {

// Each entry one character, some of them several bytes long.
constexpr std::string_view kAttributeAlphabet[] = {"a", "b",  "Z",     "7",     " ", " ", "\"", "'",
                                                   "&", "<",  ">",     ";",     "=", "$", "/",  "é",
                                                   "–", "\n", "&amp;", "&#34;", "(", ")", "%"};
constexpr std::string_view kLabelAlphabet[] = {"a", "b", "K", "3", " ", "é", "-",
                                               "/", "!", "%", "'", ">", "$", "  "};

} // namespace

bool SnippetInputs::chance(int percent) {
    return static_cast<int>(below(100)) < percent;
}

std::size_t SnippetInputs::below(std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
}

std::string SnippetInputs::attributeText(std::size_t maxLength, bool allowEmpty) {
    std::string text;
    const std::size_t length = below(maxLength + 1);
    for (std::size_t i = 0; i < length || (!allowEmpty && text.empty()); ++i)
        text += kAttributeAlphabet[below(std::size(kAttributeAlphabet))];
    return text;
}

std::string SnippetInputs::currency() {
    constexpr std::string_view currencies[] = {"$", "$", "€", "EUR", "£"};
    return std::string(currencies[below(std::size(currencies))]);
}

MerchantProfile SnippetInputs::profile() {
    MerchantProfile profile;
    profile.merchantNumber = std::to_string(100000 + below(900000));
    profile.companyName = attributeText(20, false);
    profile.cartServerAddress = "http://cart.example/cgi?shop=" + attributeText(8);
    profile.orderRetrievalAddress = "HTTPS://cart.example/orders?x=" + attributeText(8);
    profile.currencySymbol = currency();
    profile.moneySign = "$";
    return profile;
}

std::string SnippetInputs::shopColours() {
    if (chance(50))
        return {};
    std::string colours = std::to_string(below(16777216));
    for (int i = 0; i < 27; ++i)
        colours += "," + (chance(30) ? std::string("-1") : std::to_string(below(16777216)));
    return colours;
}

std::string SnippetInputs::itemText(std::string_view currency) {
    std::string label;
    const std::size_t length = 1 + below(12);
    for (std::size_t i = 0; i < length; ++i)
        label += kLabelAlphabet[below(std::size(kLabelAlphabet))];
    OptionItem item;
    item.label = label;
    item.kind = static_cast<PriceAdjustment>(below(3));
    item.amount = std::to_string(below(100)) + (chance(50) ? "." + std::to_string(below(100)) : "");
    return item.text(currency);
}

Product SnippetInputs::product(std::string_view currency) {
    Product product;
    product.sku = attributeText(16, false);
    product.price = chance(80) ? std::to_string(below(10000)) + "." + std::to_string(below(100))
                               : attributeText(6);
    product.description = attributeText(40, false);
    product.weight = chance(50) ? std::to_string(below(50)) : attributeText(5);
    product.caption = chance(30) ? std::string(kDefaultPurchaseCaption) : attributeText(20);
    product.freeShipping = chance(50);
    product.nonTaxable = chance(50);
    product.noJump = chance(50);
    product.noMinimums = chance(50);
    product.setNoFractional(chance(40));
    product.setQuantityBox(chance(40));
    if (chance(30)) {
        product.setQuantityLock(true);
        product.fixedQuantity = chance(20) ? std::string() : std::to_string(below(100));
    }
    for (std::size_t i = below(4); i > 0; --i) {
        const std::string quantity = std::to_string(1 + below(200));
        if (!product.discounts.hasQuantity(quantity))
            product.discounts.add(quantity, priceText(std::to_string(below(5000)) + "." +
                                                      std::to_string(below(100))));
    }
    product.optionsEnabled = chance(70);
    product.optionStyle = static_cast<OptionStyle>(static_cast<int>(below(3)) - 1);
    // A radio list without items is an empty paragraph with no field in it:
    // nothing a browser posts, nothing to read back.
    const std::size_t fewest = product.optionStyle == OptionStyle::Radio ? 1 : 0;
    for (std::size_t list = below(4); list > 0; --list) {
        product.options.addList("List title " + std::to_string(list));
        for (std::size_t items = fewest + below(5 - fewest); items > 0; --items)
            product.options.addItem(product.options.columnCount() - 1, itemText(currency));
    }
    return product;
}

namespace {

// A value written back in one of the ways a browser reads as the same text.
std::string quotedValue(std::string_view value, std::mt19937& random) {
    const auto pick = [&](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    const bool bare = !value.empty() && value.find_first_of(" \t\n\"'=<>`") == std::string::npos;
    const int style = pick(bare ? 3 : 2); // double, single, none
    const char quote = style == 0 ? '"' : style == 1 ? '\'' : '\0';
    std::string out(quote ? 1 : 0, quote);
    for (char c : value) {
        if (c == '&')
            out += pick(2) ? "&amp;" : "&#38;";
        else if (c == '"' && quote == '"')
            out += pick(2) ? "&quot;" : "&#x22;";
        else if (c == '\'' && quote == '\'')
            out += "&#39;";
        else if (c == '\n')
            out += pick(2) ? "\r\n" : "&#10;";
        else if (c >= 'a' && c <= 'z' && pick(8) == 0)
            out += "&#" + std::to_string(static_cast<int>(c)) + ";";
        else
            out += c;
    }
    return out + std::string(quote ? 1 : 0, quote);
}

std::string anyCase(std::string_view name, std::mt19937& random) {
    std::string out(name);
    const int style = std::uniform_int_distribution<int>(0, 2)(random);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (style == 1 || (style == 2 && i == 0))
            out[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[i])));
    }
    return out;
}

std::string space(std::mt19937& random) {
    constexpr std::string_view spaces[] = {" ", " ", "  ", "\r\n", "\r\n    ", "\t"};
    return std::string(spaces[std::uniform_int_distribution<std::size_t>(0, 5)(random)]);
}

std::string withCrLf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

} // namespace

std::string reformatted(std::string_view html, unsigned seed) {
    std::mt19937 random(seed);
    const auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    HtmlTokenizer tokenizer(html);
    std::string out;
    while (tokenizer.next()) {
        const std::string_view source =
            html.substr(tokenizer.begin(), tokenizer.end() - tokenizer.begin());
        if (tokenizer.kind() != HtmlTokenKind::StartTag &&
            tokenizer.kind() != HtmlTokenKind::EndTag) {
            out += withCrLf(source);
            continue;
        }
        out += tokenizer.kind() == HtmlTokenKind::StartTag ? "<" : "</";
        out += anyCase(tokenizer.tagName(), random);
        if (tokenizer.kind() == HtmlTokenKind::StartTag) {
            std::vector<HtmlAttribute> attributes(tokenizer.attributes().begin(),
                                                  tokenizer.attributes().end());
            if (chance(30))
                attributes.push_back({"class", "shop item"});
            if (chance(20))
                attributes.push_back({"id", "x" + std::to_string(out.size())});
            if (chance(20))
                attributes.push_back({"style", "margin: 0; font-family: \"Arial\""});
            std::shuffle(attributes.begin(), attributes.end(), random);
            for (const HtmlAttribute& attribute : attributes)
                out += space(random) + anyCase(attribute.name, random) +
                       (chance(20) ? " = " : "=") + quotedValue(attribute.value, random);
        }
        if (chance(30))
            out += space(random);
        out += '>';
    }
    return out;
}

std::string pageAround(std::string_view snippets) {
    return "<!DOCTYPE html>\n<html><head><title>Shop &amp; <form> test</title>\n"
           "<script>var cart = '<form action=\"x\"><input name=\"merchant\">"
           "<input type=\"submit\" name=\"additem\"></form>';</script>\n"
           "<style>form { margin: 0 } /* <form><input name=merchant> */</style></head>\n"
           "<body>\n<!-- old button: <form><input name=\"merchant\" value=\"1\">"
           "<input name=\"checkout\"></form> -->\n"
           "<form action=\"/search\"><input name=\"q\"><input type=\"submit\" value=\"Go\">"
           "</form>\n<div class=\"product\"><table><tr><td>\n" +
           std::string(snippets) + "</td></tr></table></div>\n</body></html>\n";
}

} // namespace vendaxo::test
