#include "snippets/page_text.h"

#include "base/text_encoding.h"
#include "snippets/page_file.h"

#include <algorithm>
#include <cstring>

namespace vendaxo {

namespace {

std::size_t byteOrderMarkSize(PageEncoding encoding) {
    return encoding == PageEncoding::Utf8 ? 3 : 2;
}

// One code unit of the page and whether it is ASCII.
struct Unit {
    std::size_t size;
    bool (*ascii)(std::string_view bytes, std::size_t at);
};

bool asciiByte(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) < 0x80;
}

bool asciiUtf16le(std::string_view bytes, std::size_t at) {
    return bytes[at + 1] == '\0' && asciiByte(bytes, at);
}

bool asciiUtf16be(std::string_view bytes, std::size_t at) {
    return bytes[at] == '\0' && asciiByte(bytes, at + 1);
}

std::string swapped(std::string_view bytes) {
    std::string out(bytes);
    for (std::size_t i = 0; i + 1 < out.size(); i += 2)
        std::swap(out[i], out[i + 1]);
    return out;
}

// A run of code units that are not ASCII, as UTF-8. ASCII never belongs to
// another character's sequence in any of these encodings, so each run decodes
// alone to what the whole page gives.
std::string decodeRun(std::string_view run, PageEncoding encoding) {
    switch (encoding) {
    case PageEncoding::Utf8:
        return encodeUtf8(decodeUtf8(run));
    case PageEncoding::Utf16LE:
        return utf16leBytesToUtf8(run);
    case PageEncoding::Utf16BE:
        return utf16leBytesToUtf8(swapped(run));
    case PageEncoding::Windows1252:
        break;
    }
    return cp1252ToUtf8(run);
}

} // namespace

PageText::PageText(std::string_view bytes) {
    bool byteOrderMark = false;
    const PageEncoding encoding = detectPageEncoding(bytes, byteOrderMark);
    const std::size_t start = byteOrderMark ? byteOrderMarkSize(encoding) : 0;
    if (encoding == PageEncoding::Utf8 && isValidUtf8(bytes.substr(start))) {
        // The common page: the text is the bytes.
        m_view = bytes.substr(start);
        m_marks.push_back({0, start, true});
        return;
    }
    const bool utf16 = encoding == PageEncoding::Utf16LE || encoding == PageEncoding::Utf16BE;
    m_unit = utf16 ? 2 : 1;
    const auto ascii = encoding == PageEncoding::Utf16LE   ? asciiUtf16le
                       : encoding == PageEncoding::Utf16BE ? asciiUtf16be
                                                           : asciiByte;
    const std::size_t low = encoding == PageEncoding::Utf16BE ? 1 : 0;
    // A last odd byte of a UTF-16 page is no character.
    const std::size_t end = start + (bytes.size() - start) / m_unit * m_unit;
    m_text.reserve((end - start) / m_unit);
    std::size_t at = start;
    while (at < end) {
        const bool isAscii = ascii(bytes, at);
        m_marks.push_back({m_text.size(), at, isAscii});
        if (isAscii) {
            for (; at < end && ascii(bytes, at); at += m_unit)
                m_text += bytes[at + low];
        } else {
            const std::size_t runStart = at;
            while (at < end && !ascii(bytes, at))
                at += m_unit;
            m_text += decodeRun(bytes.substr(runStart, at - runStart), encoding);
        }
    }
    m_marks.push_back({m_text.size(), end, true});
    m_view = m_text;
}

std::size_t PageText::byteOffset(std::size_t offset) const {
    const auto after =
        std::upper_bound(m_marks.begin(), m_marks.end(), offset,
                         [](std::size_t at, const Mark& mark) { return at < mark.text; });
    const Mark& mark = *std::prev(after);
    return mark.ascii ? mark.byte + (offset - mark.text) * m_unit : mark.byte;
}

std::size_t LineCounter::lineAt(std::size_t offset) {
    offset = std::max(m_offset, std::min(offset, m_text.size()));
    const std::string_view part = m_text.substr(m_offset, offset - m_offset);
    for (const char *at = part.data(), *end = part.data() + part.size();
         (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at))));
         ++at)
        ++m_line;
    // A CR ends a line of its own only when no LF follows it.
    for (std::size_t cr = part.find('\r'); cr != std::string_view::npos;
         cr = part.find('\r', cr + 1)) {
        const std::size_t next = m_offset + cr + 1;
        if (next >= m_text.size() || m_text[next] != '\n')
            ++m_line;
    }
    m_offset = offset;
    return m_line;
}

} // namespace vendaxo
