#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vendaxo {

// A path from UTF-8 text, as arguments and files name paths; on Windows a
// narrow path would be taken as the ANSI code page.
std::filesystem::path pathFromUtf8(std::string_view text);

// Whole file as bytes; throws Error with a message naming the file.
std::string readFileBytes(const std::filesystem::path& file);

// Writes a temporary file beside `file`, flushes it to disk and renames it over
// `file`, so the file holds either its old or its new content. Keeps the
// permissions of an existing file. Throws Error.
void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

} // namespace vendaxo
