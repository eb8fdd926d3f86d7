#include "snippets/page_file.h"

#include "base/error.h"
#include "base/file_io.h"
#include "base/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace vendaxo {

namespace {

using namespace std::string_view_literals;

// How far into a page a browser looks for the charset declaration.
constexpr std::size_t kPrescanLength = 1024;

constexpr std::string_view kBomUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kBomUtf16LE = "\xFF\xFE";
constexpr std::string_view kBomUtf16BE = "\xFE\xFF";

// Labels as browsers read them: pages declared Latin-1 or ASCII are shown as Windows-1252.
constexpr std::array kUtf8Labels = {"utf-8"sv,         "utf8"sv,          "unicode-1-1-utf-8"sv,
                                    "unicode11utf8"sv, "unicode20utf8"sv, "x-unicode20utf8"sv};
constexpr std::array kWindows1252Labels = {
    "windows-1252"sv, "cp1252"sv,        "x-cp1252"sv,        "iso-8859-1"sv, "iso8859-1"sv,
    "iso88591"sv,     "iso_8859-1"sv,    "iso_8859-1:1987"sv, "iso-ir-100"sv, "latin1"sv,
    "l1"sv,           "csisolatin1"sv,   "ibm819"sv,          "cp819"sv,      "us-ascii"sv,
    "ascii"sv,        "ansi_x3.4-1968"sv};
// Browsers read a page declared UTF-16 but without a BOM as UTF-8.
constexpr std::array kUtf16Labels = {"utf-16"sv,      "utf-16le"sv,    "utf-16be"sv,
                                     "unicode"sv,     "ucs-2"sv,       "csunicode"sv,
                                     "unicodefeff"sv, "unicodefffe"sv, "iso-10646-ucs-2"sv};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& labels, std::string_view label) {
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The charset inside a content attribute such as "text/html; charset=windows-1252".
std::string_view charsetFromContent(std::string_view content, std::string_view lowered) {
    const std::size_t at = lowered.find("charset");
    if (at == std::string_view::npos)
        return {};
    std::size_t pos = at + 7;
    while (pos < lowered.size() && isSpace(lowered[pos]))
        ++pos;
    if (pos >= lowered.size() || lowered[pos] != '=')
        return {};
    ++pos;
    while (pos < lowered.size() && isSpace(lowered[pos]))
        ++pos;
    if (pos < lowered.size() && (lowered[pos] == '"' || lowered[pos] == '\''))
        ++pos;
    std::size_t end = pos;
    while (end < lowered.size() && !isSpace(lowered[end]) && lowered[end] != ';' &&
           lowered[end] != '"' && lowered[end] != '\'')
        ++end;
    return content.substr(pos, end - pos);
}

// Reads the attributes of the <meta> tag starting at `pos` (just past "<meta") and
// returns its declared charset as written, or "" when it declares none.
std::string_view metaCharset(std::string_view head, std::string_view lowered, std::size_t& pos) {
    std::string_view charset;
    std::string_view content;
    std::string_view loweredContent;
    bool contentType = false;
    while (pos < lowered.size() && lowered[pos] != '>') {
        if (isSpace(lowered[pos]) || lowered[pos] == '/') {
            ++pos;
            continue;
        }
        const std::size_t nameStart = pos;
        while (pos < lowered.size() && !isSpace(lowered[pos]) && lowered[pos] != '=' &&
               lowered[pos] != '>' && lowered[pos] != '/')
            ++pos;
        const std::string_view name = lowered.substr(nameStart, pos - nameStart);
        while (pos < lowered.size() && isSpace(lowered[pos]))
            ++pos;
        std::size_t valueStart = pos;
        std::size_t valueEnd = pos;
        if (pos < lowered.size() && lowered[pos] == '=') {
            ++pos;
            while (pos < lowered.size() && isSpace(lowered[pos]))
                ++pos;
            if (pos < lowered.size() && (lowered[pos] == '"' || lowered[pos] == '\'')) {
                const char quote = lowered[pos++];
                valueStart = pos;
                while (pos < lowered.size() && lowered[pos] != quote)
                    ++pos;
                valueEnd = pos;
                if (pos < lowered.size())
                    ++pos;
            } else {
                valueStart = pos;
                while (pos < lowered.size() && !isSpace(lowered[pos]) && lowered[pos] != '>')
                    ++pos;
                valueEnd = pos;
            }
        }
        const std::string_view value = head.substr(valueStart, valueEnd - valueStart);
        const std::string_view loweredValue = lowered.substr(valueStart, valueEnd - valueStart);
        if (name == "charset")
            charset = trim(value);
        else if (name == "http-equiv")
            contentType = trim(loweredValue) == "content-type";
        else if (name == "content") {
            content = value;
            loweredContent = loweredValue;
        }
    }
    // A tag cut off by the end of the prescan would give a truncated label.
    if (pos >= lowered.size())
        return {};
    if (!charset.empty())
        return charset;
    return contentType ? trim(charsetFromContent(content, loweredContent)) : std::string_view();
}

// The first charset a <meta> tag declares near the top of the page, skipping comments.
std::string_view declaredCharset(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, std::min(bytes.size(), kPrescanLength));
    std::string lowered(head);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), asciiLower);
    for (std::size_t pos = 0; pos < lowered.size();) {
        if (lowered[pos] != '<') {
            ++pos;
        } else if (lowered.compare(pos, 4, "<!--") == 0) {
            const std::size_t end = lowered.find("-->", pos + 4);
            if (end == std::string::npos)
                break;
            pos = end + 3;
        } else if (lowered.compare(pos, 5, "<meta") == 0 && pos + 5 < lowered.size() &&
                   (isSpace(lowered[pos + 5]) || lowered[pos + 5] == '/')) {
            pos += 5;
            if (const std::string_view charset = metaCharset(head, lowered, pos); !charset.empty())
                return charset;
        } else {
            ++pos;
        }
    }
    return {};
}

