#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

struct HtmlAttribute {
    std::string name;  // in lower case
    std::string value; // character references decoded
};

enum class HtmlTokenKind { StartTag, EndTag, Text, Comment, Doctype };

// Where a text token's characters stand: ordinary content, or the content of
// an element whose text is not markup (title and textarea, where references
// are still decoded; style, xmp, iframe, noembed, noframes and noscript; script;
// plaintext).
enum class HtmlTextSource { Data, RcData, RawText, ScriptData, PlainText };

// The tokenizer of the HTML standard over UTF-8 text. It also makes the
// switches the tree builder would make: into raw text after the start tags
// above, except inside svg and math, where CDATA sections are read as text.
// Tokens are read one at a time into buffers that are reused.
class HtmlTokenizer {
public:
    explicit HtmlTokenizer(std::string_view text);

    // Reads the next token; false at the end of the text.
    bool next();

    // Whether the reader needs the text between tags (true at first). While it
    // does not, text is skipped without being copied or decoded and few text
    // tokens are given (only stray "<" and the like); tags, comments and the
    // switches between states are read exactly as ever. Takes effect from the
    // next token read.
    void setTextWanted(bool wanted) { m_textWanted = wanted; }
    // Which start tags' attributes the reader needs, by lower-case name; every
    // tag's while none is set. Other tags are given without attributes, which
    // are skipped rather than copied or decoded, and so are end tags. (The
    // tokenizer keeps those it needs itself, in svg and math.)
    using TagFilter = bool (*)(std::string_view tagName);
    void setAttributeFilter(TagFilter wanted) { m_attributeFilter = wanted; }

    HtmlTokenKind kind() const { return m_kind; }
    // Where the token stands in the text: from its "<" to just after its ">"
    // for tags, comments and doctypes; from its first character to the next
    // token for text.
    std::size_t begin() const { return m_begin; }
    std::size_t end() const { return m_end; }

    // Start and end tags: the name in lower case, the attributes in their order,
    // a repeated name dropped.
    const std::string& tagName() const { return m_tagName; }
    bool selfClosing() const { return m_selfClosing; }
    std::span<const HtmlAttribute> attributes() const {
        return {m_attributes.data(), m_attributeCount};
    }
    // The value of the attribute (name in lower case); nullptr when absent.
    const std::string* attribute(std::string_view name) const;

    // Text, with line ends as "\n" and references decoded, or a comment's data.
    const std::string& text() const { return m_kind == HtmlTokenKind::Text ? m_text : m_comment; }
    HtmlTextSource textSource() const { return m_textSource; }

    // Whether the tags now read make svg or math elements rather than HTML ones.
    bool inForeignContent() const { return !m_openForeign.empty() && m_openForeign.back().foreign; }

private:
    enum class State;
    // What a state does with a character: go on, or stop with a token or at the end.
    enum class Step { Go, Token, End };
    struct OpenElement {
        std::string name;
        bool foreign; // false for an element inside which HTML is read again
    };

    int get();
    void reconsume() { m_pos = m_previous; }
    // The text buffer; `at` is noted as where the text starts when it is empty.
    std::string& textFrom(std::size_t at);
    void characterReference(std::string& out, bool inAttribute);
    void startTag(bool endTag);
    void startAttribute();
    void finishAttributeName();
    void dropRepeatedAttribute();
    bool appropriateEndTag() const { return m_tagName == m_lastStartTag; }
    // Ends the token that was being read.
    void finishToken(HtmlTokenKind kind);
    void emitTag() { finishToken(m_endTag ? HtmlTokenKind::EndTag : HtmlTokenKind::StartTag); }
    // Makes the token read the current one, with what it changes for the tokens after it.
    void give(HtmlTokenKind kind);
    void afterStartTag();
    void afterEndTag();
    bool run();
    Step textState(State state, int c);
    Step scriptState(State state, int c);
    Step tagState(State state, int c);
    Step skipAttributes();
    bool tagNameFollows();
    Step commentState(State state, int c);
    void text(std::string_view characters) { textFrom(m_previous) += characters; }
    void textChar(int c) { textFrom(m_previous) += static_cast<char>(c); }
    // Whether the attributes of the tag whose name was just read are kept.
    void decideAttributes();
    HtmlAttribute& currentAttribute() {
        return m_keepAttributes ? m_attributes[m_attributeCount - 1] : m_skippedAttribute;
    }
    std::string& attributeName() { return currentAttribute().name; }
    std::string& attributeValue() { return currentAttribute().value; }
    // "<" in raw text: an end tag may follow.
    void rawLessThan(State fallback);
    void rawEndTagIsText();
    void scriptCharacter(int c, State next);

    std::string_view m_input;
    std::size_t m_pos = 0;
    std::size_t m_previous = 0;
    State m_state;
    State m_rawState; // the text state an end tag in raw text falls back to
    HtmlTextSource m_source = HtmlTextSource::Data;

    HtmlTokenKind m_kind = HtmlTokenKind::Text;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    // A token read after text that was returned first.
    bool m_pending = false;
    HtmlTokenKind m_pendingKind = HtmlTokenKind::Text;
    std::size_t m_tokenBegin = 0;
    std::size_t m_tokenEnd = 0;

    std::string m_text;
    std::size_t m_textBegin = 0;
    HtmlTextSource m_textSource = HtmlTextSource::Data;
    std::string m_comment;
    std::string m_tagName;
    std::string m_temporary;
    std::string m_lastStartTag;
    bool m_endTag = false;
    bool m_selfClosing = false;
    std::vector<HtmlAttribute> m_attributes;
    std::size_t m_attributeCount = 0;
    bool m_repeatedAttribute = false;
    std::vector<OpenElement> m_openForeign;
    bool m_done = false;
    bool m_textWanted = true;
    TagFilter m_attributeFilter = nullptr;
    bool m_keepAttributes = true;
    HtmlAttribute m_skippedAttribute; // where a skipped attribute's characters go
};

} // namespace vendaxo
