#include "shell/merchant_session.h"

#include "shell/settings_store.h"

namespace vendaxo {

namespace {

std::string entryAt(const std::vector<std::string>& entries, std::size_t index) {
    return index < entries.size() ? entries[index] : std::string();
}

} // namespace

MerchantSession::MerchantSession(SettingsStore& store) : m_store(store) {
    m_profile.currencySymbol = stored::kCurrency.whenEmpty;
}

void MerchantSession::activate(const Installation& installation) {
    m_installation = installation;
    m_profile.moneySign = kMoneySign;
    m_profile.cartServerAddress = installation.cartServerAddress;
    m_profile.orderRetrievalAddress = installation.orderRetrievalAddress;
    if (installation.hasSeveralMerchants()) {
        if (m_chosen) {
            // The choice holds; only its values are read again.
            readMerchantValues();
        } else {
            m_profile.merchantNumber = installation.serial;
            m_profile.companyName = installation.company;
            if (!m_offered)
                m_offered = installation;
        }
        return;
    }
    m_profile.merchantNumber = installation.serial;
    m_profile.companyName = installation.company;
    m_store.setMerchantNumber(installation.serial);
    m_profile.mainPageAddress = m_store.read(stored::kMainPage);
    m_profile.checkoutPage = kCheckoutPageMarker;
    // Rewriting an equal value changes nothing but costs a synced transaction
    // on every start.
    if (m_store.read(stored::kCheckoutPage) != m_profile.checkoutPage)
        m_store.write(stored::kCheckoutPage, m_profile.checkoutPage);
    m_profile.confirmationMessage = m_store.read(stored::kConfirmation);
    m_profile.currencySymbol = m_store.readOrDefault(stored::kCurrency);
}

bool MerchantSession::needsChoice() const {
    return m_installation.hasSeveralMerchants() && !m_chosen;
}

const Installation& MerchantSession::offeredMerchants() const {
    return m_offered ? *m_offered : m_installation;
}

void MerchantSession::choose(std::size_t index) {
    const Installation& offered = offeredMerchants();
    m_profile.merchantNumber = entryAt(offered.merchantNumbers(), index);
    m_profile.companyName = entryAt(offered.companyNames(), index);
    m_profile.cartServerAddress = offered.cartServerAddress;
    m_profile.orderRetrievalAddress = offered.orderRetrievalAddress;
    m_store.setMerchantNumber(m_profile.merchantNumber);
    readMerchantValues();
    m_chosen = true;
}

void MerchantSession::readMerchantValues() {
    m_profile.moneySign = kMoneySign;
    m_profile.mainPageAddress = m_store.read(stored::kMainPage);
    m_profile.checkoutPage = m_store.read(stored::kCheckoutPage);
    m_profile.confirmationMessage = m_store.read(stored::kConfirmation);
    m_profile.currencySymbol = m_store.readOrDefault(stored::kCurrency);
}

void MerchantSession::followMainPage(std::string address) {
    m_profile.mainPageAddress = std::move(address);
}

void MerchantSession::followCheckoutPage(std::string value) {
    m_profile.checkoutPage = std::move(value);
}

void MerchantSession::followConfirmation(std::string message) {
    m_profile.confirmationMessage = std::move(message);
}

void MerchantSession::followCurrency(std::string currency) {
    if (!currency.empty())
        m_profile.currencySymbol = std::move(currency);
}

void MerchantSession::fillEmptyConfirmation() {
    if (m_profile.confirmationMessage.empty())
        m_profile.confirmationMessage = kDefaultConfirmationMessage;
}

} // namespace vendaxo
