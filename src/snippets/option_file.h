#pragma once

#include "snippets/option_lists.h"

#include <filesystem>

namespace vendaxo {

// Option files (.vdx): one line per option list, each cell followed by ";".
// Files are written as UTF-8; older ones in Windows-1252 are read as such.

// The option data text a file holds, as the grid is rebuilt from it. Throws
// Error when the file cannot be read.
std::string readOptionFile(const std::filesystem::path& file);
// The option data text of the bytes of a file.
std::string optionDataFromFile(std::string_view bytes);

// Writes the option data text and one line feed, atomically. Throws Error.
void writeOptionFile(const std::filesystem::path& file, const OptionGrid& grid);

} // namespace vendaxo
