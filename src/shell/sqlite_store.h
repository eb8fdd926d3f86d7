#pragma once

#include "shell/settings_store.h"

#include <filesystem>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace vendaxo {

// The embedded store: one SQLite database laid out like the registry below
// HKEY_LOCAL_MACHINE. Key paths and value names compare case-insensitively.
class SqliteStore final : public SettingsStore {
public:
    // Creates the database (and its folder) when missing.
    explicit SqliteStore(const std::filesystem::path& file);
    ~SqliteStore() override;
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    // $VENDAXO_STORE, else $XDG_DATA_HOME/vendaxo/registry.sqlite3, else ~/.local/share/...
    static std::filesystem::path defaultPath();

    bool keyExists(std::string_view path) override;
    void createKey(std::string_view path) override;
    bool readValue(std::string_view path, std::string_view name, RegValue& value) override;
    void writeValue(std::string_view path, std::string_view name, const RegValue& value) override;
    std::vector<std::string> subkeys(std::string_view path) override;
    std::vector<NamedValue> values(std::string_view path) override;
    void writeAll(const std::vector<KeyValues>& keys) override;

private:
    class Statement;
    class Transaction;

    void exec(const char* sql);
    // Prepared once per connection and kept: preparing costs more than running
    // the small statements the store uses. Keyed by the SQL literal's address.
    sqlite3_stmt* prepared(const char* sql);
    [[noreturn]] void fail(const std::string& what);
    long long keyId(const std::string& path);
    long long ensureKey(const std::string& path);
    void putValue(long long key, std::string_view name, const RegValue& value);

    sqlite3* m_db = nullptr;
    std::filesystem::path m_file;
    std::unordered_map<const char*, sqlite3_stmt*> m_statements;
};

} // namespace vendaxo
