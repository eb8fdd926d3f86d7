// Kills a writer with SIGKILL at random points of its work (counted in the writes
// it acknowledged or the file events it caused, never in time) and checks what it
// left behind: the store intact with every acknowledged write, files old or new,
// never mixed.
#include "child_process.h"
#include "folder_events.h"
#include "piped_process.h"
#include "reliability_values.h"
#include "shell/sqlite_store.h"
#include "snippets/option_file.h"
#include "test_support.h"

#include <csignal>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <sqlite3.h>

namespace vendaxo::test {

namespace {

constexpr int kKills = 50;

std::mt19937 seededRandom() {
    const auto seed = static_cast<unsigned>(std::random_device{}());
    ::testing::Test::RecordProperty("seed", static_cast<int>(seed));
    return std::mt19937(seed);
}

// How many writes a child acknowledges before it is killed: every fifth child
// none (killed while it starts), the others a random number, so that the kill
// lands anywhere in a write.
std::size_t acknowledgementsBeforeKill(int kill, std::mt19937& random) {
    return kill % 5 == 0 ? 0 : 1 + random() % 20;
}

std::string integrityCheck(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

// The write numbers a killed child acknowledged.
std::vector<long long> acknowledged(const PipedProcess& child) {
    std::vector<long long> numbers;
    for (const std::string& line : child.lines())
        numbers.push_back(std::stoll(line));
    return numbers;
}

// A store with one merchant installed, and vendaxo-cli run on it to its end.
struct InstalledStore {
    TempDir dir;
    std::string store = (dir / "registry.sqlite3").string();

    InstalledStore() {
        writeFile(dir / "in", "");
        EXPECT_EQ(
            run({"install", "--serial", "111", "--company", "Acme", "--cart-url",
                 "https://cart.example/cgi", "--retrieve-url", "https://cart.example/orders"}),
            0);
    }
    int run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--store", store});
        return runProgram(VENDAXO_CLI, args, dir / "in", dir / "out", dir / "err");
    }
    // The command line, as a child to kill.
    std::vector<std::string> command(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--store", store});
        return args;
    }
};

} // namespace

TEST(CrashConsistency, StoreKeepsEveryAcknowledgedWrite) {
    TempDir dir;
    const auto file = dir / "registry.sqlite3";
    auto random = seededRandom();
    std::vector<long long> kept;
    long long next = 0;
    int killedMidway = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        PipedProcess child(RELIABILITY_CHILD,
                           {"store", file.string(), std::to_string(next), "1000000"});
        ASSERT_TRUE(child.waitForLines(acknowledgementsBeforeKill(kill, random)))
            << "the child ended early";
        child.kill();
        killedMidway += child.wait() == 128 + SIGKILL;
        const std::vector<long long> numbers = acknowledged(child);
        kept.insert(kept.end(), numbers.begin(), numbers.end());
        const long long inFlight = numbers.empty() ? next : numbers.back() + 1;

        // A child killed before it created the database acknowledged nothing.
        if (std::filesystem::exists(file))
            ASSERT_EQ(integrityCheck(file), "ok") << "after kill " << kill;
        else
            ASSERT_TRUE(numbers.empty());
        SqliteStore store(file);
        store.setMerchantNumber("111");
        for (long long i : numbers)
            ASSERT_EQ(store.readMerchant("W" + std::to_string(i)), storeValue(i)) << i;
        // The write under way at the kill is there whole or not at all.
        const std::string partial = store.readMerchant("W" + std::to_string(inFlight));
        EXPECT_TRUE(partial.empty() || partial == storeValue(inFlight)) << inFlight;
        if (!numbers.empty()) {
            const long long latest = std::stoll(store.readMerchant("Latest"));
            EXPECT_TRUE(latest == numbers.back() || latest == inFlight) << latest;
        }
        next = inFlight + 1;
    }
    SqliteStore store(file);
    store.setMerchantNumber("111");
    for (long long i : kept)
        ASSERT_EQ(store.readMerchant("W" + std::to_string(i)), storeValue(i)) << i;
    EXPECT_EQ(killedMidway, kKills) << "every child should still be writing when killed";
    EXPECT_GT(kept.size(), 0u);
    RecordProperty("acknowledged", static_cast<int>(kept.size()));
}

TEST(CrashConsistency, OptionFileHoldsOldOrNewSave) {
    TempDir dir;
    const auto file = dir / "kite.vdx";
    writeOptionFile(file, optionGridFor(0));
    auto random = seededRandom();
    long long last = 0; // the save the file must hold at least
    long long next = 1;
    for (int kill = 0; kill < kKills; ++kill) {
        PipedProcess child(RELIABILITY_CHILD,
                           {"option-file", file.string(), std::to_string(next), "1000000"});
        ASSERT_TRUE(child.waitForLines(acknowledgementsBeforeKill(kill, random)))
            << "the child ended early";
        child.kill();
        const std::vector<long long> numbers = acknowledged(child);
        if (!numbers.empty())
            last = numbers.back();
        const long long inFlight = numbers.empty() ? next : last + 1;

        OptionGrid grid;
        grid.rebuild(readOptionFile(file));
        const std::string title = grid.title(0);
        ASSERT_TRUE(title.starts_with("Save ")) << "after kill " << kill << ": " << title;
        const long long held = std::stoll(title.substr(5));
        EXPECT_TRUE(held == last || held == inFlight) << held << " after " << last;
        EXPECT_EQ(grid.data(), optionGridFor(held).data()) << "a mix of two saves";
        last = held;
        next = inFlight + 1;
    }
}

