// The cart colour list (ShopColours): 28 numbers joined by ",", as hand-edited.
#include "fuzz_support.h"
#include "settings/cart_colours.h"

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const CartColours colours = CartColours::parse(fuzz::asText(bytes, size));
    const std::string text = colours.text();
    fuzz::check(CartColours::parse(text) == colours, "parse(text()) gives the same colours", text);
    fuzz::check(CartColours::parse(text).text() == text, "colour text is stable", text);
    for (std::int32_t value : colours.values) {
        if (value == CartColours::kUnset)
            continue;
        const int red = redOf(value);
        const int green = greenOf(value);
        const int blue = blueOf(value);
        fuzz::check(red >= 0 && red < 256 && green >= 0 && green < 256 && blue >= 0 && blue < 256,
                    "channels are bytes");
        static_cast<void>(colourValue(red, green, blue));
    }
    return 0;
}
