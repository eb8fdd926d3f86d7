#include "bench_support.h"
#include "core_bench.h"
#include "snippets/button_snippets.h"
#include "snippets/catalogue.h"
#include "snippets/purchase_snippet.h"

#include <functional>

namespace vendaxo::bench {

namespace {

// The snippet and, as its baseline, a copy of a string of the same length:
// what writing that many bytes costs at the least.
void registerPair(const std::string& name, std::function<std::string()> build,
                  std::vector<Target>& targets, double maxRatio, double maxSeconds) {
    const std::size_t length = build().size();
    benchmark::RegisterBenchmark(name.c_str(), [build](benchmark::State& state) {
        std::size_t bytes = 0;
        for (auto _ : state) {
            std::string html = build();
            bytes += html.size();
            benchmark::DoNotOptimize(html.data());
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    });
    const std::string baseline = name + "_Copy";
    benchmark::RegisterBenchmark(baseline.c_str(), [length](benchmark::State& state) {
        const std::string source(length, 'x');
        for (auto _ : state) {
            benchmark::DoNotOptimize(source.data());
            std::string copy = source;
            benchmark::DoNotOptimize(copy.data());
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * length));
    });
    targets.push_back({name, baseline, maxRatio, maxSeconds, {}});
}

} // namespace

void registerSnippetBenchmarks(std::vector<Target>& targets) {
    const std::string colours = richCheckoutSettings(ShippingMethod::UserChoice).shopColours;
    const MerchantProfile profile = demoProfile();
    registerPair(
        "BM_ViewCartSnippet",
        [colours, profile] { return buildViewCartSnippet(kViewCartCaption, profile, colours); },
        targets, 0, 0);
    registerPair(
        "BM_PurchaseSnippet",
        [colours, profile, product = richProduct()] {
            return buildPurchaseSnippet(product, profile, colours);
        },
        targets, 25, 2e-6);
    // What the catalogue command does between reading the list and writing the
    // page: every row checked and every button built.
    std::string list = "sku,price,description,quantity-box,discounts\n";
    const long products = environmentNumber("VENDAXO_BENCH_PRODUCTS", 10000);
    for (long i = 1; i <= products; ++i)
        list +=
            "K" + std::to_string(i) + ",9.50,Kite number " + std::to_string(i) + ",yes,10=8.50\n";
    registerPair(
        "BM_CatalogueSnippets",
        [colours, profile, list] {
            return buildCatalogueSnippets(readCatalogue(list, {}).rows, profile, colours);
        },
        targets, 0, 0);
    for (int method = 0; method <= static_cast<int>(ShippingMethod::Ups); ++method) {
        const CheckoutSettings settings = richCheckoutSettings(static_cast<ShippingMethod>(method));
        registerPair(
            "BM_CheckoutSnippet/" + std::to_string(method),
            [settings, profile, choices = everyCheckoutChoice()] {
                return buildCheckoutSnippet(choices, settings, profile);
            },
            targets, 0, 100e-6);
    }
}

} // namespace vendaxo::bench
