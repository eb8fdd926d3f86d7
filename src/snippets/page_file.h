#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vendaxo {

// Where successive snippets go in a page file: before this marker.
inline constexpr std::string_view kCaretMarker = "<!--vendaxo:caret-->";

enum class PageEncoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

// A page's text with what is needed to write it back the way it came.
struct PageDocument {
    std::string text; // UTF-8, lines ended by "\n"
    PageEncoding encoding = PageEncoding::Utf8;
    bool byteOrderMark = false;
    bool crlf = false; // the file's lines end in CR LF
};

// A BOM, else a <meta charset> or http-equiv declaration, else UTF-8 when the
// bytes are valid UTF-8, else Windows-1252. Throws Error for a declared
// encoding that cannot be kept.
PageEncoding detectPageEncoding(std::string_view bytes, bool& byteOrderMark);

PageDocument decodePage(std::string_view bytes);
// Characters the encoding cannot hold become numeric character references.
std::string encodePage(const PageDocument& page);
std::string encodeText(std::string_view utf8, PageEncoding encoding);

// Inserts the snippet before the caret marker, else before the last </body>
// (any case), else at the end; every other byte of the page stays as it was.
std::string insertIntoPage(std::string_view pageBytes, std::string_view snippet);

// The same on a file, written atomically.
void insertIntoPageFile(const std::filesystem::path& page, std::string_view snippet);

} // namespace vendaxo
