#pragma once

#include "shell/settings_store.h"
#include "test_support.h"

#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include "registry_support.h"
#endif

namespace vendaxo::test {

// Whether values() lists a key's values in the order they were first written:
// SQLite keeps that order; the registry promises none (Wine lists them by name).
#ifdef _WIN32
inline constexpr bool kStoreKeepsWriteOrder = false;
#else
inline constexpr bool kStoreKeepsWriteOrder = true;
#endif

// The platform's store on throwaway storage: an SQLite file in a temporary
// folder, or on Windows the registry below a scratch key.
class ScratchStore {
public:
    ScratchStore();
    SettingsStore& store() { return *m_store; }
    // A second store on the same storage, as another process would open it.
    std::unique_ptr<SettingsStore> open() const;

private:
#ifdef _WIN32
    ScratchKey m_key;
#else
    TempDir m_dir;
#endif
    std::unique_ptr<SettingsStore> m_store;
};

// The names of the values of the current merchant's key, as the store lists them.
std::vector<std::string> merchantValueNames(SettingsStore& store);

// Checks that the current merchant's key holds exactly these values, written in
// this order where the store keeps write order.
void expectWrittenInOrder(SettingsStore& store, const std::vector<std::string>& names);

} // namespace vendaxo::test
