// Two vendaxo-cli processes and the store API write at the same time: every
// write lands and none fails because another writer holds the database.
#include "child_process.h"
#include "shell/sqlite_store.h"
#include "test_support.h"

#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace vendaxo::test {

namespace {

constexpr int kCliWrites = 400;    // per command line process, one process a write
constexpr int kStoreWrites = 3000; // through the API, in this process

struct CliWriter {
    std::string prefix;
    std::vector<std::string> failures;
};

// The command lines' writes so far. The API writes in step with them, a few
// for each, so that all three write together from start to end; racing ahead,
// it would hold the database in a loop no program runs and starve them.
class Progress {
public:
    void advance() {
        {
            const std::lock_guard lock(m_mutex);
            ++m_writes;
        }
        m_advanced.notify_all();
    }
    void waitFor(int writes) {
        std::unique_lock lock(m_mutex);
        m_advanced.wait(lock, [&] { return m_writes >= writes; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_advanced;
    int m_writes = 0;
};

} // namespace

TEST(Concurrency, TwoCommandLinesAndTheStoreWriteAtOnce) {
    TempDir dir;
    const std::string store = (dir / "registry.sqlite3").string();
    writeFile(dir / "in", "");
    ASSERT_EQ(runProgram(VENDAXO_CLI,
                         {"--store", store, "install", "--serial", "111", "--company", "Acme",
                          "--cart-url", "https://cart.example/cgi", "--retrieve-url",
                          "https://cart.example/orders"},
                         dir / "in", dir / "out", dir / "err"),
              0);

    Progress cliProgress;
    CliWriter writers[2] = {{"A", {}}, {"B", {}}};
    const auto runCli = [&](CliWriter& writer) {
        const auto out = dir / (writer.prefix + ".out");
        const auto err = dir / (writer.prefix + ".err");
        for (int i = 0; i < kCliWrites; ++i) {
            const std::string name = writer.prefix + std::to_string(i);
            const int code = runProgram(VENDAXO_CLI, {"--store", store, "set", name, "v" + name},
                                        dir / "in", out, err);
            if (code != 0)
                writer.failures.push_back(name + ": " + std::to_string(code) + " " + readFile(err));
            cliProgress.advance();
        }
    };
    std::thread first(runCli, std::ref(writers[0]));
    std::thread second(runCli, std::ref(writers[1]));

    int storeDone = 0;
    std::string storeFailure;
    try {
        SqliteStore api(store);
        api.setMerchantNumber("111");
        for (; storeDone < kStoreWrites; ++storeDone) {
            cliProgress.waitFor(storeDone * 2 * kCliWrites / kStoreWrites);
            const std::string name = "C" + std::to_string(storeDone);
            api.writeMerchant(name, "v" + name);
            // Reads in between, as the GUI does while the CLI writes.
            if (storeDone % 50 == 0)
                static_cast<void>(api.readMerchant("A0"));
        }
    } catch (const std::exception& error) {
        storeFailure = error.what();
    }
    first.join();
    second.join();

    EXPECT_EQ(storeFailure, "");
    for (const CliWriter& writer : writers)
        EXPECT_EQ(writer.failures, std::vector<std::string>()) << writer.prefix;

    SqliteStore check(store);
    check.setMerchantNumber("111");
    int lost = 0;
    for (const auto& [prefix, count] :
         {std::pair{"A", kCliWrites}, {"B", kCliWrites}, {"C", storeDone}}) {
        for (int i = 0; i < count; ++i) {
            const std::string name = prefix + std::to_string(i);
            lost += check.readMerchant(name) != "v" + name;
        }
    }
    EXPECT_EQ(lost, 0);
}

} // namespace vendaxo::test
