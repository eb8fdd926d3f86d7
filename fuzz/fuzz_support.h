#pragma once

#include "shell/settings_store.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo::fuzz {

// A broken property is a finding: print what broke and abort, so that libFuzzer
// keeps the input.
[[noreturn]] void fail(std::string_view what, std::string_view detail = {});
inline void check(bool ok, std::string_view what, std::string_view detail = {}) {
    if (!ok)
        fail(what, detail);
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every `separator`, at most `pieces` pieces (the last takes the rest).
std::vector<std::string_view> split(std::string_view text, char separator, std::size_t pieces);

// A store in memory, so that load/save round trips run without a disk; the
// same case-insensitive key and value names as the real backends.
class MemoryStore final : public SettingsStore {
public:
    bool keyExists(std::string_view path) override;
    void createKey(std::string_view path) override;
    bool readValue(std::string_view path, std::string_view name, RegValue& value) override;
    void writeValue(std::string_view path, std::string_view name, const RegValue& value) override;
    std::vector<std::string> subkeys(std::string_view path) override;
    std::vector<NamedValue> values(std::string_view path) override;

    // Every key (path in lower case) with its values, keys sorted by path.
    std::string dump() const;

private:
    struct Key {
        std::string path;
        std::vector<NamedValue> values;
    };
    Key* find(std::string_view path);

    std::vector<Key> m_keys;
};

} // namespace vendaxo::fuzz
