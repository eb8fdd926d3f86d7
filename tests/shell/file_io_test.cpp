#include "base/error.h"
#include "base/file_io.h"
#include "test_support.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace vendaxo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Larger than any read buffer, with every byte value including NUL and CR LF.
std::string mixedBytes(std::size_t size) {
    std::mt19937 generator(7);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xFF);
    return bytes + std::string("\r\n\0\xFF", 4);
}

TEST(FileIoRead, ReturnsEveryByte) {
    TempDir dir;
    const std::string bytes = mixedBytes(200000);
    writeFile(dir / "page.html", bytes);
    EXPECT_EQ(readFileBytes(dir / "page.html"), bytes);
    writeFile(dir / "empty.html", "");
    EXPECT_EQ(readFileBytes(dir / "empty.html"), "");
}

TEST(FileIoRead, MissingFileOrFolderThrowsNamingIt) {
    TempDir dir;
    try {
        readFileBytes(dir / "missing.html");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot read ", 0), 0u) << error.what();
        EXPECT_NE(std::string(error.what()).find("missing.html: "), std::string::npos);
    }
    EXPECT_THROW(readFileBytes(dir.path()), Error);
}

TEST(FileIoWrite, CreatesAndReplacesContent) {
    TempDir dir;
    const fs::path file = dir / "page.html";
    writeFileAtomically(file, "first, and longer than the second");
    EXPECT_EQ(readFile(file), "first, and longer than the second");
    const std::string bytes = mixedBytes(100000);
    writeFileAtomically(file, bytes);
    EXPECT_EQ(readFile(file), bytes);
    writeFileAtomically(file, "");
    EXPECT_EQ(readFile(file), "");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"page.html"});
}

TEST(FileIoWrite, MissingFolderThrowsNamingFileAndTouchesNothing) {
    TempDir dir;
    writeFile(dir / "page.html", "old");
    try {
        writeFileAtomically(dir / "gone" / "page.html", "new");
        FAIL() << "no error";
    } catch (const Error& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("Cannot save ", 0), 0u) << message;
        EXPECT_NE(message.find((fs::path("gone") / "page.html").string() + ": "), std::string::npos)
            << message;
    }
    EXPECT_EQ(readFile(dir / "page.html"), "old");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"page.html"});
}

TEST(FileIoWrite, FailedRenameRemovesTempFileAndKeepsTarget) {
    // A folder in the way lets the temporary file be written but not renamed.
    TempDir dir;
    fs::create_directory(dir / "page.html");
    writeFile(dir / "page.html" / "inside.txt", "kept");
    EXPECT_THROW(writeFileAtomically(dir / "page.html", "new"), Error);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"page.html"});
    EXPECT_EQ(readFile(dir / "page.html" / "inside.txt"), "kept");
}

#ifndef _WIN32
TEST(FileIoWrite, KeepsPermissions) {
    TempDir dir;
    const fs::path file = dir / "page.html";
    for (const fs::perms perms : {fs::perms(0640), fs::perms(0604), fs::perms(0755)}) {
        writeFile(file, "old");
        fs::permissions(file, perms);
        writeFileAtomically(file, "new");
        EXPECT_EQ(fs::status(file).permissions(), perms);
        EXPECT_EQ(readFile(file), "new");
    }
}

TEST(FileIoWrite, WritesThroughSymbolicLink) {
    TempDir dir;
    writeFile(dir / "real.html", "old");
    fs::create_symlink("real.html", dir / "link.html");
    writeFileAtomically(dir / "link.html", "new");
    EXPECT_TRUE(fs::is_symlink(dir / "link.html"));
    EXPECT_EQ(readFile(dir / "real.html"), "new");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"link.html", "real.html"}));
}
#endif

} // namespace
} // namespace vendaxo
