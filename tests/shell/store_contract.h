#pragma once

#include "shell/settings_store.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace vendaxo::test {

// How a backend under test is opened. `open(location)` must give the same data
// again for the same location, so that persistence can be checked.
struct StoreBackend {
    std::string name;
    std::function<std::string()> newLocation;
    std::function<std::unique_ptr<SettingsStore>(const std::string& location)> open;
    // Removes what a test left at its location; none needed when empty.
    std::function<void(const std::string& location)> discard;
};

// The behaviour every SettingsStore backend must show; instantiate it with
// INSTANTIATE_TEST_SUITE_P(Name, StoreContract, ::testing::Values(backend)).
class StoreContract : public ::testing::TestWithParam<StoreBackend> {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<SettingsStore> reopen() const { return GetParam().open(m_location); }

    std::string m_location;
    std::unique_ptr<SettingsStore> m_store;
};

} // namespace vendaxo::test
