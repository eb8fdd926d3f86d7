#pragma once

#include "shell/merchant_profile.h"

#include <optional>

namespace vendaxo {

class SettingsStore;

// The current merchant and its profile, for the life of the process. The one
// owner of both: the main window's activation, the merchant chooser, the
// options as loaded or typed and the checkout form all go through here.
class MerchantSession {
public:
    explicit MerchantSession(SettingsStore& store);

    SettingsStore& store() const { return m_store; }
    const MerchantProfile& profile() const { return m_profile; }

    // What every activation of the main window does with the installation
    // values just read: with one merchant installed, that merchant becomes
    // current and its values are read (the checkout page marker is written);
    // with several, the chosen one's values are read again, or, before any
    // choice, only the installation values are taken and a choice is needed.
    void activate(const Installation& installation);
    bool needsChoice() const;
    // The merchants to choose from: those of the first activation that needed
    // a choice, so that a position names the same merchant until it is chosen.
    const Installation& offeredMerchants() const;
    // The chooser's OK for the merchant at `index` of the offered ones: it
    // becomes current and its values are read (the checkout page value is read,
    // not forced). Works at any time, also to switch merchants again.
    void choose(std::size_t index);

    // The options dialog's edits reach the profile before they are stored.
    void followMainPage(std::string address);
    void followCheckoutPage(std::string value);
    void followConfirmation(std::string message);
    // An empty currency keeps the symbol the profile has.
    void followCurrency(std::string currency);
    // After the checkout command: an empty confirmation message becomes the default one.
    void fillEmptyConfirmation();

protected:
    // For a profile made elsewhere (tests), as an activation would leave it.
    MerchantProfile& profileToSet() { return m_profile; }

private:
    void readMerchantValues();

    SettingsStore& m_store;
    MerchantProfile m_profile;
    Installation m_installation; // as the last activation read it
    std::optional<Installation> m_offered;
    bool m_chosen = false;
};

} // namespace vendaxo
