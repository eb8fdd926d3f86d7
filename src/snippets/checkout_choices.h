#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vendaxo {

class SettingsStore;

inline constexpr std::string_view kDefaultCheckoutButtonText = "Proceed With Checkout";

// The payment options, in the dialog's order; stored as the digits "1" to "7".
enum class PaymentOption {
    Visa,
    MasterCard,
    Discover,
    AmericanExpress,
    DinersClub,
    CarteBlanche,
    ElectronicCheck,
};
inline constexpr std::size_t kPaymentOptionCount = 7;

// The customer values a shopper must fill in; stored as "1" to "9", "a" to "d".
enum class RequiredValue {
    BillName,
    BillCompany,
    BillAddress,
    BillPhone,
    BillEmail,
    ShipName,
    ShipCompany,
    ShipAddress,
    ShipPhone,
    PaymentType,
    CardNumber,
    CardExpiration,
    ElectronicCheck,
};
inline constexpr std::size_t kRequiredValueCount = 13;

// The checkout dialog's choices: which payment types the shop takes, which
// values are required, and the send button's text.
struct CheckoutChoices {
    std::array<bool, kPaymentOptionCount> payments = {true, true, true, true, true, true, true};
    std::array<bool, kRequiredValueCount> required = {};
    std::string buttonText = std::string(kDefaultCheckoutButtonText);

    bool accepts(PaymentOption option) const { return payments[static_cast<std::size_t>(option)]; }
    bool isRequired(RequiredValue value) const { return required[static_cast<std::size_t>(value)]; }

    // "135" for Visa, Discover / Novus and Diners Club; "19abd" and the like.
    std::string paymentCodes() const;
    std::string requiredCodes() const;
    // Each box is ticked exactly when its code occurs in the text (either case
    // for "a" to "d"). Returns false, changing nothing, when the text holds
    // anything but codes.
    bool setPaymentCodes(std::string_view codes);
    bool setRequiredCodes(std::string_view codes);

    // The boxes as the dialog shows them: a stored value that is empty leaves
    // them as they are in `shown` (all cards, nothing required, at first).
    // The button text is never stored.
    static CheckoutChoices load(SettingsStore& store, CheckoutChoices shown);
    static CheckoutChoices load(SettingsStore& store);
    // ccCards, then ccVerify; nothing ticked stores an empty value.
    void save(SettingsStore& store) const;

    bool operator==(const CheckoutChoices&) const = default;
};

// What is said about the checkout form by the names of the checkout command's
// options: the payment codes (cards), the required codes (require) and the
// send button's text (button). A value not given leaves the choice as it was.
struct CheckoutValues {
    std::optional<std::string> cards;
    std::optional<std::string> require;
    std::optional<std::string> button;

    // `shown` with these values applied; a value the dialog could not hold
    // (a code it has no box for, an empty button text) throws RefusedValue.
    CheckoutChoices toChoices(CheckoutChoices shown) const;

    bool operator==(const CheckoutValues&) const = default;
};

} // namespace vendaxo
