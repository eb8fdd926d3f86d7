#include "base/text_encoding.h"
#include "snippets/button_snippets.h"
#include "snippets/checkout_data.h"
#include "snippets/purchase_snippet.h"
#include "snippets/snippet_pages.h"
#include "snippets/snippet_reader.h"
#include "test_support.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vendaxo::test {
namespace {

using ::testing::ElementsAre;

std::string nameList(const ReadSnippet& snippet) {
    std::string names;
    for (const NamedSnippetValue& value : snippet.values)
        names += (names.empty() ? "" : " ") + value.name;
    return names;
}

const SnippetValue& valueOf(const ReadSnippet& snippet, std::string_view name) {
    for (const NamedSnippetValue& value : snippet.values) {
        if (value.name == name)
            return value.value;
    }
    static const SnippetValue none;
    ADD_FAILURE() << "no value " << name;
    return none;
}

std::string textOf(const ReadSnippet& snippet, std::string_view name) {
    const auto* text = std::get_if<std::string>(&valueOf(snippet, name));
    return text ? *text : "(none)";
}

// A range starts at "<form" and ends just after the ">" of "</form", any case.
void expectFormRange(std::string_view page, const ReadSnippet& snippet) {
    ASSERT_TRUE(snippet.range.has_value());
    const std::string_view form =
        page.substr(snippet.range->begin, snippet.range->end - snippet.range->begin);
    EXPECT_TRUE(asciiLower(form.substr(0, 5)) == "<form") << form;
    EXPECT_TRUE(form.ends_with(">")) << form;
    EXPECT_NE(asciiLower(form).rfind("</form"), std::string::npos) << form;
}

MerchantProfile acme() {
    MerchantProfile profile;
    profile.merchantNumber = "111";
    profile.companyName = "Acme \"Tools\" & Co";
    profile.cartServerAddress = "https://cart.example/cgi";
    profile.orderRetrievalAddress = "https://cart.example/orders";
    profile.currencySymbol = "$";
    return profile;
}

// Snippets of every kind, several purchase buttons among them.
std::string everyKind() {
    SnippetInputs inputs(5);
    std::string snippets;
    for (int i = 0; i < 12; ++i) {
        const MerchantProfile profile = inputs.profile();
        snippets += buildPurchaseSnippet(inputs.product(profile.currencySymbol), profile,
                                         inputs.shopColours());
    }
    snippets += buildViewCartSnippet("View \"Cart\"", acme(), "1,2,3");
    snippets += buildRetrieveOrdersSnippet("Orders", acme());
    for (const CheckoutCase& c : kCheckoutCases)
        snippets += readFile(checkoutData(std::string(c.expected)));
    return snippets;
}

TEST(SnippetReaderTest, ReadsAReformattedPageAsTheOriginal) {
    const std::string page = pageAround(everyKind());
    const std::vector<ReadSnippet> original = readSnippets(page);
    ASSERT_EQ(original.size(), 20U);
    for (unsigned seed = 1; seed <= 15; ++seed) {
        const std::string changed = reformatted(page, seed);
        SCOPED_TRACE(changed);
        const std::vector<ReadSnippet> read = readSnippets(changed);
        ASSERT_EQ(read.size(), original.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].kind, original[i].kind);
            EXPECT_EQ(read[i].values, original[i].values);
            EXPECT_EQ(read[i].problems, std::vector<std::string>());
            expectFormRange(changed, read[i]);
        }
    }
}

