// The page window saving while it is killed: the page and its backup each hold
// a whole version, never a mix or nothing.
#include "piped_process.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <random>

namespace vendaxo::test {

namespace {

const std::string kHead = "<html><body>\n<p>Kites</p>\n";
const std::string kTail = "</body></html>\n";

// How many whole snippets stand between the page's head and tail (the window
// opens with the caret before </body>); -1 for a torn file.
long long versionOf(const std::string& bytes, const std::string& unit) {
    if (!bytes.starts_with(kHead) || !bytes.ends_with(kTail) ||
        bytes.size() < kHead.size() + kTail.size())
        return -1;
    std::string_view inserted(bytes.data() + kHead.size(),
                              bytes.size() - kHead.size() - kTail.size());
    long long count = 0;
    for (; inserted.starts_with(unit); ++count)
        inserted.remove_prefix(unit.size());
    return inserted.empty() ? count : -1;
}

} // namespace

TEST(PageWindowCrash, SavedPageAndBackupAreWholeVersions) {
    TempDir dir;
    const auto file = dir / "shop.html";
    const std::string unit = "<p>Buy</p>";
    writeFile(file, kHead + kTail);
    const auto seed = static_cast<unsigned>(std::random_device{}());
    RecordProperty("seed", static_cast<int>(seed));
    std::mt19937 random(seed);

    long long saved = 0; // snippets in the page after the last acknowledged save
    for (int kill = 0; kill < 50; ++kill) {
        PipedProcess child(PAGE_WINDOW_CHILD, {file.string(), unit, "1000000"});
        // Killed after its first save and a random number more, so anywhere in a save.
        ASSERT_TRUE(child.waitForLines(1 + random() % 5)) << "the child ended early";
        child.kill();
        const long long acknowledged = static_cast<long long>(child.lines().size());
        const long long held = versionOf(readFile(file), unit);
        ASSERT_GE(held, 0) << "a torn page after kill " << kill;
        EXPECT_TRUE(held == saved + acknowledged || held == saved + acknowledged + 1)
            << held << " after " << saved << " + " << acknowledged;
        if (std::filesystem::exists(dir / "shop.html.bak")) {
            const long long backup = versionOf(readFile(dir / "shop.html.bak"), unit);
            EXPECT_GE(backup, 0) << "a torn backup after kill " << kill;
            EXPECT_LE(backup, held);
        }
        saved = held;
    }
}

} // namespace vendaxo::test
