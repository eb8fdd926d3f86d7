// User-choice and base-rate items ("NAME = $RATE;") and the rates typed into them.
#include "fuzz_support.h"
#include "settings/shipping_settings.h"
#include "settings/store_options.h"

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const auto parts = fuzz::split(fuzz::asText(bytes, size), '\0', 2);
    const std::string_view name = parts[0];
    const std::string_view typed = parts.size() > 1 ? parts[1] : parts[0];

    const std::string rate = rateText(typed);
    fuzz::check(rateText(rate) == rate, "a normalised rate re-normalises to itself", rate);

    const std::string item = shippingItem(name, typed);
    fuzz::check(shippingItemName(item) == listItemName(name, " = $"),
                "the item reads back the name it shows", item);
    fuzz::check(shippingItemRate(item) == rate, "the item carries the normalised rate", item);
    fuzz::check(shippingItem(name, rate) == item, "the normalised rate gives the same item", item);
    // Reading a stored item apart and putting it together again is stable.
    const std::string rebuilt =
        shippingItem(shippingItemName(parts[0]), shippingItemRate(parts[0]));
    fuzz::check(shippingItem(shippingItemName(rebuilt), shippingItemRate(rebuilt)) == rebuilt,
                "item text stable after one round", rebuilt);
    return 0;
}
