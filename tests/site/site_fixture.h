#pragma once

#include "scratch_store.h"
#include "shell/merchant_session.h"
#include "shell/reg_file.h"
#include "site/site_refresh.h"
#include "snippets/button_snippets.h"
#include "snippets/checkout_data.h"
#include "snippets/checkout_snippet.h"
#include "snippets/purchase_snippet.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace vendaxo::test {

// A bookshop's store (merchant 401122 with every settings group) and a site
// in a folder of its own, with its forms made as Insert makes them.
class SiteTest : public ::testing::Test {
protected:
    SiteTest() { importRegFile(m_store, readFile(checkoutData("store.reg"))); }

    SiteSettings settings() {
        MerchantSession session(m_store);
        session.activate(Installation::load(m_store));
        return SiteSettings::load(session);
    }

    static Product product(const std::string& sku, const std::string& price) {
        Product product;
        product.sku = sku;
        product.price = price;
        product.description = "Atlas of " + sku;
        product.weight = "1.5";
        return product;
    }
    std::string purchase(const Product& product) {
        const SiteSettings now = settings();
        return buildPurchaseSnippet(product, now.profile, now.checkout.shopColours);
    }
    std::string purchase(const std::string& sku, const std::string& price = "12.50") {
        return purchase(product(sku, price));
    }
    std::string checkout() {
        const SiteSettings now = settings();
        return buildCheckoutSnippet(CheckoutChoices{}, now.checkout, now.profile);
    }
    std::string viewCart() {
        const SiteSettings now = settings();
        return buildViewCartSnippet(kViewCartCaption, now.profile, now.checkout.shopColours);
    }
    std::string retrieveOrders() {
        return buildRetrieveOrdersSnippet(kRetrieveOrdersCaption, settings().profile);
    }

    // A page of the site around the forms; its bytes.
    std::string page(const std::string& name, const std::string& forms) {
        const std::string bytes = std::string(head) + forms + std::string(tail);
        std::filesystem::create_directories((site() / name).parent_path());
        writeFile(site() / name, bytes);
        return bytes;
    }
    std::filesystem::path site() const { return m_dir.path() / "site"; }

    SiteReport check() { return checkSite({site()}, settings()); }
    RefreshReport refresh(RefreshMode mode = RefreshMode::Write) {
        const SiteSettings now = settings();
        return refreshSite(checkSite({site()}, now), now, mode);
    }

    static std::string withCrlf(std::string_view text) {
        std::string out;
        for (char c : text)
            out += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return out;
    }

    // The page's bytes outside its forms, with each form as "[form]".
    static std::string outsideForms(const std::string& bytes) {
        std::string out;
        std::size_t at = 0;
        for (const ReadSnippet& snippet : readSnippets(bytes)) {
            out += bytes.substr(at, snippet.range->begin - at) + "[form]";
            at = snippet.range->end;
        }
        return out + bytes.substr(at);
    }

    static constexpr std::string_view head = "<html><head><title>Atlases</title></head><body>\n"
                                             "<p>Maps &amp; atlases</p>\n";
    static constexpr std::string_view tail = "<p>Thank you.</p>\n</body></html>\n";

    ScratchStore m_scratch;
    SettingsStore& m_store = m_scratch.store();
    TempDir m_dir;
};

} // namespace vendaxo::test
