#pragma once

#include "base/text.h"
#include "shell/settings_store.h"

#include <string>
#include <vector>

namespace vendaxo {

inline constexpr std::string_view kCheckoutPageMarker = "Using VDX Network...";
inline constexpr std::string_view kMoneySign = "$";

// What the installer wrote: the installation key's values as read at start-up.
struct Installation {
    std::string helpFile;
    std::string folder;
    std::string serial;  // one merchant number, or several separated by ";"
    std::string company; // in the same order as serial
    std::string cartServerAddress;
    std::string orderRetrievalAddress;

    static Installation load(SettingsStore& store);
    bool hasSeveralMerchants() const;
    // The chooser's two parallel lists, split at ";" and trimmed.
    std::vector<std::string> merchantNumbers() const;
    std::vector<std::string> companyNames() const;
};

// The start-up values held for the life of the process.
struct MerchantProfile {
    std::string merchantNumber;
    std::string companyName;
    std::string cartServerAddress;
    std::string orderRetrievalAddress;
    std::string mainPageAddress;
    std::string checkoutPage;
    std::string confirmationMessage;
    std::string currencySymbol;
    std::string moneySign;

    bool operator==(const MerchantProfile&) const = default;
};

// The single-merchant load: takes Serial and Company as they stand, makes that
// merchant current, reads its values and writes the checkout page marker.
MerchantProfile loadSingleMerchant(SettingsStore& store, const Installation& installation);

// The chooser's OK for the line at `index`: that merchant becomes current and its
// values are read (the checkout page value is read, not forced). A position with
// no entry in a list gives an empty number or name.
MerchantProfile loadChosenMerchant(SettingsStore& store, const Installation& installation,
                                   std::size_t index);

// Re-reads the current merchant's values into an existing profile, as every later
// activation of the main window does once a merchant has been chosen.
void reloadMerchantValues(SettingsStore& store, MerchantProfile& profile);

} // namespace vendaxo