std::string swapBytePairs(std::string_view bytes) {
    std::string out(bytes);
    for (std::size_t i = 0; i + 1 < out.size(); i += 2)
        std::swap(out[i], out[i + 1]);
    return out;
}

std::string_view byteOrderMarkOf(PageEncoding encoding) {
    switch (encoding) {
    case PageEncoding::Utf8:
        return kBomUtf8;
    case PageEncoding::Utf16LE:
        return kBomUtf16LE;
    case PageEncoding::Utf16BE:
        return kBomUtf16BE;
    case PageEncoding::Windows1252:
        break;
    }
    return {};
}

bool isUtf16(PageEncoding encoding) {
    return encoding == PageEncoding::Utf16LE || encoding == PageEncoding::Utf16BE;
}

// Finds ASCII `needle` in the page's code units: bytes, or UTF-16 units at even
// offsets from `start`. Returns the byte offset of the first (or last) match.
std::size_t findAscii(std::string_view bytes, std::size_t start, PageEncoding encoding,
                      std::string_view needle, bool ignoreCase, bool last) {
    const std::size_t unit = isUtf16(encoding) ? 2 : 1;
    const std::size_t low = encoding == PageEncoding::Utf16BE ? 1 : 0;
    const auto matchesAt = [&](std::size_t offset) {
        for (std::size_t i = 0; i < needle.size(); ++i) {
            const std::size_t at = offset + i * unit;
            if (unit == 2 && bytes[at + 1 - low] != '\0')
                return false;
            const char c = bytes[at + low];
            if ((ignoreCase ? asciiLower(c) : c) != needle[i])
                return false;
        }
        return true;
    };
    const std::size_t span = needle.size() * unit;
    std::size_t found = std::string_view::npos;
    for (std::size_t offset = start; offset + span <= bytes.size(); offset += unit) {
        if (matchesAt(offset)) {
            found = offset;
            if (!last)
                break;
        }
    }
    return found;
}

} // namespace

PageEncoding detectPageEncoding(std::string_view bytes, bool& byteOrderMark) {
    byteOrderMark = true;
    if (bytes.starts_with(kBomUtf8))
        return PageEncoding::Utf8;
    if (bytes.starts_with(kBomUtf16LE))
        return PageEncoding::Utf16LE;
    if (bytes.starts_with(kBomUtf16BE))
        return PageEncoding::Utf16BE;
    byteOrderMark = false;

    const std::string_view declared = declaredCharset(bytes);
    if (!declared.empty()) {
        std::string label(declared);
        std::transform(label.begin(), label.end(), label.begin(), asciiLower);
        if (contains(kUtf8Labels, label))
            return PageEncoding::Utf8;
        if (contains(kWindows1252Labels, label))
            return PageEncoding::Windows1252;
        if (!contains(kUtf16Labels, label))
            throw Error("The page is encoded as " + std::string(declared) +
                        ", which cannot be kept; save it as UTF-8 first.");
    }
    return isValidUtf8(bytes) ? PageEncoding::Utf8 : PageEncoding::Windows1252;
}

