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

std::string currencyOrDollar(SettingsStore& store) {
    std::string currency = store.readMerchant(kCurrencyValue);
    return currency.empty() ? std::string(kMoneySign) : currency;
}

} // namespace

Installation Installation::load(SettingsStore& store) {
    Installation installation;
    installation.helpFile = store.readInstallation(kHelpFileValue);
    installation.folder = store.readInstallation(kInstallFolderValue);
    installation.serial = store.readInstallation(kSerialValue);
    installation.cartServerAddress = store.readInstallation(kCartServerValue);
    installation.company = store.readInstallation(kCompanyValue);
    installation.orderRetrievalAddress = store.readInstallation(kOrderRetrievalValue);
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
    profile.mainPageAddress = store.readMerchant(kMainPageValue);
    profile.checkoutPage = kCheckoutPageMarker;
    // Rewriting an equal value changes nothing but costs a synced transaction
    // on every start.
    if (store.readMerchant(kCheckoutPageValue) != profile.checkoutPage)
        store.writeMerchant(kCheckoutPageValue, profile.checkoutPage);
    profile.confirmationMessage = store.readMerchant(kConfirmationValue);
    profile.currencySymbol = currencyOrDollar(store);
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
    profile.mainPageAddress = store.readMerchant(kMainPageValue);
    profile.checkoutPage = store.readMerchant(kCheckoutPageValue);
    profile.confirmationMessage = store.readMerchant(kConfirmationValue);
    profile.currencySymbol = currencyOrDollar(store);
}

} // namespace vendaxo
