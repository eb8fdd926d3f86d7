#pragma once

#ifdef _WIN32

#include "shell/settings_store.h"

#include <string>

namespace vendaxo {

// The Windows registry below HKEY_LOCAL_MACHINE, through the wide-character API.
// Always the 32-bit view (Software\Wow6432Node on 64-bit Windows), where the
// installer of the 32-bit program writes the installation key.
class RegistryStore final : public SettingsStore {
public:
    // Every path is taken below `root` (itself below HKEY_LOCAL_MACHINE), so that
    // tests can work in a throwaway key; the program uses no root.
    explicit RegistryStore(std::string root = {});

    bool keyExists(std::string_view path) override;
    void createKey(std::string_view path) override;
    bool readValue(std::string_view path, std::string_view name, RegValue& value) override;
    void writeValue(std::string_view path, std::string_view name, const RegValue& value) override;
    std::vector<std::string> subkeys(std::string_view path) override;
    std::vector<NamedValue> values(std::string_view path) override;
    // The registry offers no transaction to rely on: keys are written one by one.

private:
    std::wstring fullPath(std::string_view path) const;

    std::string m_root;
};

} // namespace vendaxo

#endif
