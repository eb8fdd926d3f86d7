#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

// Text helpers without domain knowledge. Case rules are ASCII only: stored
// names, HTML names and file extensions are ASCII, and a locale must not change them.

// Every part between separators, empty parts included ("a;;b" gives 3 parts).
std::vector<std::string> splitList(std::string_view text, char separator);
// Without surrounding blanks, tabs and line ends.
std::string trimmed(std::string_view text);

char asciiLower(char c);
std::string asciiLower(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// Position of `needle` in `text` from `from` on, letters in any case; npos when absent.
std::size_t findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// The non-empty lines of a text whose lines end in CR LF, LF or CR.
std::vector<std::string> nonEmptyLines(std::string_view text);
// Each item followed by CR LF: how lists are stored.
std::string crlfLines(const std::vector<std::string>& items);

// `text` without any of the characters in `forbidden`.
std::string withoutAny(std::string_view text, std::string_view forbidden);

} // namespace vendaxo
