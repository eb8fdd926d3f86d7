#include "shell/merchant_profile.h"

namespace vendaxo {

namespace {

std::vector<std::string> trimmedEntries(std::string_view list) {
    std::vector<std::string> entries = splitList(list, ';');
    for (std::string& entry : entries)
        entry = trimmed(entry);
    return entries;
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

} // namespace vendaxo
