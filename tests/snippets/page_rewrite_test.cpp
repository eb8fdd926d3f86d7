#include "base/text_encoding.h"
#include "snippets/page_rewrite.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vendaxo::test {
namespace {

using namespace std::string_literals;

TEST(ReplaceInPage, KeepsEveryByteOutsideTheRangesAndFollowsTheLineEnds) {
    const std::string page = "<p>a</p>\r\n<form>old</form>\r\n<i>x</i><form>2</form>\r\n";
    const std::size_t first = page.find("<form>");
    const std::size_t firstEnd = page.find("</form>") + 7;
    const std::size_t second = page.rfind("<form>");
    const std::size_t secondEnd = page.rfind("</form>") + 7;
    const std::string out = replaceInPage(
        page, {{second, secondEnd, "<b>\n"}, {first, firstEnd, "<form>\nnew</form>"}});
    EXPECT_EQ(out, "<p>a</p>\r\n<form>\r\nnew</form>\r\n<i>x</i><b>\r\n\r\n");
    EXPECT_EQ(replaceInPage(page, {}), page);
}

TEST(ReplaceInPage, WritesInThePagesOwnEncoding) {
    const std::string head = "\xFF\xFE" + utf8ToUtf16leBytes("<p>\xC3\xA9</p>");
    const std::string page = head + utf8ToUtf16leBytes("<form>x</form>");
    EXPECT_EQ(replaceInPage(page, {{head.size(), page.size(), "<i>\xE2\x82\xAC</i>"}}),
              head + utf8ToUtf16leBytes("<i>\xE2\x82\xAC</i>"));

    const std::string latin = "<meta charset=windows-1252><p>caf\xE9</p><form>x</form>";
    const std::size_t at = latin.find("<form>");
    EXPECT_EQ(replaceInPage(latin, {{at, latin.size(), "\xC3\xA9 \xE2\x82\xAC \xE2\x98\x83"}}),
              latin.substr(0, at) + "\xE9 \x80 &#9731;");
}

TEST(ReplaceInPage, RefusesRangesThatOverlapOrLieOutside) {
    const std::string page = "0123456789";
    EXPECT_THROW(replaceInPage(page, {{2, 5, "x"}, {4, 6, "y"}}), Error);
    EXPECT_THROW(replaceInPage(page, {{8, 11, "x"}}), Error);
    EXPECT_THROW(replaceInPage(page, {{5, 4, "x"}}), Error);
    EXPECT_EQ(replaceInPage(page, {{5, 6, "y"}, {2, 5, "x"}}), "01xy6789");
}

TEST(RewritePage, WritesOverWhatWasReadAndKeepsItAsTheBackup) {
    TempDir dir;
    const auto file = dir / "shop.html";
    writeFile(file, "old");
    const PageOnDisk page = PageOnDisk::read(file);
    rewritePage(page, "new");
    EXPECT_EQ(readFile(file), "new");
    EXPECT_EQ(readFile(pageBackupPath(file)), "old");
}

TEST(RewritePage, LeavesAPageChangedOnDiskAsItIs) {
    TempDir dir;
    const auto file = dir / "shop.html";
    writeFile(file, "old");
    const PageOnDisk page = PageOnDisk::read(file);
    writeFile(file, "the merchant's edit");
    EXPECT_THROW(rewritePage(page, "new"), PageChangedOnDisk);
    EXPECT_EQ(readFile(file), "the merchant's edit");
    EXPECT_FALSE(std::filesystem::exists(pageBackupPath(file)));

    std::filesystem::remove(file);
    EXPECT_THROW(rewritePage(page, "new"), PageChangedOnDisk);
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace vendaxo::test
