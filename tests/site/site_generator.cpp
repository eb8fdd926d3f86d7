#include "site/site_generator.h"

#include "snippets/button_snippets.h"
#include "snippets/checkout_choices.h"
#include "snippets/product.h"
#include "snippets/purchase_snippet.h"
#include "test_support.h"

#include <array>
#include <random>
#include <string>

namespace vendaxo::test {

namespace {

constexpr std::array<std::string_view, 12> kWords = {"kite", "ripstop", "nylon", "breeze",
                                                     "spar", "bridle",  "tail",  "line",
                                                     "reel", "beach",   "gusts", "harbour"};

// Pieces of page text, each a few hundred bytes, as page editors write them.
constexpr std::array<std::string_view, 6> kBlocks = {
    "<p class=\"body\">Our <b>delta kites</b> fly in light winds &amp; hold steady in gusts. "
    "See the <a href=\"care.html\">care guide</a> before the first flight.</p>\n",
    "<table border=\"0\" cellpadding=\"4\" width=\"100%\"><tr><td valign=\"top\"><img "
    "src=\"images/delta.jpg\" width=\"120\" height=\"90\" alt=\"Delta kite\"></td><td>Span 150 "
    "cm&nbsp;&middot; weight 250 g</td></tr></table>\n",
    "<ul>\n<li><a href=\"deltas.html\">Deltas</a></li>\n<li><a "
    "href=\"boxes.html\">Box kites</a></li>\n<li><a href=\"reels.html\">Reels &amp; "
    "line</a></li>\n</ul>\n",
    "<h2 style=\"color: #336699\">Flying season</h2>\n<p>From March to October the "
    "beach is open to flyers before 10&nbsp;am and after 6&nbsp;pm.</p>\n",
    "<div align=\"center\"><font face=\"Arial\" size=\"2\">&copy; Harbour Lane Kites "
    "&mdash; <a href=\"mailto:shop@example.com\">write to us</a></font></div>\n",
    "<p>Prices in US dollars. Orders over $50 ship free within the mainland; see "
    "<a href=\"shipping.html\">shipping</a>.<br>\nQuestions? Call us.</p>\n",
};

// What a shop page holds besides its forms: form markup that is no form.
constexpr std::string_view kFormsInCommentAndScript =
    "<!-- Edited by hand: keep the <form> tags of the shop below as they are -->\n"
    "<script type=\"text/javascript\">\nfunction hint(){ document.write('<form "
    "action=\"/search\"><input name=\"q\"></form>'); if (a < b && c > d) return; }\n</script>\n";

// Another form of the site: a search box.
constexpr std::string_view kSearchForm =
    "<form method=\"GET\" action=\"/cgi-bin/search\"><input type=\"text\" name=\"q\" "
    "size=\"20\"><input type=\"submit\" value=\"Search\"></form>\n";

class PageWriter {
public:
    PageWriter(const MerchantProfile& profile, const CheckoutSettings& settings, unsigned seed)
        : m_profile(profile), m_settings(settings), m_random(seed) {}

    std::size_t below(std::size_t count) { return m_random() % count; }

    // Most pages small, some medium, a few large.
    std::size_t pageSize() {
        const std::size_t kind = below(10);
        if (kind < 6)
            return 5000 + below(25000);
        if (kind < 9)
            return 30000 + below(70000);
        return 100000 + below(150000);
    }

    void filler(std::string& page, std::size_t until) {
        while (page.size() < until) {
            page += kBlocks[below(kBlocks.size())];
            if (below(4) == 0) {
                page += "<p>";
                for (int i = 0; i < 40; ++i)
                    page += std::string(kWords[below(kWords.size())]) + " ";
                page += "</p>\n";
            }
        }
    }

    Product product(std::size_t page, std::size_t form) {
        Product product;
        product.sku = "K" + std::to_string(page) + "-" + std::to_string(form);
        product.price = std::to_string(5 + below(200)) + ".50";
        product.description =
            "Kite " + std::string(kWords[below(kWords.size())]) + " " + std::to_string(below(1000));
        product.weight = std::to_string(below(5)) + ".25";
        product.setQuantityBox(below(2) == 0);
        if (below(3) == 0) {
            product.quantityDiscount = true;
            for (int i = 1; i <= 3; ++i)
                product.discounts.add(std::to_string(i * 10), std::to_string(4 + i) + ".00");
        }
        if (below(3) == 0) {
            product.optionsEnabled = true;
            product.optionStyle = below(2) == 0 ? OptionStyle::DropDown : OptionStyle::Radio;
            product.options.addList("Colour");
            for (int i = 1; i <= 5; ++i)
                product.options.addItem(0, "Colour " + std::to_string(i) +
                                               (i > 3 ? " (add $" + std::to_string(i) + ")" : ""));
        }
        return product;
    }

    // The forms of one page; how many it has.
    std::size_t forms(std::string& page, std::size_t index, std::size_t size) {
        std::size_t count = 0;
        page += kFormsInCommentAndScript;
        const std::size_t purchases = 1 + below(4);
        for (std::size_t i = 0; i < purchases; ++i, ++count) {
            filler(page, page.size() + size / (purchases + 2));
            page += buildPurchaseSnippet(product(index, i), m_profile, m_settings.shopColours);
        }
        if (below(4) != 0) {
            page += buildViewCartSnippet(kViewCartCaption, m_profile, m_settings.shopColours);
            ++count;
        }
        if (below(20) == 0) {
            page += buildCheckoutSnippet(CheckoutChoices{}, m_settings, m_profile);
            ++count;
        }
        if (below(50) == 0) {
            page += buildRetrieveOrdersSnippet(kRetrieveOrdersCaption, m_profile);
            ++count;
        }
        return count;
    }

private:
    const MerchantProfile& m_profile;
    const CheckoutSettings& m_settings;
    std::mt19937 m_random;
};

} // namespace

GeneratedSite writeGeneratedSite(const std::filesystem::path& folder, std::size_t pages,
                                 const MerchantProfile& profile, const CheckoutSettings& settings,
                                 unsigned seed) {
    PageWriter writer(profile, settings, seed);
    GeneratedSite site;
    for (std::size_t i = 0; i < pages; ++i) {
        const std::size_t size = writer.pageSize();
        std::string page =
            "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Kites " +
            std::to_string(i) + "</title>\n</head>\n<body>\n";
        if (writer.below(2) == 0) {
            site.forms += writer.forms(page, i, size);
            ++site.pagesWithForms;
        } else if (writer.below(5) == 0) {
            page += kSearchForm;
        }
        writer.filler(page, size);
        page += "</body>\n</html>\n";
        const std::filesystem::path section = folder / ("section" + std::to_string(i % 20));
        std::filesystem::create_directories(section);
        writeFile(section / ("page" + std::to_string(i) + (i % 7 == 0 ? ".htm" : ".html")), page);
        site.bytes += page.size();
        ++site.pages;
    }
    return site;
}

} // namespace vendaxo::test
