#include "shell/merchant_profile.h"

namespace vendaxo {

namespace {

std::vector<std::string> trimmedEntries(std::string_view list) {
    std::vector<std::string> entries = splitList(list, ';');
    for (std::string& entry : entries)
        entry = trimmed(entry);
    return entries;
}

std::string entryAt(const std::vector<std::string>& entries, std::size_t index) {
    return index < entries.size() ? entries[index] : std::string();
}

MerchantProfile profileFor(const Installation& installation, std::string number,
                           std::string company) {
    MerchantProfile profile;
    profile.moneySign = kMoneySign;
    profile.merchantNumber = std::move(number);
    profile.companyName = std::move(company);
    profile.cartServerAddress = installation.cartServerAddress;
    profile.orderRetrievalAddress = installation.orderRetrievalAddress;
    return profile;
}

} // namespace

Installation Installation::load(SettingsStore& store) {
    Installation installation;
    installation.helpFile = store.read(stored::kHelpFile);
    installation.folder = store.read(stored::kInstallFolder);
    installation.serial = store.read(stored::kSerial);
    installation.cartServerAddress = store.read(stored::kCartServer);
    installation.company = store.read(stored::kCompany);
    installation.orderRetrievalAddress = store.read(stored::kOrderRetrieval);
    return installation;
}

bool Installation::hasSeveralMerchants() const {
    return serial.find(';') != std::string::npos;
}

std::vector<std::string> Installation::merchantNumbers() const {
    return trimmedEntries(serial);
}

std::vector<std::string> Installation::companyNames() const {
    return trimmedEntries(company);
}

MerchantProfile loadSingleMerchant(SettingsStore& store, const Installation& installation) {
    MerchantProfile profile = profileFor(installation, installation.serial, installation.company);
    store.setMerchantNumber(profile.merchantNumber);
    profile.mainPageAddress = store.read(stored::kMainPage);
    profile.checkoutPage = kCheckoutPageMarker;
    // Rewriting an equal value changes nothing but costs a synced transaction
    // on every start.
    if (store.read(stored::kCheckoutPage) != profile.checkoutPage)
        store.write(stored::kCheckoutPage, profile.checkoutPage);
    profile.confirmationMessage = store.read(stored::kConfirmation);
    profile.currencySymbol = store.readOrDefault(stored::kCurrency);
    return profile;
}

MerchantProfile loadChosenMerchant(SettingsStore& store, const Installation& installation,
                                   std::size_t index) {
    MerchantProfile profile =
        profileFor(installation, entryAt(installation.merchantNumbers(), index),
                   entryAt(installation.companyNames(), index));
    store.setMerchantNumber(profile.merchantNumber);
    reloadMerchantValues(store, profile);
    return profile;
}

void reloadMerchantValues(SettingsStore& store, MerchantProfile& profile) {
    profile.moneySign = kMoneySign;
    profile.mainPageAddress = store.read(stored::kMainPage);
    profile.checkoutPage = store.read(stored::kCheckoutPage);
    profile.confirmationMessage = store.read(stored::kConfirmation);
    profile.currencySymbol = store.readOrDefault(stored::kCurrency);
}

} // namespace vendaxo
