#include "shell/sqlite_store.h"

#include "base/error.h"

#include <cstdlib>
#include <sqlite3.h>

namespace vendaxo {

namespace {

constexpr int kBusyTimeoutMs = 10000;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
    id INTEGER PRIMARY KEY,
    path TEXT NOT NULL UNIQUE COLLATE NOCASE,
    parent INTEGER REFERENCES keys(id));
CREATE INDEX IF NOT EXISTS keys_parent ON keys(parent);
CREATE TABLE IF NOT EXISTS reg_values(
    key INTEGER NOT NULL REFERENCES keys(id),
    name TEXT NOT NULL COLLATE NOCASE,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    seq INTEGER NOT NULL,
    PRIMARY KEY(key, name));
PRAGMA user_version = 1;
)sql";

// Registry paths tolerate a trailing separator ("...\Vendaxo\" with no merchant number).
std::string normalisedPath(std::string_view path) {
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    return std::string(path);
}

std::string parentPath(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

// One use of a kept statement; resetting it at the end releases its read snapshot.
class SqliteStore::Statement {
public:
    Statement(SqliteStore& store, const char* sql) : m_store(store), m_stmt(store.prepared(sql)) {}
    ~Statement() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::string_view text) {
        sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bindBlob(int index, std::string_view bytes) {
        sqlite3_bind_blob(m_stmt, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bind(int index, long long number) {
        sqlite3_bind_int64(m_stmt, index, number);
        return *this;
    }
    // True while a row is available.
    bool step() {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            m_store.fail("step");
        return false;
    }
    long long integer(int column) { return sqlite3_column_int64(m_stmt, column); }
    std::string text(int column) {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return bytes ? std::string(bytes,
                                   static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)))
                     : std::string();
    }

private:
    SqliteStore& m_store;
    sqlite3_stmt* m_stmt = nullptr;
};

constexpr const char* kBeginSql = "BEGIN IMMEDIATE";
constexpr const char* kCommitSql = "COMMIT";

// BEGIN IMMEDIATE takes the write lock up front, so the busy timeout applies
// instead of a deadlock between two readers upgrading.
class SqliteStore::Transaction {
public:
    explicit Transaction(SqliteStore& store) : m_store(store) {
        Statement(store, kBeginSql).step();
    }
    ~Transaction() {
        if (!m_committed)
            sqlite3_exec(m_store.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() {
        Statement(m_store, kCommitSql).step();
        m_committed = true;
    }

private:
    SqliteStore& m_store;
    bool m_committed = false;
};

SqliteStore::SqliteStore(const std::filesystem::path& file) : m_file(file) {
    std::error_code error;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        throw Error("Cannot create the folder " + file.parent_path().string() + ": " +
                    error.message());
    if (sqlite3_open_v2(file.string().c_str(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw Error("Cannot open the settings store " + file.string() + ": " + message);
    }
    try {
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
        exec("PRAGMA journal_mode=WAL");
        exec("PRAGMA synchronous=FULL");
        exec("PRAGMA foreign_keys=ON");
        // Only a new file gets the schema: the write transaction would
        // otherwise cost a synced commit on every start.
        bool current = false;
        {
            Statement version(*this, "PRAGMA user_version");
            current = version.step() && version.integer(0) >= 1;
        }
        if (!current) {
            Transaction transaction(*this);
            exec(kSchema);
            transaction.commit();
        }
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

SqliteStore::~SqliteStore() {
    for (const auto& [sql, statement] : m_statements)
        sqlite3_finalize(statement);
    sqlite3_close(m_db);
}

sqlite3_stmt* SqliteStore::prepared(const char* sql) {
    sqlite3_stmt*& statement = m_statements[sql];
    if (!statement && sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement,
                                         nullptr) != SQLITE_OK) {
        m_statements.erase(sql);
        fail("prepare");
    }
    return statement;
}

std::filesystem::path SqliteStore::defaultPath() {
    if (const char* store = std::getenv("VENDAXO_STORE"); store && *store)
        return store;
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "share";
    else
        base = std::filesystem::current_path();
    return base / "vendaxo" / "registry.sqlite3";
}

void SqliteStore::exec(const char* sql) {
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sql);
}

void SqliteStore::fail(const std::string& what) {
    throw Error("The settings store " + m_file.string() + " failed (" + what +
                "): " + sqlite3_errmsg(m_db));
}

long long SqliteStore::keyId(const std::string& path) {
    Statement query(*this, "SELECT id FROM keys WHERE path = ?");
    query.bind(1, path);
    return query.step() ? query.integer(0) : 0;
}

long long SqliteStore::ensureKey(const std::string& path) {
    if (const long long id = keyId(path))
        return id;
    const std::string parent = parentPath(path);
    const long long parentId = parent.empty() ? 0 : ensureKey(parent);
    Statement insert(*this, "INSERT INTO keys(path, parent) VALUES(?, NULLIF(?, 0))");
    insert.bind(1, path).bind(2, parentId).step();
    return sqlite3_last_insert_rowid(m_db);
}

void SqliteStore::putValue(long long key, std::string_view name, const RegValue& value) {
    Statement upsert(*this, R"sql(
        INSERT INTO reg_values(key, name, type, data, seq)
        VALUES(?1, ?2, ?3, ?4, (SELECT COALESCE(MAX(seq), 0) + 1 FROM reg_values WHERE key = ?1))
        ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data)sql");
    upsert.bind(1, key).bind(2, name).bind(3, static_cast<long long>(value.type));
    upsert.bindBlob(4, value.data).step();
}

bool SqliteStore::keyExists(std::string_view path) {
    return keyId(normalisedPath(path)) != 0;
}

void SqliteStore::createKey(std::string_view path) {
    const std::string key = normalisedPath(path);
    try {
        Transaction transaction(*this);
        ensureKey(key);
        transaction.commit();
    } catch (const Error& error) {
        throw Error(failedToCreateKeyMessage(key) + "\n" + error.what());
    }
}

bool SqliteStore::readValue(std::string_view path, std::string_view name, RegValue& value) {
    Statement query(*this, R"sql(
        SELECT v.type, v.data FROM reg_values v JOIN keys k ON k.id = v.key
        WHERE k.path = ? AND v.name = ?)sql");
    query.bind(1, normalisedPath(path)).bind(2, name);
    if (!query.step())
        return false;
    value.type = static_cast<RegType>(query.integer(0));
    value.data = query.text(1);
    return true;
}

void SqliteStore::writeValue(std::string_view path, std::string_view name, const RegValue& value) {
    Transaction transaction(*this);
    putValue(ensureKey(normalisedPath(path)), name, value);
    transaction.commit();
}

std::vector<std::string> SqliteStore::subkeys(std::string_view path) {
    const std::string key = normalisedPath(path);
    Statement query(*this, R"sql(
        SELECT c.path FROM keys c JOIN keys p ON p.id = c.parent
        WHERE p.path = ? ORDER BY c.path COLLATE NOCASE)sql");
    query.bind(1, key);
    std::vector<std::string> names;
    while (query.step())
        names.push_back(query.text(0).substr(key.size() + 1));
    return names;
}

std::vector<NamedValue> SqliteStore::values(std::string_view path) {
    Statement query(*this, R"sql(
        SELECT v.name, v.type, v.data FROM reg_values v JOIN keys k ON k.id = v.key
        WHERE k.path = ? ORDER BY v.seq)sql");
    query.bind(1, normalisedPath(path));
    std::vector<NamedValue> result;
    while (query.step()) {
        result.push_back({query.text(0), {static_cast<RegType>(query.integer(1)), query.text(2)}});
    }
    return result;
}

void SqliteStore::writeAll(const std::vector<KeyValues>& keys) {
    Transaction transaction(*this);
    for (const KeyValues& key : keys) {
        const long long id = ensureKey(normalisedPath(key.path));
        for (const NamedValue& named : key.values)
            putValue(id, named.name, named.value);
    }
    transaction.commit();
}

} // namespace vendaxo
