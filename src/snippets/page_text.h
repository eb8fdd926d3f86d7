#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

// A page's bytes as UTF-8 text, decoded as the page file code reads them
// (byte order mark, <meta> charset, UTF-8, else Windows-1252), with the way
// back from a place in the text to the byte offset in the page. Line ends are
// kept as they stand. A page that is UTF-8 already is its own text: the
// bytes must then outlive the object.
class PageText {
public:
    // Throws Error for a declared encoding that cannot be read.
    explicit PageText(std::string_view bytes);
    // The text may be a view of the object's own string.
    PageText(const PageText&) = delete;
    PageText& operator=(const PageText&) = delete;

    std::string_view text() const { return m_view; }
    // The page's byte offset of the character at `offset` in the text; for a
    // place inside a character that is not ASCII, the offset of that character's run.
    std::size_t byteOffset(std::size_t offset) const;

private:
    // From `text` on, characters are ASCII, one code unit of `unit` bytes each,
    // until the next mark; a mark that is not `ascii` starts a run of others.
    struct Mark {
        std::size_t text;
        std::size_t byte;
        bool ascii;
    };

    std::string m_text; // when decoded
    std::string_view m_view;
    std::size_t m_unit = 1;
    std::vector<Mark> m_marks;
};

// The 1-based line of each offset, for offsets given in ascending order;
// CR LF, LF and a lone CR each end a line.
class LineCounter {
public:
    explicit LineCounter(std::string_view text) : m_text(text) {}
    std::size_t lineAt(std::size_t offset);

private:
    std::string_view m_text;
    std::size_t m_offset = 0;
    std::size_t m_line = 1;
};

} // namespace vendaxo
