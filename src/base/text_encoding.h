#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vendaxo {

bool isValidUtf8(std::string_view bytes);

// Invalid UTF-8 sequences decode as U+FFFD.
std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view codePoints);
void appendUtf8(std::string& out, char32_t codePoint);

std::u16string utf8ToUtf16(std::string_view text);
// Unpaired surrogates decode as U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// UTF-16LE bytes (as files and the registry hold them) to and from UTF-8.
std::string utf16leBytesToUtf8(std::string_view bytes);
std::string utf8ToUtf16leBytes(std::string_view text);

// Windows-1252; the five unassigned bytes map to the C1 controls, as browsers do.
std::string cp1252ToUtf8(std::string_view bytes);
std::optional<char> cp1252FromCodePoint(char32_t codePoint);

} // namespace vendaxo