TEST(SnippetReaderTest, ReadsAButtonAPageEditorRewrote) {
    const std::string page =
        "<TABLE><TR><TD><FORM class=shop ACTION='http://cart.example/cgi?a=1&amp;b=2'\r\n"
        "  Method=post><P><INPUT NAME=openshopcart value=\"View &#34;Cart&quot;\" TYPE=submit "
        "id=b1></P>\r\n<input value='111' type=hidden name=merchant>\r\n"
        "<input name=\"merchantname\" type=\"hidden\" value=\"Acme &quot;Tools&quot; &amp; Co\">"
        "<INPUT type=\"HIDDEN\" NAME=\"currency\" VALUE=\"&euro;\"></FORM ></TD></TR></TABLE>";
    const std::vector<ReadSnippet> read = readSnippets(page);
    ASSERT_EQ(read.size(), 1U);
    EXPECT_EQ(read[0].kind, SnippetKind::ViewCart);
    EXPECT_EQ(read[0].problems, std::vector<std::string>());
    EXPECT_EQ(nameList(read[0]), "caption merchant company action currency shopcolors");
    EXPECT_EQ(read[0].caption, "View \"Cart\"");
    EXPECT_EQ(read[0].merchant.company, "Acme \"Tools\" & Co");
    EXPECT_EQ(read[0].merchant.action, "http://cart.example/cgi?a=1&b=2");
    EXPECT_EQ(read[0].merchant.currency, "€");
    EXPECT_EQ(read[0].line, 1U);
    EXPECT_EQ(page.substr(read[0].range->begin, 5), "<FORM");
    EXPECT_TRUE(page.substr(0, read[0].range->end).ends_with("</FORM >"));
}

TEST(SnippetReaderTest, FindsOnlyTheFormsThatCarryAButtonAndTheMerchant) {
    const std::string button = buildViewCartSnippet("Cart", acme(), "");
    const std::string page =
        "<form action=x><input name=merchant value=1></form>\n"              // no button
        "<form action=x><input type=submit name=additem value=Add></form>\n" // no merchant
        "<!-- " +
        button + " -->\n<script>var old = '" + button +
        "';</script>\n"
        "<textarea>" +
        button + "</textarea>\n<svg>" + button + "</svg>\n" + button;
    const std::vector<ReadSnippet> read = readSnippets(page);
    ASSERT_EQ(read.size(), 1U);
    const std::string before = page.substr(0, page.rfind(button));
    EXPECT_EQ(read[0].line, 1 + std::count(before.begin(), before.end(), '\n'));
}

TEST(SnippetReaderTest, GivesEachFormItsPlaceInAPageOfAnyEncoding) {
    const std::string form = buildViewCartSnippet("Caddie für Käufer", acme(), "");
    const auto text = [&](std::string_view charset) {
        return "<html><head><meta charset=\"" + std::string(charset) + "\"></head><body>\r\n" +
               "<p>Grüße\r\n\r\n" + form + "<p>Tschüss\r" + form + "</body></html>";
    };
    const std::string utf8 = text("utf-8");
    // The byte order mark wins over the charset.
    std::string utf16le = "\xFF\xFE" + utf8ToUtf16leBytes(text("windows-1252"));
    std::string utf16be = utf16le;
    for (std::size_t i = 0; i < utf16be.size(); i += 2)
        std::swap(utf16be[i], utf16be[i + 1]);
    std::string cp1252;
    for (char32_t c : decodeUtf8(text("windows-1252")))
        cp1252 += *cp1252FromCodePoint(c);
    struct Page {
        const char* name;
        std::string bytes;
        std::size_t unit;
    };
    for (const Page& page : {Page{"UTF-8", utf8, 1}, Page{"UTF-8 BOM", "\xEF\xBB\xBF" + utf8, 1},
                             Page{"UTF-16LE", utf16le, 2}, Page{"UTF-16BE", utf16be, 2},
                             Page{"Windows-1252", cp1252, 1}}) {
        SCOPED_TRACE(page.name);
        const std::vector<ReadSnippet> read = readSnippets(page.bytes);
        ASSERT_EQ(read.size(), 2U);
        EXPECT_EQ(read[0].line, 4U);
        EXPECT_EQ(read[1].line, 10U); // a lone CR ends a line too
        for (const ReadSnippet& snippet : read) {
            EXPECT_EQ(snippet.caption, "Caddie für Käufer");
            ASSERT_TRUE(snippet.range);
            // The range is the form's bytes in the page's own encoding.
            const std::string bytes =
                page.bytes.substr(snippet.range->begin, snippet.range->end - snippet.range->begin);
            const std::string expected = form.substr(0, form.size() - 1); // without its line feed
            if (page.unit == 1)
                EXPECT_EQ(page.name == std::string("Windows-1252") ? cp1252ToUtf8(bytes) : bytes,
                          expected);
            else
                EXPECT_EQ(bytes.size(), utf8ToUtf16leBytes(expected).size());
        }
    }
}

