#pragma once

#include "shell/merchant_profile.h"

#include <optional>
#include <string>

namespace vendaxo {

// What the installer writes; the optional values are left as they are when not given.
struct InstallationValues {
    std::string serial;
    std::string company;
    std::string cartServerAddress;
    std::string orderRetrievalAddress;
    std::optional<std::string> helpFile;
    std::optional<std::string> folder;
};

// Refuses a serial and company list of different lengths, as the chooser pairs them.
void install(SettingsStore& store, const InstallationValues& values);

// Makes a merchant current without loading its profile: the only one installed,
// or the one named, which must be installed (required when several are).
void selectMerchant(SettingsStore& store, const Installation& installation,
                    const std::optional<std::string>& requested);

// Selects the merchant as above and loads its profile exactly as the main window
// does: the single-merchant load, or the chooser's OK for the named merchant.
MerchantProfile loadProfileFor(SettingsStore& store, const Installation& installation,
                               const std::optional<std::string>& requested);

} // namespace vendaxo
