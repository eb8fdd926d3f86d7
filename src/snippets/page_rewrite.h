#pragma once

#include "base/error.h"
#include "snippets/page_file.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

// A page file as it was read: rewriting it is allowed only while the file
// still holds these bytes, so a change made on disk meanwhile is never lost.
struct PageOnDisk {
    std::filesystem::path file;
    std::string bytes;

    // Throws Error naming the file when it cannot be read.
    static PageOnDisk read(const std::filesystem::path& file);
};

// New HTML (UTF-8, lines ended by "\n") for the page's bytes [begin, end).
struct PageReplacement {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string html;
};

// The page's bytes with each range replaced by its HTML, written in the page's
// own encoding and line ends; every other byte stays as it was. The ranges
// must lie inside the page and not overlap (Error otherwise).
std::string replaceInPage(std::string_view pageBytes, std::vector<PageReplacement> replacements);
// HTML (UTF-8, lines ended by "\n") as the page holds text: in its encoding
// and line ends, the bytes replaceInPage() writes for it.
std::string htmlInPage(std::string_view html, const PageDocument& page);

// The file no longer holds what was read.
class PageChangedOnDisk final : public Error {
public:
    using Error::Error;
};

// Writes `newBytes` over the page atomically and keeps the bytes read as
// PAGE.bak beside it, unless the file changed on disk since it was read: then
// nothing is written and PageChangedOnDisk (an Error naming the file) is thrown.
void rewritePage(const PageOnDisk& page, std::string_view newBytes);

// The backup rewritePage() keeps: the page's name with ".bak" added.
std::filesystem::path pageBackupPath(const std::filesystem::path& file);

} // namespace vendaxo
