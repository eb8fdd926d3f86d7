#include "scratch_store.h"

#include <gmock/gmock.h>

#ifdef _WIN32
#include "shell/registry_store.h"
#else
#include "shell/sqlite_store.h"
#endif

namespace vendaxo::test {

ScratchStore::ScratchStore() : m_store(open()) {}

std::unique_ptr<SettingsStore> ScratchStore::open() const {
#ifdef _WIN32
    return std::make_unique<RegistryStore>(m_key.path());
#else
    return std::make_unique<SqliteStore>(m_dir / "store.sqlite3");
#endif
}

std::vector<std::string> merchantValueNames(SettingsStore& store) {
    std::vector<std::string> names;
    for (const NamedValue& value : store.values(store.merchantKeyPath()))
        names.push_back(value.name);
    return names;
}

void expectWrittenInOrder(SettingsStore& store, const std::vector<std::string>& names) {
    if (kStoreKeepsWriteOrder)
        EXPECT_THAT(merchantValueNames(store), ::testing::ElementsAreArray(names));
    else
        EXPECT_THAT(merchantValueNames(store), ::testing::UnorderedElementsAreArray(names));
}

} // namespace vendaxo::test
