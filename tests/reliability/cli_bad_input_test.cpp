// Every command with missing, empty, huge and binary arguments: a message and
// exit code 1 or 2, never a crash, and nothing written by a command that failed.
#include "shell/cli_fixture.h"
#include "shell/reg_file.h"
#include "shell/sqlite_store.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

namespace {

using ::testing::StartsWith;

// Every byte but NUL (which no argument can hold), most of them not UTF-8.
std::string binaryText() {
    std::string text;
    for (int c = 255; c >= 1; --c)
        text += static_cast<char>(c);
    return text;
}

// One argument may be at most 128 KiB on Linux; the 1 MB inputs go through
// standard input and files instead.
const std::string kLongArgument(100 * 1024, 'x');
const std::string kMegabyte(1024 * 1024, 'q');

class CliBadInput : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        installAcme();
        writeFile(m_page, kPage);
    }

    std::string storeDump() {
        SqliteStore store(m_store);
        return exportRegFile(store);
    }

    // Runs a command that may succeed or fail; a failure must explain itself and
    // leave the store and the page as they were.
    Result attempt(const std::vector<std::string>& args, const std::string& input = {}) {
        const std::string before = storeDump();
        const Result result = cli(args, input);
        std::string shown;
        for (const std::string& arg : args)
            shown += (arg.size() > 40 ? arg.substr(0, 40) + "..." : arg) + " ";
        EXPECT_TRUE(result.exitCode >= 0 && result.exitCode <= 2)
            << shown << "exit " << result.exitCode << "\n"
            << result.err;
        if (result.exitCode != 0) {
            EXPECT_THAT(result.err, StartsWith("vendaxo-cli: ")) << shown;
            EXPECT_EQ(result.err.find('\0'), std::string::npos) << shown;
            EXPECT_EQ(storeDump(), before) << shown << "failed but wrote";
            EXPECT_EQ(readFile(m_page), kPage) << shown << "failed but changed the page";
        }
        return result;
    }
    void expectRefused(const std::vector<std::string>& args, const std::string& input = {}) {
        const Result result = attempt(args, input);
        EXPECT_NE(result.exitCode, 0) << ::testing::PrintToString(args) << " took a bad argument";
    }

    const std::string kPage = "<html><body>\n<!--vendaxo:caret-->\n</body></html>\n";
    const std::filesystem::path m_page = m_dir / "shop.html";
};

const std::vector<std::string> kCommands = {"install",  "get",      "set",       "get-install",
                                            "import",   "export",   "view-cart", "retrieve-orders",
                                            "settings", "purchase", "checkout",  "options-file",
                                            "snippets"};

} // namespace

TEST_F(CliBadInput, MissingArgumentsAreUsageErrors) {
    for (const char* command : {"get", "set", "get-install", "import"}) {
        const Result result = attempt({command});
        EXPECT_EQ(result.exitCode, 2) << command;
    }
    EXPECT_EQ(attempt({"set", "OURL"}).exitCode, 2);
    EXPECT_EQ(attempt({"install", "--serial", "1"}).exitCode, 2);
    EXPECT_EQ(attempt({"options-file"}).exitCode, 2);
    EXPECT_EQ(attempt({"options-file", "show"}).exitCode, 2);
    for (const std::string& command : kCommands) {
        // An option with its value missing at the end of the line.
        for (const char* option : {"--into", "--caption", "--sku", "--cards", "--store"})
            attempt({command, option});
    }
}