TEST(SnippetReaderTest, TakesOptionItemsFromWhatTheShopperSees) {
    Product product;
    product.sku = "T1";
    product.price = "10";
    product.description = "Tee";
    product.optionsEnabled = true;
    product.options.rebuild("Size;Small;Small (add $0);Large (add $2.50);\n\nColour;Red;\n");
    Product typedReference = product;
    for (OptionStyle style : {OptionStyle::DropDown, OptionStyle::Radio}) {
        product.optionStyle = style;
        const std::vector<ReadSnippet> read =
            readSnippets(buildPurchaseSnippet(product, acme(), ""));
        ASSERT_EQ(read.size(), 1U);
        EXPECT_EQ(read[0].problems, std::vector<std::string>());
        // The titles are not in the form; the empty line keeps the next list's number.
        EXPECT_EQ(textOf(read[0], "option-data"),
                  "List 1;Small;Small (add $0);Large (add $2.50);\n\nList 3;Red;\n");
        // The shopper sees "R&D" where the value says "R&amp;D": told, not guessed.
        typedReference.optionStyle = style;
        typedReference.options.setCell(2, 1, "R&amp;D");
        const std::vector<ReadSnippet> typed =
            readSnippets(buildPurchaseSnippet(typedReference, acme(), ""));
        ASSERT_EQ(typed.size(), 1U);
        EXPECT_EQ(typed[0].problems,
                  std::vector<std::string>{"List 3: the text \"R&D\" does not match the value "
                                           "\"+0;R&amp;D;1\""});
        EXPECT_EQ(valueOf(typed[0], "option-data"), SnippetValue());
        EXPECT_EQ(textOf(read[0], "option-style"),
                  style == OptionStyle::Radio ? "radio" : "drop-down");
    }
}

TEST(SnippetReaderTest, ReadsAllPurchaseValuesUnderTheCommandLinesNames) {
    Product product;
    product.sku = "ATL-7";
    product.price = "$39.50";
    product.description = "Atlas";
    product.weight = "1.25";
    product.freeShipping = product.nonTaxable = product.noJump = product.noMinimums = true;
    product.setQuantityLock(true);
    product.fixedQuantity = "4";
    product.discounts.add("10", "35");
    product.discounts.add("25", "30.5");
    const std::vector<ReadSnippet> read = readSnippets(buildPurchaseSnippet(product, acme(), ""));
    ASSERT_EQ(read.size(), 1U);
    const ReadSnippet& snippet = read[0];
    EXPECT_EQ(nameList(snippet),
              "sku price description weight caption quantity-box free-shipping non-taxable "
              "no-jump no-fractional no-minimums quantity-lock discounts option-style "
              "option-data merchant company action currency shopcolors");
    EXPECT_EQ(textOf(snippet, "price"), "39.5");
    EXPECT_EQ(valueOf(snippet, "non-taxable"), SnippetValue(true));
    EXPECT_EQ(valueOf(snippet, "no-fractional"), SnippetValue(false));
    EXPECT_EQ(textOf(snippet, "quantity-lock"), "4");
    EXPECT_EQ(valueOf(snippet, "discounts"),
              SnippetValue(std::vector<std::string>{"10=35", "25=30.5"}));
    EXPECT_EQ(valueOf(snippet, "option-style"), SnippetValue());
    EXPECT_EQ(textOf(snippet, "action"), "http://cart.example/cgi");
}

