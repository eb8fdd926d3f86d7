#pragma once

// What the tokenizer's source files share: its states, the classes of
// characters and where runs of plain characters end.
#include "base/html_tokenizer.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace vendaxo {

// Grouped as the functions that read them: text, script, tag, comment.
enum class HtmlTokenizer::State {
    Data,
    RcData,
    RawText,
    ScriptData,
    PlainText,
    TextLessThan,
    RawEndTagOpen,
    RawEndTagName,
    ScriptLessThan,
    ScriptEscapeStart,
    ScriptEscapeStartDash,
    ScriptEscaped,
    ScriptEscapedDash,
    ScriptEscapedDashDash,
    ScriptEscapedLessThan,
    ScriptDoubleEscapeStart,
    ScriptDoubleEscapeEnd,
    ScriptDoubleEscaped,
    ScriptDoubleEscapedDash,
    ScriptDoubleEscapedDashDash,
    ScriptDoubleEscapedLessThan,
    TagOpen,
    EndTagOpen,
    TagName,
    BeforeAttributeName,
    AttributeName,
    AfterAttributeName,
    BeforeAttributeValue,
    AttributeValueDoubleQuoted,
    AttributeValueSingleQuoted,
    AttributeValueUnquoted,
    AfterAttributeValueQuoted,
    SelfClosingStartTag,
    MarkupDeclarationOpen,
    BogusComment,
    CommentStart,
    CommentStartDash,
    Comment,
    CommentEndDash,
    CommentEnd,
    CommentEndBang,
    Doctype,
    CDataSection,
};

namespace html {

inline constexpr int kEnd = -1;
inline constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

inline bool isSpace(int c) {
    return c == '\t' || c == '\n' || c == '\f' || c == ' ';
}

inline bool isUpper(int c) {
    return c >= 'A' && c <= 'Z';
}

inline bool isAlpha(int c) {
    return isUpper(c) || (c >= 'a' && c <= 'z');
}

inline bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

inline bool isAlphanumeric(int c) {
    return isAlpha(c) || isDigit(c);
}

inline char lower(int c) {
    return static_cast<char>(isUpper(c) ? c - 'A' + 'a' : c);
}

inline int hexValue(int c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The characters at which a run of plain characters ends.
class Stops {
public:
    constexpr explicit Stops(std::string_view characters) : m_stop{} {
        for (char c : characters)
            m_stop[static_cast<unsigned char>(c)] = true;
    }
    // From `pos` to the first stop or the end.
    std::size_t skip(std::string_view text, std::size_t pos) const {
        while (pos < text.size() && !m_stop[static_cast<unsigned char>(text[pos])])
            ++pos;
        return pos;
    }

private:
    std::array<bool, 256> m_stop;
};

inline constexpr Stops kDataStops(std::string_view("<&\r\0", 4));
inline constexpr Stops kRawStops(std::string_view("<\r\0", 3));
inline constexpr Stops kPlainStops(std::string_view("\r\0", 2));
inline constexpr Stops kDoubleQuotedStops(std::string_view("\"&\r\0", 4));
inline constexpr Stops kSingleQuotedStops(std::string_view("'&\r\0", 4));
inline constexpr Stops kUnquotedStops(std::string_view("\t\n\f &>\"'<=`\r\0 ", 14));
inline constexpr Stops kCommentStops(std::string_view("-\r\0", 3));
inline constexpr Stops
    kAttributeNameStops(std::string_view("\t\n\f />=\r\0ABCDEFGHIJKLMNOPQRSTUVWXYZ", 35));
inline constexpr Stops kTagNameStops(std::string_view("\t\n\f />\r\0ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                                      34));

} // namespace html

} // namespace vendaxo
