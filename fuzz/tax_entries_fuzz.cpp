// The tax table (OTax) as the checkout form's state selects read it: states
// become options, entries whose name holds a digit become zip code taxes.
#include "base/numbers.h"
#include "fuzz_support.h"
#include "settings/store_options.h"
#include "snippets/checkout_snippet.h"

#include <algorithm>

using namespace vendaxo;

namespace {

bool hasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::size_t count(std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::MemoryStore store;
    store.setMerchantNumber("1");
    store.writeMerchant("OTax", fuzz::asText(bytes, size));
    const StoreOptions options = StoreOptions::load(store);

    std::string zipTaxes;
    const std::string html = stateOptions(options.taxEntries, zipTaxes);
    const auto states = static_cast<std::size_t>(
        std::count_if(options.taxEntries.begin(), options.taxEntries.end(),
                      [](const std::string& entry) { return !hasDigit(taxEntryName(entry)); }));
    // Names are written as they stand in the option's text, but never hold a line feed.
    fuzz::check(count(html, "\n") == states, "one option line per state", html);

    // The cart server reads the zip taxes as NAME=RATE; pairs with a number as
    // rate (a zero rate may keep its zeros, "0.00").
    std::size_t zips = 0;
    for (std::string_view rest = zipTaxes; !rest.empty(); ++zips) {
        const auto end = rest.find(';');
        fuzz::check(end != std::string_view::npos, "every zip tax ends in ;", zipTaxes);
        const std::string_view pair = rest.substr(0, end);
        const auto equals = pair.find('=');
        fuzz::check(equals != std::string_view::npos && pair.rfind('=') == equals,
                    "a zip tax is one name and one rate", zipTaxes);
        const std::string rate(pair.substr(equals + 1));
        const bool plainZero = !rate.empty() && rate.find_first_not_of("0.") == std::string::npos;
        fuzz::check(plainZero || rate == numberText(leadingNumber(rate)),
                    "the zip rate is a number", zipTaxes);
        rest.remove_prefix(end + 1);
    }
    fuzz::check(zips == options.taxEntries.size() - states, "one pair per zip code entry",
                zipTaxes);
    return 0;
}
