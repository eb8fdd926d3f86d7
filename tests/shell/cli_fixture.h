#pragma once

#include "child_process.h"
#include "shell/settings_store.h"
#include "test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#ifdef _WIN32
#include "registry_support.h"
#endif

namespace vendaxo::test {

struct Result {
    int exitCode;
    std::string out;
    std::string err;
};

// Each test gets its own store in a folder that does not exist yet; on Windows,
// where the store is the registry, each starts and ends without the Vendaxo key.
class CliTest : public ::testing::Test {
protected:
#ifdef _WIN32
    void SetUp() override {
        useEmptyStore();
    }
    void TearDown() override {
        useEmptyStore();
    }
#endif
    // Runs vendaxo-cli on this test's store; stdin, stdout and stderr go through files.
    Result run(const std::vector<std::string>& args, const std::string& input = {}) {
        writeFile(m_dir / "stdin", input);
        const int exitCode =
            runProgram(cliProgram(), args, m_dir / "stdin", m_dir / "stdout", m_dir / "stderr");
        return {exitCode, readFile(m_dir / "stdout"), textLines(readFile(m_dir / "stderr"))};
    }
    Result cli(std::vector<std::string> args, const std::string& input = {}) {
#ifndef _WIN32
        args.insert(args.begin(), {"--store", m_store.string()});
#endif
        return run(args, input);
    }
    // Standard error is a text stream: on Windows its lines end in CR LF.
    static std::string textLines(std::string text) {
#ifdef _WIN32
        for (std::size_t at = text.find("\r\n"); at != std::string::npos;
             at = text.find("\r\n", at))
            text.erase(at, 1);
#endif
        return text;
    }
    // Continues with an empty store, as on another machine.
    void useEmptyStore() {
#ifdef _WIN32
        deleteKeyTree(HKEY_LOCAL_MACHINE, std::string(kInstallationKey), kProgramView);
#else
        m_store = m_dir / "other.sqlite3";
#endif
    }
    static std::filesystem::path cliProgram() {
#ifdef _WIN32
        // Beside the test program: Wine's processes know no build machine paths.
        return programFolder() / VENDAXO_CLI;
#else
        return VENDAXO_CLI;
#endif
    }
    void installAcme() {
        ASSERT_EQ(cli({"install", "--serial", "111", "--company", "Acme \"Tools\"", "--cart-url",
                       "HTTPS://cart.example/cgi", "--retrieve-url", "https://cart.example/orders"})
                      .exitCode,
                  0);
    }
    void installTwo() {
        ASSERT_EQ(cli({"install", "--serial", "111;222", "--company", "A;B", "--cart-url",
                       "https://cart.example/cgi", "--retrieve-url", "https://cart.example/o"})
                      .exitCode,
                  0);
    }

    TempDir m_dir;
    std::filesystem::path m_store = m_dir / "missing/folder/registry.sqlite3";
};

} // namespace vendaxo::test