TEST(SnippetReaderTest, ReadsTheCheckoutChoicesAFormCanShow) {
    const std::vector<ReadSnippet> read = readSnippets(readFile(checkoutData("ups.html")));
    ASSERT_EQ(read.size(), 1U);
    EXPECT_EQ(nameList(read[0]), "cards require button shipping merchant company action currency "
                                 "shopcolors");
    EXPECT_EQ(textOf(read[0], "cards"), kCheckoutCards);
    EXPECT_EQ(textOf(read[0], "require"), kCheckoutRequired);
    EXPECT_EQ(textOf(read[0], "shipping"), "UPS Calculations");
    EXPECT_EQ(textOf(read[0], "button"), "Proceed With Checkout");
}

// Recognised, but missing what its kind always carries or holding what
// cannot be read: reported, never guessed.
TEST(SnippetReaderTest, ReportsWhatIsWrongWithADamagedForm) {
    const auto problemsOf = [](const std::string& html) {
        const std::vector<ReadSnippet> read = readSnippets(html);
        return read.size() == 1 ? read[0].problems : std::vector<std::string>{"not one form"};
    };
    const std::string head = "<form action=x><input type=submit name=additem value=Add>"
                             "<input type=hidden name=merchant value=1>"
                             "<input type=hidden name=merchantname value=A>";
    const std::string sound = "<input type=hidden name=sku value=S>"
                              "<input type=hidden name=price value=$1>"
                              "<input type=hidden name=description value=D>"
                              "<input type=hidden name=weight value=0>"
                              "<input type=hidden name=taxable value=yes>";
    EXPECT_THAT(problemsOf(head + sound + "</form>"), ElementsAre());
    EXPECT_THAT(problemsOf(head + "</form>"),
                ElementsAre("no sku field", "no price field", "no description field",
                            "no weight field", "no taxable field"));
    EXPECT_THAT(problemsOf(head + sound + "<input name=price value=2>"), ElementsAre("no </form>"));
    EXPECT_THAT(problemsOf("<form><input name=price value=2><input name=price value=$x>" +
                           head.substr(15) + sound + "</form>"),
                ElementsAre("the price has no \"$\"", "the form has no action"));
    EXPECT_THAT(problemsOf(head + "<input name=price value='$1,50'>" + sound + "</form>"),
                ElementsAre("the price is not a number"));
    EXPECT_THAT(
        problemsOf(head + sound +
                   "<input name=quantity value='10-9;20'>"
                   "<input name=ship_free value=no></form>"),
        ElementsAre("ship_free is not \"yes\"", "the quantity field is not QTY-PRICE; pairs"));
    EXPECT_THAT(problemsOf(head + sound +
                           "<select name=vdx_prodoptions0>"
                           "<option value='+0;Small'>Small<option value='+1;Big;2'>Big</select>"
                           "<input type=radio name=vdx_prodoptions1 value='+0;Red;1'>Blue</form>"),
                ElementsAre("List 1: the value \"+0;Small\" cannot be read",
                            "List 1: the text \"Big\" does not match the value \"+1;Big;2\"",
                            "List 2: the text \"Blue\" does not match the value \"+0;Red;1\"",
                            "the option lists are both drop-down lists and radio buttons"));
    const std::vector<ReadSnippet> damaged = readSnippets(head + "</form>");
    ASSERT_EQ(damaged.size(), 1U);
    EXPECT_EQ(valueOf(damaged[0], "sku"), SnippetValue());
    EXPECT_EQ(valueOf(damaged[0], "non-taxable"), SnippetValue());

    std::string checkout = readFile(checkoutData("user_choice.html"));
    const auto replace = [&](std::string_view from, std::string_view to) {
        const std::size_t at = checkout.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        checkout.replace(at, from.size(), to);
    };
    replace("name=\"billzip*\"", "name=\"billzip\"");
    replace("value=\"Discover\"", "value=\"Discover Card\"");
    replace("name=\"mainurl\"", "name=\"home\"");
    EXPECT_THAT(problemsOf(checkout),
                ElementsAre("the card type \"Discover Card\" is not one of this program's",
                            "the fields with billadd1 are not all required alike",
                            "no mainurl field"));
}

} // namespace
} // namespace vendaxo::test