TEST(CrashConsistency, PageInsertIntoHoldsOldOrNewPage) {
    const InstalledStore installed;
    const TempDir& dir = installed.dir;
    const auto page = dir / "shop.html";
    const std::string head = "<html><body>\n<p>Kites</p>\n";
    const std::string tail = "<!--vendaxo:caret-->\n</body></html>\n";
    writeFile(page, head + tail);
    const std::vector<std::string> insert =
        installed.command({"view-cart", "--into", page.string()});

    // One whole run: the bytes one insert adds, and how many file events it causes.
    FolderEvents events(dir.path());
    events.restart();
    {
        PipedProcess whole(VENDAXO_CLI, insert);
        events.waitFor(std::numeric_limits<std::size_t>::max(), whole);
        ASSERT_EQ(whole.wait(), 0);
    }
    const std::size_t runEvents = events.count();
    ASSERT_GT(runEvents, 0u);
    const std::string once = readFile(page);
    ASSERT_TRUE(once.starts_with(head) && once.ends_with(tail));
    const std::string unit = once.substr(head.size(), once.size() - head.size() - tail.size());
    ASSERT_FALSE(unit.empty());

    auto random = seededRandom();
    std::size_t inserts = 1;
    int killedMidway = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        events.restart();
        PipedProcess child(VENDAXO_CLI, insert);
        // After a random number of the run's file events: anywhere from its start to its end.
        events.waitFor(1 + random() % runEvents, child);
        child.kill();
        const bool finished = child.wait() == 0;
        killedMidway += !finished;

        const std::string bytes = readFile(page);
        ASSERT_TRUE(bytes.starts_with(head) && bytes.ends_with(tail)) << bytes;
        std::string middle = bytes.substr(head.size(), bytes.size() - head.size() - tail.size());
        std::size_t count = 0;
        for (; middle.starts_with(unit); ++count)
            middle.erase(0, unit.size());
        ASSERT_TRUE(middle.empty()) << "a torn page after kill " << kill;
        if (finished)
            EXPECT_EQ(count, inserts + 1);
        else
            EXPECT_TRUE(count == inserts || count == inserts + 1) << count;
        inserts = count;
    }
    RecordProperty("killed_midway", killedMidway);
    EXPECT_GT(killedMidway, 0) << "no kill landed while the command ran";
}

TEST(CrashConsistency, SiteRefreshLeavesEveryPageWhole) {
    const InstalledStore installed;
    const TempDir& dir = installed.dir;
    const auto site = dir / "site";
    std::filesystem::create_directories(site);
    ASSERT_EQ(installed.run({"view-cart"}), 0);
    const std::string button = readFile(dir / "out");
    constexpr int kPages = 20;
    std::vector<std::string> old;
    for (int i = 0; i < kPages; ++i) {
        old.push_back("<html><body>\n<p>Page " + std::to_string(i) + "</p>\n" + button +
                      "<p>End of " + std::to_string(i) + "</p></body></html>\n");
    }
    const auto page = [&](int i) {
        return site / ("page" + std::to_string(i) + ".html");
    };
    const auto restore = [&] {
        for (int i = 0; i < kPages; ++i) {
            writeFile(page(i), old[static_cast<std::size_t>(i)]);
            std::filesystem::remove(page(i).string() + ".bak");
        }
    };
    ASSERT_EQ(installed.run({"set", "Currency", "EUR"}), 0);
    const std::vector<std::string> refresh = installed.command({"site", "refresh", site.string()});

    // One whole run: the pages it leaves, and how many file events it causes.
    restore();
    FolderEvents events(site);
    events.restart();
    {
        PipedProcess whole(VENDAXO_CLI, refresh);
        events.waitFor(std::numeric_limits<std::size_t>::max(), whole);
        ASSERT_EQ(whole.wait(), 0);
    }
    const std::size_t runEvents = events.count();
    std::vector<std::string> refreshed;
    for (int i = 0; i < kPages; ++i) {
        refreshed.push_back(readFile(page(i)));
        ASSERT_NE(refreshed.back(), old[static_cast<std::size_t>(i)]);
    }

    auto random = seededRandom();
    int killedMidway = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        restore();
        events.restart();
        PipedProcess child(VENDAXO_CLI, refresh);
        // After a random number of the run's file events: anywhere from its start to its end.
        events.waitFor(1 + random() % runEvents, child);
        child.kill();
        killedMidway += child.wait() != 0;
        for (int i = 0; i < kPages; ++i) {
            const auto at = static_cast<std::size_t>(i);
            const std::string bytes = readFile(page(i));
            ASSERT_TRUE(bytes == old[at] || bytes == refreshed[at])
                << "page " << i << " torn after kill " << kill;
            const std::string backup = page(i).string() + ".bak";
            if (std::filesystem::exists(backup)) {
                ASSERT_EQ(readFile(backup), old[at]) << "backup of page " << i;
            }
            if (bytes == refreshed[at]) {
                ASSERT_TRUE(std::filesystem::exists(backup)) << "page " << i << " without backup";
            }
        }
    }
    RecordProperty("killed_midway", killedMidway);
    EXPECT_GT(killedMidway, 0) << "no kill landed while the command ran";
}

} // namespace vendaxo::test
