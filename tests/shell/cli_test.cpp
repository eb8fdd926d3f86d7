#include "shell/cli_fixture.h"

#include <cstdlib>
#include <gmock/gmock.h>
#include <vector>

namespace vendaxo::test {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST_F(CliTest, InstallCreatesTheStoreAndValuesReadBack) {
    installAcme();
#ifndef _WIN32
    EXPECT_TRUE(std::filesystem::exists(m_store)) << "a missing store folder is created";
#endif
    EXPECT_EQ(cli({"get-install", "Company"}).out, "Acme \"Tools\"\n");
    EXPECT_EQ(cli({"get-install", "HelpFile"}).out, "\n") << "optional values are not written";

    EXPECT_EQ(cli({"set", "OURL", "http://acme.example/"}).exitCode, 0);
    EXPECT_EQ(cli({"get", "OURL"}).out, "http://acme.example/\n");
    EXPECT_EQ(cli({"get", "Currency"}).out, "\n");
    const std::string bytes = "line 1\r\nline \"2\"\n\xC3\xA9\x01";
    EXPECT_EQ(cli({"set", "OCnf", "-"}, bytes).exitCode, 0);
    EXPECT_EQ(cli({"get", "OCnf"}).out, bytes + "\n") << "stdin is taken byte for byte";
}

TEST_F(CliTest, ButtonSnippetsAreBuiltFromTheStoreAsTheDialogsWould) {
    installAcme();
    cli({"set", "Currency", "EUR"});
    cli({"set", "shopcolors", "1,2,3"});
    const Result viewCart = cli({"view-cart"});
    EXPECT_EQ(viewCart.exitCode, 0) << viewCart.err;
    EXPECT_EQ(viewCart.out,
              "<form method=\"POST\" action=\"http://cart.example/cgi\">\n"
              "<p><input type=\"submit\" value=\"View Shopping Cart\" name=\"openshopcart\"></p>\n"
              "<input type=\"hidden\" value=\"111\" name=\"merchant\">\n"
              "<input type=\"hidden\" value=\"Acme &quot;Tools&quot;\" name=\"merchantname\">\n"
              "<input type=\"hidden\" value=\"EUR\" name=\"currency\">\n"
              "<input type=\"hidden\" name=\"vdx_shopcolors\" value=\"1,2,3\">\n"
              "</form>\n");
    EXPECT_EQ(cli({"get", "OChk"}).out, "Using VDX Network...\n")
        << "the profile is loaded as the main window loads it";

    EXPECT_EQ(cli({"retrieve-orders", "--caption", ""}).out,
              "<form method=\"POST\" action=\"https://cart.example/orders\">\n"
              "<p><input type=\"submit\" value=\"\" name=\"getorders\"></p>\n"
              "<input type=\"hidden\" value=\"111\" name=\"merchant\">\n"
              "<input type=\"hidden\" value=\"Acme &quot;Tools&quot;\" name=\"merchantname\">\n"
              "<input type=\"hidden\" value=\"getorders\" name=\"vdxaction\">\n"
              "<input type=\"hidden\" value=\"EUR\" name=\"currency\">\n"
              "</form>\n");
}

TEST_F(CliTest, IntoInsertsAtTheCaretMarkerInOrder) {
    installAcme();
    const auto page = m_dir / "page.html";
    writeFile(page, "<html><body>\n<!--vendaxo:caret-->\n</body></html>\n");
    EXPECT_EQ(cli({"view-cart", "--caption", "First", "--into", page.string()}).exitCode, 0);
    const Result second = cli({"retrieve-orders", "--caption", "Second", "--into", page.string()});
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(second.out, "");
    const std::string html = readFile(page);
    const auto first = html.find("value=\"First\"");
    const auto next = html.find("value=\"Second\"");
    const auto marker = html.find("<!--vendaxo:caret-->");
    ASSERT_NE(first, std::string::npos);
    EXPECT_LT(first, next);
    EXPECT_LT(next, marker);
    EXPECT_THAT(html, StartsWith("<html><body>\n<form"));

    const Result missing = cli({"view-cart", "--into", (m_dir / "nope.html").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, HasSubstr("nope.html"));
}

TEST_F(CliTest, ExportAndImportMoveAMerchantBetweenStores) {
    installAcme();
    cli({"set", "OCnf", "Thanks!\r\nSee you"});
    const auto file = m_dir / "acme.reg";
    ASSERT_EQ(cli({"export", file.string()}).exitCode, 0);
    EXPECT_EQ(readFile(file).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(cli({"export"}).out, readFile(file)) << "stdout holds the same bytes";

    useEmptyStore();
    const Result imported = cli({"import", file.string()});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(cli({"get", "OCnf"}).out, "Thanks!\r\nSee you\n");
    EXPECT_EQ(cli({"get-install", "Serial"}).out, "111\n");
}

TEST_F(CliTest, FaultyRegFilesAreRefusedWithoutWritingAnything) {
    const auto file = m_dir / "bad.reg";
    writeFile(file, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo]\r\n"
                    "\"Serial\"=\"111\"\r\n\"Company\"=\"unterminated\r\n");
    const Result bad = cli({"import", file.string()});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_THAT(bad.err, StartsWith("vendaxo-cli: "));
    EXPECT_THAT(bad.err, HasSubstr("line 5"));
    EXPECT_EQ(cli({"get-install", "Serial"}).out, "\n");

    writeFile(file, "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n\"a\"=\"b\"\r\n");
    EXPECT_EQ(cli({"import", file.string()}).exitCode, 1);

    const Result unreadable = cli({"import", (m_dir / "missing.reg").string()});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_THAT(unreadable.err, HasSubstr("missing.reg"));
}

TEST_F(CliTest, MerchantChoiceIsRequiredAndCheckedWhenSeveralAreInstalled) {
    const Result none = cli({"get", "OURL"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_THAT(none.err, HasSubstr("No merchant is installed"));

    installTwo();
    const Result ambiguous = cli({"view-cart"});
    EXPECT_EQ(ambiguous.exitCode, 1);
    EXPECT_THAT(ambiguous.err, HasSubstr("111 (A), 222 (B)"));
    const Result unknown = cli({"--merchant", "333", "get", "OURL"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_THAT(unknown.err, HasSubstr("Merchant 333 is not installed"));

    cli({"--merchant", "222", "set", "Currency", "GBP"});
    EXPECT_EQ(cli({"--merchant", "111", "get", "Currency"}).out, "\n");
    const Result b = cli({"--merchant", "222", "view-cart"});
    EXPECT_THAT(b.out, HasSubstr("value=\"222\" name=\"merchant\""));
    EXPECT_THAT(b.out, HasSubstr("value=\"B\" name=\"merchantname\""));
    EXPECT_THAT(b.out, HasSubstr("value=\"GBP\" name=\"currency\""));

    const Result mismatch = cli(
        {"install", "--serial", "1;2", "--company", "A", "--cart-url", "x", "--retrieve-url", "y"});
    EXPECT_EQ(mismatch.exitCode, 1);
    EXPECT_EQ(cli({"get-install", "Serial"}).out, "111;222\n") << "nothing was written";
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndHelpWithZero) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"frobnicate"},
                                                 {"get"},
                                                 {"view-cart", "--colour", "red"},
                                                 {},
                                                 {"install", "--serial", "1"}}) {
        const Result result = cli(args);
        EXPECT_EQ(result.exitCode, 2) << args.size();
        EXPECT_THAT(result.err, StartsWith("vendaxo-cli: "));
    }
    const Result help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_THAT(help.out, HasSubstr("view-cart"));
    EXPECT_EQ(run({"view-cart", "--help"}).exitCode, 0);
    EXPECT_THAT(run({"--version"}).out, StartsWith("vendaxo-cli "));
}

TEST_F(CliTest, NonAsciiArgumentsAndFileNamesArriveIntact) {
    const std::string company = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x9B\x92 \"A\\B\\\" C\\";
    ASSERT_EQ(cli({"install", "--serial", "111", "--company", company, "--cart-url", "x",
                   "--retrieve-url", "y"})
                  .exitCode,
              0);
    EXPECT_EQ(cli({"get-install", "Company"}).out, company + "\n");

    const std::string name = "p\xC3\xA4ge \xE2\x82\xAC.html";
    const auto page = m_dir.path() / std::u8string(name.begin(), name.end());
    writeFile(page, "<body>\n</body>\n");
    const std::u8string pagePath = page.u8string();
    const std::string utf8Page(pagePath.begin(), pagePath.end());
    const Result inserted = cli({"view-cart", "--caption", "\xC3\xBC", "--into", utf8Page});
    EXPECT_EQ(inserted.exitCode, 0) << inserted.err;
    EXPECT_THAT(readFile(page), HasSubstr("value=\"\xC3\xBC\""));
}

} // namespace vendaxo::test