TEST_F(CliBadInput, EmptyArguments) {
    expectRefused(
        {"install", "--serial", "", "--company", "", "--cart-url", "", "--retrieve-url", ""});
    attempt({"get", ""});
    attempt({"get-install", ""});
    attempt({"set", "", ""});
    expectRefused({"import", ""});
    attempt({"export", ""});
    expectRefused({"options-file", "show", ""});
    // An empty --into, like an empty export file name, means standard output.
    attempt({"view-cart", "--into", ""});
    attempt({"retrieve-orders", "--into", ""});
    expectRefused({"purchase", "--sku", "K1", "--options", ""});
    expectRefused({"purchase", "--sku", "K1", "--into", ""});
    expectRefused({"checkout", "--into", ""});
    attempt({"view-cart", "--caption", ""});
    attempt({"purchase", "--sku", "", "--price", "", "--description", "", "--weight", "",
             "--quantity-lock", "", "--option-data", "", "--discount", ""});
    attempt({"checkout", "--cards", "", "--require", "", "--button", ""});
    attempt({"--merchant", "", "get", "OURL"});
    const Result result = attempt({"--store", "", "get", "OURL"});
    EXPECT_NE(result.exitCode, 0);
}

TEST_F(CliBadInput, HugeArguments) {
    for (const std::string& command : kCommands)
        attempt({command, kLongArgument});
    attempt({"set", kLongArgument, kLongArgument});
    attempt({"get", kLongArgument});
    attempt({"view-cart", "--caption", kLongArgument});
    attempt({"purchase", "--sku", kLongArgument, "--price", kLongArgument, "--description",
             kLongArgument, "--quantity-lock", kLongArgument, "--discount",
             kLongArgument.substr(0, 50000) + "=" + kLongArgument.substr(0, 50000)});
    attempt({"checkout", "--cards", kLongArgument, "--require", kLongArgument});
    expectRefused({"import", kLongArgument});
    expectRefused({"view-cart", "--into", kLongArgument});
    expectRefused({"--store", kLongArgument, "get", "OURL"});

    // A megabyte value from standard input is stored whole or not at all.
    const Result set = attempt({"set", "OCnf", "-"}, kMegabyte);
    if (set.exitCode == 0) {
        EXPECT_EQ(cli({"get", "OCnf"}).out, kMegabyte + "\n");
    }
    // And megabyte files.
    writeFile(m_dir / "big.reg", kMegabyte);
    expectRefused({"import", (m_dir / "big.reg").string()});
    writeFile(m_dir / "big.vdx", kMegabyte);
    attempt({"options-file", "show", (m_dir / "big.vdx").string()});
    attempt({"purchase", "--sku", "K1", "--options", (m_dir / "big.vdx").string()});
    writeFile(m_dir / "big.html", kMegabyte);
    const Result into = attempt({"view-cart", "--into", (m_dir / "big.html").string()});
    EXPECT_EQ(into.exitCode, 0) << into.err;
    EXPECT_EQ(readFile(m_dir / "big.html").substr(0, kMegabyte.size()), kMegabyte);
    attempt({"snippets", "--json", (m_dir / "big.html").string()});
}

TEST_F(CliBadInput, BinaryArguments) {
    const std::string binary = binaryText();
    for (const std::string& command : kCommands)
        attempt({command, binary});
    attempt({binary});
    const Result set = attempt({"set", "Motto", binary});
    if (set.exitCode == 0) {
        EXPECT_EQ(cli({"get", "Motto"}).out, binary + "\n") << "stored other bytes";
    }
    // A name with a line break could not be exported again.
    expectRefused({"set", binary, "x"});
    expectRefused({"set", "A\rB", "x"});
    EXPECT_EQ(cli({"export"}).exitCode, 0);
    attempt({"get", binary});
    attempt({"view-cart", "--caption", binary});
    attempt({"purchase", "--sku", binary, "--price", binary, "--description", binary,
             "--option-data", binary, "--discount", binary});
    attempt({"checkout", "--cards", binary, "--require", binary, "--button", binary});
    expectRefused({"import", binary});
    expectRefused({"--merchant", binary, "get", "OURL"});
    writeFile(m_dir / "binary.reg", binary);
    expectRefused({"import", (m_dir / "binary.reg").string()});
    writeFile(m_dir / "binary.vdx", binary);
    attempt({"options-file", "show", (m_dir / "binary.vdx").string()});
    attempt({"snippets", (m_dir / "binary.vdx").string()});
    attempt({"purchase", "--sku", "K1", "--options", (m_dir / "binary.vdx").string(), "--into",
             m_page.string()});
}

} // namespace vendaxo::test