PageDocument decodePage(std::string_view bytes) {
    PageDocument page;
    page.encoding = detectPageEncoding(bytes, page.byteOrderMark);
    if (page.byteOrderMark)
        bytes.remove_prefix(byteOrderMarkOf(page.encoding).size());

    switch (page.encoding) {
    case PageEncoding::Utf8:
        page.text = isValidUtf8(bytes) ? std::string(bytes) : encodeUtf8(decodeUtf8(bytes));
        break;
    case PageEncoding::Utf16LE:
        page.text = utf16leBytesToUtf8(bytes);
        break;
    case PageEncoding::Utf16BE:
        page.text = utf16leBytesToUtf8(swapBytePairs(bytes));
        break;
    case PageEncoding::Windows1252:
        page.text = cp1252ToUtf8(bytes);
        break;
    }

    // The first line break decides. In a file with mixed line ends, lone LFs after
    // a CR LF come back as CR LF when the page is written.
    const std::size_t lineFeed = page.text.find('\n');
    page.crlf = lineFeed != std::string::npos && lineFeed > 0 && page.text[lineFeed - 1] == '\r';
    if (page.crlf) {
        std::string text;
        text.reserve(page.text.size());
        for (std::size_t i = 0; i < page.text.size(); ++i) {
            if (!(page.text[i] == '\r' && i + 1 < page.text.size() && page.text[i + 1] == '\n'))
                text.push_back(page.text[i]);
        }
        page.text = std::move(text);
    }
    return page;
}

std::string encodePage(const PageDocument& page) {
    std::string text;
    if (page.crlf) {
        text.reserve(page.text.size() + page.text.size() / 32);
        for (char c : page.text) {
            if (c == '\n')
                text.push_back('\r');
            text.push_back(c);
        }
    }
    std::string out(page.byteOrderMark ? byteOrderMarkOf(page.encoding) : std::string_view());
    out +=
        encodeText(page.crlf ? std::string_view(text) : std::string_view(page.text), page.encoding);
    return out;
}

std::string encodeText(std::string_view utf8, PageEncoding encoding) {
    switch (encoding) {
    case PageEncoding::Utf8:
        return std::string(utf8);
    case PageEncoding::Utf16LE:
        return utf8ToUtf16leBytes(utf8);
    case PageEncoding::Utf16BE:
        return swapBytePairs(utf8ToUtf16leBytes(utf8));
    case PageEncoding::Windows1252:
        break;
    }
    std::string out;
    out.reserve(utf8.size());
    for (char32_t cp : decodeUtf8(utf8)) {
        if (const std::optional<char> byte = cp1252FromCodePoint(cp))
            out.push_back(*byte);
        else
            out += "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
    }
    return out;
}

std::string insertIntoPage(std::string_view pageBytes, std::string_view snippet) {
    bool byteOrderMark = false;
    const PageEncoding encoding = detectPageEncoding(pageBytes, byteOrderMark);
    const std::size_t start = byteOrderMark ? byteOrderMarkOf(encoding).size() : 0;

    std::size_t at = findAscii(pageBytes, start, encoding, kCaretMarker, false, false);
    if (at == std::string_view::npos)
        at = findAscii(pageBytes, start, encoding, "</body>", true, true);
    if (at == std::string_view::npos) {
        at = pageBytes.size();
        // A stray odd byte at the end of a UTF-16 page stays after the snippet.
        if (isUtf16(encoding) && (at - start) % 2 != 0)
            --at;
    }

    const std::string encoded = encodeText(snippet, encoding);
    std::string out;
    out.reserve(pageBytes.size() + encoded.size());
    out.append(pageBytes.substr(0, at));
    out += encoded;
    out.append(pageBytes.substr(at));
    return out;
}

void insertIntoPageFile(const std::filesystem::path& page, std::string_view snippet) {
    writeFileAtomically(page, insertIntoPage(readFileBytes(page), snippet));
}

} // namespace vendaxo
