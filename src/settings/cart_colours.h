#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vendaxo {

class SettingsStore;

// The 13 parts of the cart pages, each with a text and a background colour
// slot; Main Page also has link and visited-link slots.
inline constexpr std::array<std::string_view, 13> kCartElements = {
    "Main Page",       "Title Bar", "Column Headings", "Sub Total", "Taxes",
    "Shipping",        "Handling",  "Insurance",       "Discount",  "Total",
    "Submission Area", "Footer",    "Buttons"};

// Positions in kCartElements.
namespace cart_element {
inline constexpr int kMainPage = 0;
inline constexpr int kTitleBar = 1;
inline constexpr int kColumnHeadings = 2;
inline constexpr int kSubTotal = 3;
inline constexpr int kTaxes = 4;
inline constexpr int kShipping = 5;
inline constexpr int kHandling = 6;
inline constexpr int kInsurance = 7;
inline constexpr int kDiscount = 8;
inline constexpr int kTotal = 9;
inline constexpr int kSubmissionArea = 10;
inline constexpr int kFooter = 11;
inline constexpr int kButtons = 12;
} // namespace cart_element

// The 28 colours of the cart pages. A colour is the signed 32-bit number of its
// 0x00BBGGRR value; kUnset leaves the cart server's own look.
struct CartColours {
    static constexpr std::size_t kSlots = 28;
    static constexpr std::int32_t kUnset = -1;
    static constexpr std::size_t kLinkSlot = 2;
    static constexpr std::size_t kVisitedLinkSlot = 3;

    std::array<std::int32_t, kSlots> values;

    CartColours() { values.fill(kUnset); }

    // Tolerates short and malformed lists: missing or unreadable slots are unset.
    static CartColours parse(std::string_view text);
    // 28 numbers joined by "," with no blanks.
    std::string text() const;

    // An empty stored value means the colours were never set.
    static CartColours load(SettingsStore& store);
    void save(SettingsStore& store) const;

    static std::size_t textSlot(std::size_t element);
    static std::size_t backgroundSlot(std::size_t element);

    bool operator==(const CartColours&) const = default;
};

// 0x00BBGGRR from red, green and blue, and back.
std::int32_t colourValue(int red, int green, int blue);
int redOf(std::int32_t colour);
int greenOf(std::int32_t colour);
int blueOf(std::int32_t colour);

} // namespace vendaxo
