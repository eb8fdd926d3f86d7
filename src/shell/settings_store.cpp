#include "shell/settings_store.h"

#include "base/error.h"

namespace vendaxo {

namespace {

std::string readString(SettingsStore& store, std::string_view path, std::string_view name) {
    RegValue value;
    if (!store.readValue(path, name, value) || value.type != RegType::String)
        return {};
    return value.data;
}

} // namespace

std::string SettingsStore::merchantKeyPath() const {
    return std::string(kInstallationKey) + "\\" + m_merchantNumber;
}

std::string SettingsStore::readInstallation(std::string_view name) {
    return readString(*this, kInstallationKey, name);
}

std::string SettingsStore::readMerchant(std::string_view name) {
    const std::string path = merchantKeyPath();
    // A value found proves the key exists: one lookup on the common path.
    RegValue value;
    if (readValue(path, name, value))
        return value.type == RegType::String ? std::move(value.data) : std::string();
    if (!keyExists(path))
        createKey(path);
    return {};
}

std::string SettingsStore::readOrDefault(const MerchantValue& value) {
    std::string text = read(value);
    return text.empty() ? std::string(value.whenEmpty) : text;
}

void SettingsStore::writeMerchant(std::string_view name, std::string_view value) {
    writeValue(merchantKeyPath(), name, RegValue::string(value));
}

void SettingsStore::writeAll(const std::vector<KeyValues>& keys) {
    for (const KeyValues& key : keys) {
        createKey(key.path);
        for (const NamedValue& named : key.values)
            writeValue(key.path, named.name, named.value);
    }
}

std::string failedToCreateKeyMessage(std::string_view path) {
    return "Failed to create key " + std::string(path);
}

} // namespace vendaxo
