// The command line's Windows side: the registry as the store and the page
// editor reached by OLE automation (the test server registered as the editor).
#include "base/system_message.h"
#include "registry_support.h"
#include "shell/cli_fixture.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST_F(CliTest, StoreOptionSaysTheEmbeddedStoreIsNotBuilt) {
    const Result result = run({"--store", (m_dir / "registry.sqlite3").string(), "get", "OURL"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_THAT(result.err, StartsWith("vendaxo-cli: --store: on Windows the settings live in "
                                       "the registry (HKEY_LOCAL_MACHINE\\Software\\Kestrune\\"
                                       "Vendaxo); the embedded store is not built here."));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "registry.sqlite3"));
}

TEST_F(CliTest, SnippetsGoToThePageEditorExactlyAsPrinted) {
    installAcme();
    cli({"set", "Currency", "\xE2\x82\xAC"});
    cli({"set", "shopcolors", "1,2,3"});
    const auto received = m_dir / "received.html";
    TestEditorRegistration editor("FrontPage.Editor", received);

    std::string expected;
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"view-cart"},
          {"retrieve-orders", "--caption", "Caf\xC3\xA9 \"orders\""},
          {"view-cart", "--caption", ""}}) {
        const Result printed = cli(command);
        ASSERT_EQ(printed.exitCode, 0) << printed.err;
        ASSERT_THAT(printed.out, StartsWith("<form method=\"POST\""));
        expected += printed.out;

        std::vector<std::string> toEditor = command;
        toEditor.insert(toEditor.end(), {"--editor", "frontpage"});
        const Result inserted = cli(toEditor);
        EXPECT_EQ(inserted.exitCode, 0) << inserted.err;
        EXPECT_EQ(inserted.out, "") << "the snippet goes to the editor instead";
        EXPECT_EQ(readFile(received), expected) << "byte for byte, in order";
    }
}

TEST_F(CliTest, UnreachablePageEditorFailsWithTheSystemReason) {
    installAcme();
    const Result result = cli({"view-cart", "--editor", "frontpage"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "vendaxo-cli: The page editor FrontPage.Editor is not installed: " +
                              systemMessage(static_cast<unsigned long>(CO_E_CLASSSTRING)) + "\n");
    EXPECT_EQ(result.out, "");

    const auto received = m_dir / "received.html";
    TestEditorRegistration editor("FrontPage.Editor", received);
    editor.breakServerPath();
    const Result broken = cli({"retrieve-orders", "--editor", "frontpage"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_THAT(broken.err, StartsWith("vendaxo-cli: The page editor FrontPage.Editor is not "
                                       "running and could not be started: "));
    EXPECT_FALSE(std::filesystem::exists(received));
}

TEST_F(CliTest, EditorOptionIsCheckedAsUsage) {
    installAcme();
    writeFile(m_dir / "page.html", "<body></body>");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"view-cart", "--editor", "notepad"},
          {"view-cart", "--editor", "frontpage", "--into", (m_dir / "page.html").string()}}) {
        const Result result = cli(args);
        EXPECT_EQ(result.exitCode, 2) << args.back();
        EXPECT_THAT(result.err, StartsWith("vendaxo-cli: "));
    }
    EXPECT_EQ(readFile(m_dir / "page.html"), "<body></body>");
}

} // namespace vendaxo::test
