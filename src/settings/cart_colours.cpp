#include "settings/cart_colours.h"

#include "base/text.h"
#include "shell/settings_store.h"

#include <charconv>

namespace vendaxo {

namespace {

std::int32_t slotValue(std::string_view text) {
    const std::string number = trimmed(text);
    std::int32_t value = CartColours::kUnset;
    const char* end = number.data() + number.size();
    const auto [at, error] = std::from_chars(number.data(), end, value);
    return error == std::errc() && at == end ? value : CartColours::kUnset;
}

} // namespace

CartColours CartColours::parse(std::string_view text) {
    CartColours colours;
    std::size_t slot = 0;
    for (std::size_t start = 0; slot < kSlots && start <= text.size(); ++slot) {
        const auto comma = text.find(',', start);
        colours.values[slot] = slotValue(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return colours;
}

std::string CartColours::text() const {
    std::string joined;
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (i > 0)
            joined += ',';
        joined += std::to_string(values[i]);
    }
    return joined;
}

CartColours CartColours::load(SettingsStore& store) {
    return parse(store.read(stored::kShopColours));
}

void CartColours::save(SettingsStore& store) const {
    store.write(stored::kShopColours, text());
}

std::size_t CartColours::textSlot(std::size_t element) {
    return element == 0 ? 0 : 2 * element + 2;
}

std::size_t CartColours::backgroundSlot(std::size_t element) {
    return textSlot(element) + 1;
}

std::int32_t colourValue(int red, int green, int blue) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(blue & 0xFF) << 16) |
                                     (static_cast<std::uint32_t>(green & 0xFF) << 8) |
                                     static_cast<std::uint32_t>(red & 0xFF));
}

int redOf(std::int32_t colour) {
    return colour & 0xFF;
}
int greenOf(std::int32_t colour) {
    return (colour >> 8) & 0xFF;
}
int blueOf(std::int32_t colour) {
    return (colour >> 16) & 0xFF;
}

} // namespace vendaxo
