#include "site/site_pages.h"
#include "test_support.h"

#include <gmock/gmock.h>

namespace vendaxo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> names(const SitePages& listed, const std::filesystem::path& base) {
    std::vector<std::string> out;
    for (const SitePage& page : listed.pages)
        out.push_back(page.file.lexically_relative(base).generic_string());
    return out;
}

TEST(SitePages, WalksFoldersInNameOrderForPagesOnly) {
    TempDir dir;
    const std::filesystem::path site = dir / "site";
    for (const char* name : {"b.html", "a.HTM", "sub/c.htm", "sub/z.Html", ".hidden/d.html",
                             "_private/e.html", "e.html.bak", "f.txt", "g.htmx"}) {
        std::filesystem::create_directories((site / name).parent_path());
        writeFile(site / name, "<p>");
    }
    const SitePages listed = listSitePages({site, site / "b.html"});
    EXPECT_THAT(names(listed, dir.path()),
                ElementsAre("site/_private/e.html", "site/a.HTM", "site/b.html", "site/sub/c.htm",
                            "site/sub/z.Html"))
        << "hidden folders, backups and other files are no pages; a page given twice is one";
    EXPECT_TRUE(listed.failures.empty());
    EXPECT_EQ(listed.pages[1].name, (site / "a.HTM").string()) << "named as reached";
}

TEST(SitePages, ListsWhatCannotBeReadAndGoesOn) {
    TempDir dir;
    writeFile(dir / "a.html", "<p>");
    writeFile(dir / "notes.txt", "x");
    const SitePages listed = listSitePages({dir / "missing", dir / "notes.txt", dir / "a.html"});
    EXPECT_THAT(names(listed, dir.path()), ElementsAre("a.html"));
    ASSERT_EQ(listed.failures.size(), 2U);
    EXPECT_EQ(listed.failures[0].name, (dir / "missing").string());
    EXPECT_THAT(listed.failures[0].message, HasSubstr("cannot be read"));
    EXPECT_THAT(listed.failures[1].message, HasSubstr("is not a page"));
}

#ifndef _WIN32
TEST(SitePages, FollowsLinksButNotRoundInCircles) {
    TempDir dir;
    const std::filesystem::path site = dir / "site";
    std::filesystem::create_directories(site / "maps");
    writeFile(site / "maps/a.html", "<p>");
    writeFile(dir / "elsewhere.html", "<p>");
    std::filesystem::create_directory_symlink(site, site / "maps/loop");
    std::filesystem::create_directory_symlink(site / "maps", site / "again");
    std::filesystem::create_symlink(dir / "elsewhere.html", site / "linked.html");
    std::filesystem::create_symlink(dir / "nothing.html", site / "dangling.html");
    const SitePages listed = listSitePages({site});
    EXPECT_THAT(names(listed, dir.path()), ElementsAre("site/again/a.html", "site/linked.html"))
        << "a folder is walked once, under the first name it is reached by";
    EXPECT_TRUE(listed.failures.empty());
}
#endif

} // namespace
} // namespace vendaxo::test
