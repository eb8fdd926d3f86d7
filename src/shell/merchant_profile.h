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

// The start-up values held for the life of the process; MerchantSession owns them.
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

} // namespace vendaxo
