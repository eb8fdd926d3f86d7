// Building a snippet from what was read from a snippet this program built
// gives the same bytes, for every kind and variant.
#include "base/text_encoding.h"
#include "scratch_store.h"
#include "shell/merchant_session.h"
#include "shell/reg_file.h"
#include "snippets/button_snippets.h"
#include "snippets/checkout_data.h"
#include "snippets/checkout_snippet.h"
#include "snippets/purchase_snippet.h"
#include "snippets/snippet_pages.h"
#include "snippets/snippet_reader.h"

#include <gtest/gtest.h>

namespace vendaxo::test {
namespace {

// The one snippet of a page made of `snippet` and its surroundings, read back
// sound, its bytes those of the snippet.
ReadSnippet readOne(const std::string& snippet) {
    const std::string page = pageAround(snippet);
    std::vector<ReadSnippet> read = readSnippets(page);
    if (read.size() != 1) {
        ADD_FAILURE() << read.size() << " snippets in\n" << page;
        return {};
    }
    EXPECT_EQ(read[0].problems, std::vector<std::string>()) << snippet;
    EXPECT_TRUE(read[0].range.has_value());
    if (read[0].range) {
        EXPECT_EQ(page.substr(read[0].range->begin, read[0].range->end - read[0].range->begin) +
                      "\n",
                  snippet);
    }
    return read[0];
}

TEST(SnippetRoundTrip, EveryPurchaseButtonIsBuiltAgainFromWhatIsRead) {
    SnippetInputs inputs(17);
    int withLists = 0;
    int radios = 0;
    for (int i = 0; i < 600; ++i) {
        const MerchantProfile profile = inputs.profile();
        const Product product = inputs.product(profile.currencySymbol);
        const std::string colours = inputs.shopColours();
        const std::string snippet = buildPurchaseSnippet(product, profile, colours);
        SCOPED_TRACE(snippet);
        const ReadSnippet read = readOne(snippet);
        ASSERT_EQ(read.kind, SnippetKind::Purchase);
        EXPECT_EQ(
            buildPurchaseSnippet(read.product, read.merchant.profile(), read.merchant.shopColours),
            snippet);
        withLists += read.product.optionsEnabled;
        radios += read.product.optionStyle == OptionStyle::Radio;
    }
    // The sample covers both styles of list.
    EXPECT_GT(withLists, 100);
    EXPECT_GT(radios, 50);
}

TEST(SnippetRoundTrip, EveryButtonIsBuiltAgainFromWhatIsRead) {
    SnippetInputs inputs(29);
    for (int i = 0; i < 200; ++i) {
        const MerchantProfile profile = inputs.profile();
        const std::string caption = inputs.attributeText(20);
        const std::string colours = inputs.shopColours();
        const std::string viewCart = buildViewCartSnippet(caption, profile, colours);
        const ReadSnippet cart = readOne(viewCart);
        EXPECT_EQ(cart.kind, SnippetKind::ViewCart);
        EXPECT_EQ(
            buildViewCartSnippet(cart.caption, cart.merchant.profile(), cart.merchant.shopColours),
            viewCart);
        const std::string retrieve = buildRetrieveOrdersSnippet(caption, profile);
        const ReadSnippet orders = readOne(retrieve);
        EXPECT_EQ(orders.kind, SnippetKind::RetrieveOrders);
        EXPECT_EQ(buildRetrieveOrdersSnippet(orders.caption, orders.merchant.profile()), retrieve);
    }
}

// The bookshop of the expected checkout forms, under every shipping method,
// with and without LinkPoint and in two currencies, with a sample of payment
// options and required values.
TEST(SnippetRoundTrip, EveryCheckoutFormIsBuiltAgainFromWhatIsRead) {
    ScratchStore scratch;
    SettingsStore& store = scratch.store();
    importRegFile(store, readFile(checkoutData("store.reg")));
    MerchantSession session(store);
    session.activate(Installation::load(store));
    SnippetInputs inputs(43);
    for (int method = 0; method < 6; ++method) {
        for (const char* verification : {"1", "2"}) {
            for (const char* currency : {"$", "€"}) {
                store.writeMerchant("OSta", std::to_string(method));
                store.writeMerchant("OCCVerifyType", verification);
                store.write(stored::kCurrency, currency);
                const CheckoutSettings settings = CheckoutSettings::load(store);
                settings.options.applyTo(session);
                const MerchantProfile& profile = session.profile();
                for (int sample = 0; sample < 12; ++sample) {
                    CheckoutChoices choices;
                    for (bool& card : choices.payments)
                        card = sample == 0 || (sample > 1 && inputs.chance(50));
                    for (bool& required : choices.required)
                        required = sample == 0 || (sample > 1 && inputs.chance(50));
                    choices.buttonText = inputs.attributeText(20, false);
                    const std::string form = buildCheckoutSnippet(choices, settings, profile);
                    SCOPED_TRACE("method " + std::to_string(method) + ", verification " +
                                 verification + ", currency " + currency + ", cards " +
                                 choices.paymentCodes() + ", required " + choices.requiredCodes());
                    const ReadSnippet read = readOne(form);
                    ASSERT_EQ(read.kind, SnippetKind::Checkout);
                    EXPECT_EQ(read.checkout.shipping, static_cast<ShippingMethod>(method));
                    EXPECT_EQ(read.checkout.cardsShown, settings.linkPointMode() == false);
                    if (read.checkout.cardsShown) {
                        EXPECT_EQ(read.checkout.choices.payments, choices.payments);
                    }
                    EXPECT_EQ(buildCheckoutSnippet(read.checkout.choices, settings,
                                                   read.merchant.profile()),
                              form);
                }
            }
        }
    }
}

TEST(SnippetRoundTrip, TheExpectedCheckoutFormsReadAsTheyWereMade) {
    for (const CheckoutCase& c : kCheckoutCases) {
        SCOPED_TRACE(std::string(c.expected));
        const ReadSnippet read = readOne(readFile(checkoutData(std::string(c.expected))));
        EXPECT_EQ(read.checkout.choices.paymentCodes(), kCheckoutCards);
        EXPECT_EQ(read.checkout.choices.requiredCodes(), kCheckoutRequired);
    }
}

} // namespace
} // namespace vendaxo::test
