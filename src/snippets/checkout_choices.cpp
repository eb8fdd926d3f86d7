#include "snippets/checkout_choices.h"

#include "base/error.h"
#include "shell/settings_store.h"

#include <cctype>

namespace vendaxo {

namespace {

constexpr std::string_view kPaymentCodes = "1234567";
constexpr std::string_view kRequiredCodes = "123456789abcd";

template <std::size_t N>
std::string codesOf(const std::array<bool, N>& boxes, std::string_view codes) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i) {
        if (boxes[i])
            text += codes[i];
    }
    return text;
}

template <std::size_t N>
bool setFromCodes(std::array<bool, N>& boxes, std::string_view allowed, std::string_view text) {
    std::array<bool, N> ticked = {};
    for (char c : text) {
        const auto at =
            allowed.find(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        if (at == std::string_view::npos)
            return false;
        ticked[at] = true;
    }
    boxes = ticked;
    return true;
}

// Stored values are read the way the dialog always read them: a code counts
// wherever it occurs, anything else is ignored.
template <std::size_t N>
void tickStored(std::array<bool, N>& boxes, std::string_view allowed, std::string_view stored) {
    if (stored.empty())
        return;
    for (std::size_t i = 0; i < N; ++i)
        boxes[i] = stored.find(allowed[i]) != std::string_view::npos;
}

} // namespace

std::string CheckoutChoices::paymentCodes() const {
    return codesOf(payments, kPaymentCodes);
}

std::string CheckoutChoices::requiredCodes() const {
    return codesOf(required, kRequiredCodes);
}

bool CheckoutChoices::setPaymentCodes(std::string_view codes) {
    return setFromCodes(payments, kPaymentCodes, codes);
}

bool CheckoutChoices::setRequiredCodes(std::string_view codes) {
    return setFromCodes(required, kRequiredCodes, codes);
}

CheckoutChoices CheckoutChoices::load(SettingsStore& store, CheckoutChoices shown) {
    tickStored(shown.payments, kPaymentCodes, store.read(stored::kPaymentOptions));
    tickStored(shown.required, kRequiredCodes, store.read(stored::kRequiredValues));
    return shown;
}

CheckoutChoices CheckoutChoices::load(SettingsStore& store) {
    return load(store, CheckoutChoices{});
}

void CheckoutChoices::save(SettingsStore& store) const {
    store.write(stored::kPaymentOptions, paymentCodes());
    store.write(stored::kRequiredValues, requiredCodes());
}

CheckoutChoices CheckoutValues::toChoices(CheckoutChoices shown) const {
    if (cards && !shown.setPaymentCodes(*cards))
        throw RefusedValue("cards", *cards, "takes only the digits 1 to 7");
    if (require && !shown.setRequiredCodes(*require))
        throw RefusedValue("require", *require, "takes only the characters 1 to 9 and a to d");
    if (button) {
        if (button->empty())
            throw RefusedValue("button", *button, "the send button needs a text");
        shown.buttonText = *button;
    }
    return shown;
}

} // namespace vendaxo
