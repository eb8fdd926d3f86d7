#pragma once

#include "shell/merchant_profile.h"
#include "snippets/product.h"

#include <random>
#include <string>
#include <string_view>

namespace vendaxo::test {

// Random inputs for the snippet builders, as the dialogs and the command line
// can give them. Texts in element content (option items) hold no "&" or "<":
// the builders write content as typed, and a browser would read "&amp;" there
// as "&", so such a form cannot be read back to the same bytes.
class SnippetInputs {
public:
    explicit SnippetInputs(unsigned seed) : m_random(seed) {}

    bool chance(int percent);
    std::size_t below(std::size_t count);
    // Text for an attribute value: quotes, "&", "<", accents and line feeds.
    std::string attributeText(std::size_t maxLength, bool allowEmpty = true);
    std::string currency();
    MerchantProfile profile();
    std::string shopColours();
    Product product(std::string_view currency);

private:
    std::string from(std::string_view alphabet, std::size_t minLength, std::size_t maxLength);
    std::string itemText(std::string_view currency);

    std::mt19937 m_random;
};

// The same page written as a page editor or a person might: tag and attribute
// names in any case, attributes in another order with an id, class or style
// added, values in single, double or no quotes with character references, other
// white space and CR LF line ends. The text between tags stays as it is.
std::string reformatted(std::string_view html, unsigned seed);

// A page around snippets: a doctype, a search form, comments and a script
// that hold form markup, and the snippets wrapped in other elements.
std::string pageAround(std::string_view snippets);

} // namespace vendaxo::test
