#include "base/error.h"
#include "bench_support.h"
#include "core_bench.h"
#include "settings/cart_colours.h"

#include <sqlite3.h>

namespace vendaxo::bench {

namespace {

// The store's own statements, as SqliteStore writes them.
constexpr const char* kReadSql = R"sql(
        SELECT v.type, v.data FROM reg_values v JOIN keys k ON k.id = v.key
        WHERE k.path = ? AND v.name = ?)sql";
constexpr const char* kWriteSql = R"sql(
        INSERT INTO reg_values(key, name, type, data, seq)
        VALUES(?1, ?2, ?3, ?4, (SELECT COALESCE(MAX(seq), 0) + 1 FROM reg_values WHERE key = ?1))
        ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data)sql";

constexpr std::string_view kValueName = "OURL";
constexpr std::string_view kValue = "http://www.example.com/kites/";

// A store file with the demo merchant and every settings group written.
struct StoreFile {
    TempDir dir;
    std::filesystem::path file = dir.path() / "registry.sqlite3";
    SqliteStore store{file};

    StoreFile() {
        installDemoMerchant(store);
        saveSettings(store, richCheckoutSettings(ShippingMethod::MultipleRateChart));
    }
};

// A second connection to the same file, opened the way SqliteStore opens it.
class RawConnection {
public:
    explicit RawConnection(const std::filesystem::path& file) {
        if (sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX,
                            nullptr) != SQLITE_OK)
            throw Error("cannot open " + file.string());
        sqlite3_busy_timeout(m_db, 10000);
        exec("PRAGMA journal_mode=WAL");
        exec("PRAGMA synchronous=FULL");
        exec("PRAGMA foreign_keys=ON");
    }
    ~RawConnection() {
        for (sqlite3_stmt* statement : m_statements)
            sqlite3_finalize(statement);
        sqlite3_close(m_db);
    }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    void exec(const char* sql) {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw Error(sqlite3_errmsg(m_db));
    }
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) != SQLITE_OK)
            throw Error(sqlite3_errmsg(m_db));
        m_statements.push_back(statement);
        return statement;
    }
    void run(sqlite3_stmt* statement) {
        const int rc = sqlite3_step(statement);
        sqlite3_reset(statement);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            throw Error(sqlite3_errmsg(m_db));
    }
    long long keyId(const std::string& path) {
        sqlite3_stmt* query = prepare("SELECT id FROM keys WHERE path = ?");
        sqlite3_bind_text(query, 1, path.data(), static_cast<int>(path.size()), SQLITE_STATIC);
        const long long id = sqlite3_step(query) == SQLITE_ROW ? sqlite3_column_int64(query, 0) : 0;
        sqlite3_reset(query);
        return id;
    }

private:
    sqlite3* m_db = nullptr;
    std::vector<sqlite3_stmt*> m_statements;
};

void merchantRead(benchmark::State& state) {
    StoreFile file;
    for (auto _ : state) {
        std::string value = file.store.readMerchant(kValueName);
        benchmark::DoNotOptimize(value.data());
    }
}

// The value query alone, prepared once, its result copied out as the store does.
void rawRead(benchmark::State& state) {
    StoreFile file;
    RawConnection raw(file.file);
    const std::string path = file.store.merchantKeyPath();
    sqlite3_stmt* query = raw.prepare(kReadSql);
    for (auto _ : state) {
        sqlite3_bind_text(query, 1, path.data(), static_cast<int>(path.size()), SQLITE_STATIC);
        sqlite3_bind_text(query, 2, kValueName.data(), static_cast<int>(kValueName.size()),
                          SQLITE_STATIC);
        if (sqlite3_step(query) != SQLITE_ROW)
            state.SkipWithError("value missing");
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(query, 1));
        std::string value(bytes, static_cast<std::size_t>(sqlite3_column_bytes(query, 1)));
        benchmark::DoNotOptimize(value.data());
        sqlite3_reset(query);
    }
}

void merchantWrite(benchmark::State& state) {
    StoreFile file;
    for (auto _ : state)
        file.store.writeMerchant(kValueName, kValue);
}

// The upsert alone in its own transaction, as each store write is one.
void rawWrite(benchmark::State& state) {
    StoreFile file;
    RawConnection raw(file.file);
    const long long key = raw.keyId(file.store.merchantKeyPath());
    sqlite3_stmt* begin = raw.prepare("BEGIN IMMEDIATE");
    sqlite3_stmt* upsert = raw.prepare(kWriteSql);
    sqlite3_stmt* commit = raw.prepare("COMMIT");
    for (auto _ : state) {
        raw.run(begin);
        sqlite3_bind_int64(upsert, 1, key);
        sqlite3_bind_text(upsert, 2, kValueName.data(), static_cast<int>(kValueName.size()),
                          SQLITE_STATIC);
        sqlite3_bind_int64(upsert, 3, static_cast<long long>(RegType::String));
        sqlite3_bind_blob(upsert, 4, kValue.data(), static_cast<int>(kValue.size()), SQLITE_STATIC);
        raw.run(upsert);
        raw.run(commit);
    }
}

// What the checkout's Insert reads.
void loadCheckoutSettings(benchmark::State& state) {
    StoreFile file;
    for (auto _ : state) {
        CheckoutSettings settings = CheckoutSettings::load(file.store);
        benchmark::DoNotOptimize(&settings);
    }
}

// Every group the dialogs fill themselves from.
void loadEverySettingsGroup(benchmark::State& state) {
    StoreFile file;
    for (auto _ : state) {
        CheckoutSettings settings = CheckoutSettings::load(file.store);
        CheckoutChoices choices = CheckoutChoices::load(file.store);
        CartColours colours = CartColours::load(file.store);
        Product product;
        ProductDefaults::paste(file.store, product);
        benchmark::DoNotOptimize(&settings);
        benchmark::DoNotOptimize(&choices);
        benchmark::DoNotOptimize(&colours);
        benchmark::DoNotOptimize(&product);
    }
}

} // namespace

void registerStoreBenchmarks(std::vector<Target>& targets) {
    benchmark::RegisterBenchmark("BM_StoreRead", merchantRead);
    benchmark::RegisterBenchmark("BM_StoreRead_Raw", rawRead);
    benchmark::RegisterBenchmark("BM_StoreWrite", merchantWrite);
    benchmark::RegisterBenchmark("BM_StoreWrite_Raw", rawWrite);
    benchmark::RegisterBenchmark("BM_LoadCheckoutSettings", loadCheckoutSettings);
    benchmark::RegisterBenchmark("BM_LoadEverySettingsGroup", loadEverySettingsGroup);
    targets.push_back({"BM_StoreRead", "BM_StoreRead_Raw", 1.5, 0, {}});
    targets.push_back({"BM_StoreWrite", "BM_StoreWrite_Raw", 1.2, 0, {}});
    targets.push_back({"BM_LoadCheckoutSettings", {}, 0, 2e-3, {}});
    targets.push_back({"BM_LoadEverySettingsGroup", {}, 0, 2e-3, {}});
}

} // namespace vendaxo::bench
