// Two vendaxo-cli processes and the store API write at the same time: every
// write lands and none fails because another writer holds the database.
#include "child_process.h"
#include "shell/sqlite_store.h"
#include "test_support.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace vendaxo::test {

namespace {

constexpr int kCliWrites = 400;    // per command line process, one process a write
constexpr int kStoreWrites = 3000; // through the API, in this process
constexpr auto kTimeLimit = std::chrono::minutes(3);

struct CliWriter {
    std::string prefix;
    int done = 0;
    std::vector<std::string> failures;
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
    const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
    std::atomic<bool> stop = false;

    CliWriter writers[2] = {{"A", 0, {}}, {"B", 0, {}}};
    const auto runCli = [&](CliWriter& writer) {
        const auto out = dir / (writer.prefix + ".out");
        const auto err = dir / (writer.prefix + ".err");
        for (int i = 0; i < kCliWrites && !stop; ++i) {
            const std::string name = writer.prefix + std::to_string(i);
            const int code = runProgram(VENDAXO_CLI, {"--store", store, "set", name, "v" + name},
                                        dir / "in", out, err);
            if (code != 0)
                writer.failures.push_back(name + ": " + std::to_string(code) + " " + readFile(err));
            writer.done = i + 1;
            if (std::chrono::steady_clock::now() > deadline)
                stop = true;
        }
    };
    std::thread first(runCli, std::ref(writers[0]));
    std::thread second(runCli, std::ref(writers[1]));

    int storeDone = 0;
    std::string storeFailure;
    try {
        SqliteStore api(store);
        api.setMerchantNumber("111");
        for (; storeDone < kStoreWrites && !stop; ++storeDone) {
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
    for (const CliWriter& writer : writers) {
        EXPECT_EQ(writer.failures, std::vector<std::string>()) << writer.prefix;
        EXPECT_EQ(writer.done, kCliWrites) << "not done within the time limit";
    }
    EXPECT_EQ(storeDone, kStoreWrites) << "not done within the time limit";

    SqliteStore check(store);
    check.setMerchantNumber("111");
    int lost = 0;
    for (const auto& [prefix, count] :
         {std::pair{"A", writers[0].done}, {"B", writers[1].done}, {"C", storeDone}}) {
        for (int i = 0; i < count; ++i) {
            const std::string name = prefix + std::to_string(i);
            lost += check.readMerchant(name) != "v" + name;
        }
    }
    EXPECT_EQ(lost, 0);
}

} // namespace vendaxo::test
