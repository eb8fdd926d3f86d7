#include "base/error.h"
#include "shell/sqlite_store.h"
#include "shell/store_contract.h"
#include "test_support.h"

#include <cstdlib>
#include <memory>
#include <sqlite3.h>

namespace vendaxo::test {

namespace {

TempDir& storeFolder() {
    static TempDir folder;
    return folder;
}

StoreBackend sqliteBackend() {
    return {
        "Sqlite",
        [] {
            static int counter = 0;
            return (storeFolder() / ("store" + std::to_string(++counter) + ".sqlite3")).string();
        },
        [](const std::string& location) { return std::make_unique<SqliteStore>(location); },
        // The files go with storeFolder() at exit.
        {}};
}

void execOn(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Sqlite, StoreContract, ::testing::Values(sqliteBackend()),
                         [](const auto& info) { return info.param.name; });

TEST(SqliteStore, CreatesMissingFoldersAndUsesWriteAheadLog) {
    TempDir dir;
    const auto file = dir / "a/b/registry.sqlite3";
    {
        SqliteStore store(file);
        store.setMerchantNumber("1");
        store.writeMerchant("OURL", "x");
    }
    ASSERT_TRUE(std::filesystem::exists(file));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.string().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal");
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

// As regedit lists them, so that an exported file reads in the order the dialogs wrote.
TEST(SqliteStore, ValuesAreListedInTheOrderFirstWritten) {
    TempDir dir;
    SqliteStore store(dir / "store.sqlite3");
    store.setMerchantNumber("111");
    store.writeMerchant("b", "2");
    store.writeMerchant("a", "1");
    store.writeMerchant("B", "3");
    const auto values = store.values(store.merchantKeyPath());
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0], (NamedValue{"b", RegValue::string("3")}));
    EXPECT_EQ(values[1].name, "a");
}

TEST(SqliteStore, UnopenableFileIsReportedWithItsName) {
    TempDir dir;
    std::filesystem::create_directory(dir / "folder.sqlite3");
    try {
        SqliteStore store(dir / "folder.sqlite3");
        FAIL() << "opening a folder as the store must fail";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("folder.sqlite3"), std::string::npos);
    }
}

TEST(SqliteStore, MerchantKeyThatCannotBeCreatedIsReported) {
    TempDir dir;
    const auto file = dir / "store.sqlite3";
    { SqliteStore create(file); }
    execOn(file,
           "CREATE TRIGGER deny BEFORE INSERT ON keys BEGIN SELECT RAISE(ABORT, 'denied'); END");
    SqliteStore store(file);
    store.setMerchantNumber("111");
    try {
        store.readMerchant("OURL");
        FAIL() << "a merchant key that cannot be created must be reported";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what())
                      .rfind("Failed to create key Software\\Kestrune\\Vendaxo\\111", 0),
                  0u)
            << error.what();
    }
}

TEST(SqliteStore, FailedWriteIsRaisedAndKeepsTheOldValue) {
    TempDir dir;
    const auto file = dir / "store.sqlite3";
    {
        SqliteStore store(file);
        store.setMerchantNumber("111");
        store.writeMerchant("OURL", "old");
    }
    execOn(
        file,
        "CREATE TRIGGER deny BEFORE UPDATE ON reg_values BEGIN SELECT RAISE(ABORT, 'denied'); END");
    SqliteStore store(file);
    store.setMerchantNumber("111");
    EXPECT_THROW(store.writeMerchant("OURL", "new"), Error);
    EXPECT_EQ(store.readMerchant("OURL"), "old");
}

// Statements are kept prepared between calls; a kept one must not pin an old
// snapshot of the file.
TEST(SqliteStore, KeptStatementsSeeWhatAnotherConnectionWrote) {
    TempDir dir;
    SqliteStore first(dir / "store.sqlite3");
    SqliteStore second(dir / "store.sqlite3");
    first.setMerchantNumber("111");
    second.setMerchantNumber("111");
    first.writeMerchant("OURL", "one");
    EXPECT_EQ(second.readMerchant("OURL"), "one");
    second.writeMerchant("OURL", "two");
    EXPECT_EQ(first.readMerchant("OURL"), "two");
    first.writeMerchant("OURL", "three");
    EXPECT_EQ(second.readMerchant("OURL"), "three");
    EXPECT_EQ(first.readMerchant("OCnf"), "");
}

// Every start opens the store: opening one that exists commits nothing, so it
// costs no synced write.
TEST(SqliteStore, OpeningAnExistingStoreWritesNothing) {
    TempDir dir;
    const auto file = dir / "store.sqlite3";
    {
        SqliteStore store(file);
        store.setMerchantNumber("111");
        store.writeMerchant("OURL", "x");
    }
    sqlite3* watcher = nullptr;
    ASSERT_EQ(sqlite3_open(file.string().c_str(), &watcher), SQLITE_OK);
    const auto dataVersion = [watcher] {
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(watcher, "PRAGMA data_version", -1, &query, nullptr);
        sqlite3_step(query);
        const auto version = sqlite3_column_int64(query, 0);
        sqlite3_finalize(query);
        return version;
    };
    const auto before = dataVersion();
    {
        SqliteStore store(file);
        store.setMerchantNumber("111");
        EXPECT_EQ(store.readMerchant("OURL"), "x");
    }
    EXPECT_EQ(dataVersion(), before);
    {
        SqliteStore store(file);
        store.setMerchantNumber("111");
        store.writeMerchant("OURL", "y");
    }
    EXPECT_NE(dataVersion(), before) << "the watcher does notice a commit";
    sqlite3_close(watcher);
}

TEST(SqliteStore, WriteAllIsAllOrNothing) {
    TempDir dir;
    const auto file = dir / "store.sqlite3";
    { SqliteStore create(file); }
    execOn(file, "CREATE TRIGGER deny BEFORE INSERT ON reg_values WHEN NEW.name = 'bad' "
                 "BEGIN SELECT RAISE(ABORT, 'denied'); END");
    SqliteStore store(file);
    const std::string key(kInstallationKey);
    EXPECT_THROW(store.writeAll({{key, {{"good", RegValue::string("1")}}},
                                 {key + "\\9", {{"bad", RegValue::string("2")}}}}),
                 Error);
    EXPECT_FALSE(store.keyExists(key));
}

TEST(SqliteStore, DefaultPathFollowsTheEnvironment) {
    const char* saved = std::getenv("VENDAXO_STORE");
    const std::string restore = saved ? saved : "";
    setenv("VENDAXO_STORE", "/tmp/chosen.sqlite3", 1);
    EXPECT_EQ(SqliteStore::defaultPath(), "/tmp/chosen.sqlite3");
    unsetenv("VENDAXO_STORE");
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const std::string restoreXdg = savedXdg ? savedXdg : "";
    setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(SqliteStore::defaultPath(), "/tmp/xdg/vendaxo/registry.sqlite3");
    if (savedXdg)
        setenv("XDG_DATA_HOME", restoreXdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    if (saved)
        setenv("VENDAXO_STORE", restore.c_str(), 1);
}

} // namespace vendaxo::test
