#include "base/html_tokenizer.h"

#include "base/html_entities.h"
#include "base/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vendaxo {

namespace {

constexpr int kEnd = -1;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool isSpace(int c) {
    return c == '\t' || c == '\n' || c == '\f' || c == ' ';
}

bool isUpper(int c) {
    return c >= 'A' && c <= 'Z';
}

bool isAlpha(int c) {
    return isUpper(c) || (c >= 'a' && c <= 'z');
}

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

bool isAlphanumeric(int c) {
    return isAlpha(c) || isDigit(c);
}

char lower(int c) {
    return static_cast<char>(isUpper(c) ? c - 'A' + 'a' : c);
}

int hexValue(int c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

template <std::size_t N>
bool isOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Start tags that end svg or math content and are read as HTML again.
constexpr std::array<std::string_view, 44> kBreakoutTags = {
    "b",      "big",  "blockquote", "body",  "br",   "center", "code",    "dd",   "div",
    "dl",     "dt",   "em",         "embed", "h1",   "h2",     "h3",      "h4",   "h5",
    "h6",     "head", "hr",         "i",     "img",  "li",     "listing", "menu", "meta",
    "nobr",   "ol",   "p",          "pre",   "ruby", "s",      "small",   "span", "strong",
    "strike", "sub",  "sup",        "table", "tt",   "u",      "ul",      "var"};
// Foreign elements inside which HTML is read.
constexpr std::array<std::string_view, 3> kSvgHtmlPoints = {"foreignobject", "desc", "title"};
constexpr std::array<std::string_view, 5> kMathTextPoints = {"mi", "mo", "mn", "ms", "mtext"};

// Where the text after a start tag stands: the tree builder reads the content
// of these elements as text. Sorted by length first, as most tags match none.
HtmlTextSource textSourceAfter(std::string_view name) {
    using enum HtmlTextSource;
    switch (name.size()) {
    case 3:
        return name == "xmp" ? RawText : Data;
    case 5:
        return name == "title" ? RcData : name == "style" ? RawText : Data;
    case 6:
        return name == "iframe" ? RawText : name == "script" ? ScriptData : Data;
    case 7:
        return name == "noembed" ? RawText : Data;
    case 8:
        return name == "textarea"                         ? RcData
               : name == "noframes" || name == "noscript" ? RawText
                                                          : Data;
    case 9:
        return name == "plaintext" ? PlainText : Data;
    default:
        return Data;
    }
}

} // namespace

enum class HtmlTokenizer::State {
    Data,
    RcData,
    RawText,
    ScriptData,
    PlainText,
    TagOpen,
    EndTagOpen,
    TagName,
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
    ScriptDoubleEscaped,
    ScriptDoubleEscapedDash,
    ScriptDoubleEscapedDashDash,
    ScriptDoubleEscapedLessThan,
    ScriptDoubleEscapeEnd,
    BeforeAttributeName,
    AttributeName,
    AfterAttributeName,
    BeforeAttributeValue,
    AttributeValueDoubleQuoted,
    AttributeValueSingleQuoted,
    AttributeValueUnquoted,
    AfterAttributeValueQuoted,
    SelfClosingStartTag,
    BogusComment,
    MarkupDeclarationOpen,
    CommentStart,
    CommentStartDash,
    Comment,
    CommentEndDash,
    CommentEnd,
    CommentEndBang,
    Doctype,
    CDataSection,
};

HtmlTokenizer::HtmlTokenizer(std::string_view text)
    : m_input(text), m_state(State::Data), m_rawState(State::Data) {}

const std::string* HtmlTokenizer::attribute(std::string_view name) const {
    for (const HtmlAttribute& attribute : attributes()) {
        if (attribute.name == name)
            return &attribute.value;
    }
    return nullptr;
}

// The next character, with CR LF and a lone CR read as one line feed.
int HtmlTokenizer::get() {
    m_previous = m_pos;
    if (m_pos >= m_input.size())
        return kEnd;
    const char c = m_input[m_pos++];
    if (c == '\r') {
        if (m_pos < m_input.size() && m_input[m_pos] == '\n')
            ++m_pos;
        return '\n';
    }
    return static_cast<unsigned char>(c);
}

std::string& HtmlTokenizer::textFrom(std::size_t at) {
    if (m_text.empty()) {
        m_textBegin = at;
        m_textSource = m_source;
    }
    return m_text;
}

// Just after "&". What cannot be read as a reference stays as it stands: the
// "&" goes to `out` and the state reads on from the next character.
void HtmlTokenizer::characterReference(std::string& out, bool inAttribute) {
    const std::size_t size = m_input.size();
    if (m_pos < size && isAlphanumeric(static_cast<unsigned char>(m_input[m_pos]))) {
        const NamedReference* reference = longestNamedReference(m_input.substr(m_pos));
        if (reference == nullptr) {
            out += '&';
            return;
        }
        const std::size_t after = m_pos + reference->name.size();
        // "&copy=1" in an attribute is a query string, not a reference.
        if (inAttribute && reference->name.back() != ';' && after < size &&
            (m_input[after] == '=' || isAlphanumeric(static_cast<unsigned char>(m_input[after])))) {
            out += '&';
            out += reference->name;
        } else {
            appendUtf8(out, reference->first);
            if (reference->second != 0)
                appendUtf8(out, reference->second);
        }
        m_pos = after;
        return;
    }
    if (m_pos < size && m_input[m_pos] == '#') {
        std::size_t at = m_pos + 1;
        const bool hex = at < size && (m_input[at] == 'x' || m_input[at] == 'X');
        if (hex)
            ++at;
        const std::size_t digits = at;
        std::uint32_t value = 0;
        for (; at < size; ++at) {
            const int c = static_cast<unsigned char>(m_input[at]);
            const int digit = hex ? hexValue(c) : (isDigit(c) ? c - '0' : -1);
            if (digit < 0)
                break;
            // Past Unicode is past Unicode, however far.
            value = std::min<std::uint32_t>(
                value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
        }
        if (at == digits) {
            out += '&';
            return;
        }
        if (at < size && m_input[at] == ';')
            ++at;
        appendUtf8(out, numericReferenceCharacter(value));
        m_pos = at;
        return;
    }
    out += '&';
}

void HtmlTokenizer::startTag(bool endTag) {
    m_endTag = endTag;
    m_selfClosing = false;
    m_tagName.clear();
    m_attributeCount = 0;
    m_repeatedAttribute = false;
}

void HtmlTokenizer::startAttribute() {
    dropRepeatedAttribute();
    if (m_attributeCount == m_attributes.size()) {
        m_attributes.emplace_back();
    } else {
        m_attributes[m_attributeCount].name.clear();
        m_attributes[m_attributeCount].value.clear();
    }
    ++m_attributeCount;
}

// A name given twice keeps its first value.
void HtmlTokenizer::finishAttributeName() {
    const std::string& name = m_attributes[m_attributeCount - 1].name;
    for (std::size_t i = 0; i + 1 < m_attributeCount; ++i) {
        if (m_attributes[i].name == name)
            m_repeatedAttribute = true;
    }
}

void HtmlTokenizer::dropRepeatedAttribute() {
    if (m_repeatedAttribute) {
        --m_attributeCount;
        m_repeatedAttribute = false;
    }
}

bool HtmlTokenizer::emit(HtmlTokenKind kind) {
    m_tokenEnd = m_pos;
    m_state = State::Data;
    if (kind == HtmlTokenKind::StartTag || kind == HtmlTokenKind::EndTag)
        dropRepeatedAttribute();
    if (m_text.empty()) {
        give(kind);
        return true;
    }
    // The text before the token goes first, told as what came before it.
    m_pending = true;
    m_pendingKind = kind;
    m_kind = HtmlTokenKind::Text;
    m_begin = m_textBegin;
    m_end = m_tokenBegin;
    return true;
}

void HtmlTokenizer::give(HtmlTokenKind kind) {
    m_kind = kind;
    m_begin = m_tokenBegin;
    m_end = m_tokenEnd;
    if (kind == HtmlTokenKind::StartTag) {
        m_source = HtmlTextSource::Data;
        afterStartTag();
    } else if (kind == HtmlTokenKind::EndTag) {
        m_source = HtmlTextSource::Data;
        afterEndTag();
    }
}

void HtmlTokenizer::afterStartTag() {
    const std::string& name = m_tagName;
    if (inForeignContent()) {
        const bool breakout =
            isOneOf(name, kBreakoutTags) ||
            (name == "font" && (attribute("color") || attribute("face") || attribute("size")));
        if (breakout) {
            while (inForeignContent())
                m_openForeign.pop_back();
        } else {
            if (!m_selfClosing) {
                const bool svg = m_openForeign.back().name == "svg";
                const std::string* encoding = attribute("encoding");
                const bool htmlAnnotation =
                    !svg && name == "annotation-xml" && encoding &&
                    (*encoding == "text/html" || *encoding == "application/xhtml+xml");
                if ((svg && isOneOf(name, kSvgHtmlPoints)) ||
                    (!svg && isOneOf(name, kMathTextPoints)) || htmlAnnotation)
                    m_openForeign.push_back({name, false});
                else if (name == "svg" || name == "math")
                    m_openForeign.push_back({name, true});
            }
            return;
        }
    }
    if (name == "svg" || name == "math") {
        if (!m_selfClosing)
            m_openForeign.push_back({name, true});
        return;
    }
    m_source = textSourceAfter(name);
    if (m_source == HtmlTextSource::Data)
        return;
    m_lastStartTag = name;
    constexpr std::array<State, 5> states = {State::Data, State::RcData, State::RawText,
                                             State::ScriptData, State::PlainText};
    m_state = states[static_cast<std::size_t>(m_source)];
}

void HtmlTokenizer::afterEndTag() {
    if (m_openForeign.empty())
        return;
    if (!inForeignContent()) {
        if (m_openForeign.back().name == m_tagName)
            m_openForeign.pop_back();
        return;
    }
    if (m_tagName == "br" || m_tagName == "p") {
        while (inForeignContent())
            m_openForeign.pop_back();
        return;
    }
    for (std::size_t i = m_openForeign.size(); i > 0 && m_openForeign[i - 1].foreign; --i) {
        if (m_openForeign[i - 1].name == m_tagName) {
            m_openForeign.resize(i - 1);
            return;
        }
    }
}

bool HtmlTokenizer::next() {
    if (m_pending) {
        m_pending = false;
        m_text.clear();
        give(m_pendingKind);
        return true;
    }
    m_text.clear();
    if (m_done)
        return false;
    if (run())
        return true;
    m_done = true;
    if (m_text.empty())
        return false;
    m_kind = HtmlTokenKind::Text;
    m_begin = m_textBegin;
    m_end = m_input.size();
    return true;
}

namespace {

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

constexpr Stops kDataStops(std::string_view("<&\r\0", 4));
constexpr Stops kRawStops(std::string_view("<\r\0", 3));
constexpr Stops kPlainStops(std::string_view("\r\0", 2));
constexpr Stops kDoubleQuotedStops(std::string_view("\"&\r\0", 4));
constexpr Stops kSingleQuotedStops(std::string_view("'&\r\0", 4));
constexpr Stops kUnquotedStops(std::string_view("\t\n\f &>\"'<=`\r\0 ", 14));
constexpr Stops kCommentStops(std::string_view("-\r\0", 3));
constexpr Stops kAttributeNameStops(std::string_view("\t\n\f />=\r\0ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                                     35));
constexpr Stops kTagNameStops(std::string_view("\t\n\f />\r\0ABCDEFGHIJKLMNOPQRSTUVWXYZ", 34));

bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size())
        return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (lower(static_cast<unsigned char>(text[i])) != lowerPrefix[i])
            return false;
    }
    return true;
}

} // namespace

// The states of the standard's tokenizer, one character at a time, with runs
// of plain characters copied at once. The states after "<!" inside a comment
// are left out: they only report errors and never change where a comment ends.
bool HtmlTokenizer::run() {
    const std::string_view input = m_input;
    // Copies the plain characters from the current position to `out`.
    const auto copyRun = [&](const Stops& stops, std::string& out) {
        const std::size_t start = m_pos;
        m_pos = stops.skip(input, m_pos);
        out.append(input, start, m_pos - start);
    };
    const auto textRun = [&](const Stops& stops) {
        const std::size_t start = m_pos;
        m_pos = stops.skip(input, m_pos);
        if (m_pos > start)
            textFrom(start).append(input, start, m_pos - start);
    };
    const auto text = [&](std::string_view characters) {
        textFrom(m_previous) += characters;
    };
    const auto textChar = [&](int c) {
        textFrom(m_previous) += static_cast<char>(c);
    };
    const auto name = [&]() -> std::string& {
        return m_attributes[m_attributeCount - 1].name;
    };
    const auto value = [&]() -> std::string& {
        return m_attributes[m_attributeCount - 1].value;
    };
    // "<" in raw text: an end tag may follow.
    const auto rawLessThan = [&](State fallback) {
        m_tokenBegin = m_previous;
        m_rawState = fallback;
    };
    // What looked like the start of an end tag in raw text is text after all.
    const auto rawEndTagIsText = [&] {
        textFrom(m_tokenBegin) += "</";
        m_text += m_temporary;
        reconsume();
        m_state = m_rawState;
    };
    const auto scriptCharacter = [&](int c, State next) {
        if (c == 0)
            text(kReplacement);
        else
            textChar(c);
        m_state = next;
    };

    for (;;) {
        const State state = m_state;
        if (state == State::Data || state == State::RcData) {
            textRun(kDataStops);
        } else if (state == State::RawText || state == State::ScriptData) {
            textRun(kRawStops);
        } else if (state == State::PlainText) {
            textRun(kPlainStops);
        } else if (state == State::Comment) {
            copyRun(kCommentStops, m_comment);
        } else if (state == State::AttributeValueDoubleQuoted) {
            copyRun(kDoubleQuotedStops, value());
        } else if (state == State::AttributeValueSingleQuoted) {
            copyRun(kSingleQuotedStops, value());
        } else if (state == State::AttributeValueUnquoted) {
            copyRun(kUnquotedStops, value());
        } else if (state == State::TagName) {
            copyRun(kTagNameStops, m_tagName);
        } else if (state == State::AttributeName) {
            copyRun(kAttributeNameStops, name());
        }
        const int c = get();
        switch (state) {
        case State::Data:
        case State::RcData:
            if (c == '&') {
                characterReference(textFrom(m_previous), false);
            } else if (c == '<') {
                if (state == State::Data) {
                    m_tokenBegin = m_previous;
                    m_state = State::TagOpen;
                } else {
                    rawLessThan(State::RcData);
                    m_state = State::TextLessThan;
                }
            } else if (c == 0) {
                // The tree builder drops NUL in content.
                if (state == State::RcData)
                    text(kReplacement);
            } else if (c == kEnd) {
                return false;
            } else {
                textChar(c);
            }
            break;
        case State::RawText:
        case State::ScriptData:
        case State::PlainText:
            if (c == '<' && state != State::PlainText) {
                rawLessThan(state);
                m_state = state == State::RawText ? State::TextLessThan : State::ScriptLessThan;
            } else if (c == 0) {
                text(kReplacement);
            } else if (c == kEnd) {
                return false;
            } else {
                textChar(c);
            }
            break;
        case State::TagOpen:
            if (c == '!') {
                m_state = State::MarkupDeclarationOpen;
            } else if (c == '/') {
                m_state = State::EndTagOpen;
            } else if (isAlpha(c)) {
                startTag(false);
                reconsume();
                m_state = State::TagName;
            } else if (c == '?') {
                m_comment.clear();
                reconsume();
                m_state = State::BogusComment;
            } else {
                textFrom(m_tokenBegin) += '<';
                reconsume();
                m_state = State::Data;
            }
            break;
        case State::EndTagOpen:
            if (isAlpha(c)) {
                startTag(true);
                reconsume();
                m_state = State::TagName;
            } else if (c == '>') {
                m_state = State::Data;
            } else if (c == kEnd) {
                textFrom(m_tokenBegin) += "</";
                return false;
            } else {
                m_comment.clear();
                reconsume();
                m_state = State::BogusComment;
            }
            break;
        case State::TagName:
            if (isSpace(c)) {
                m_state = State::BeforeAttributeName;
            } else if (c == '/') {
                m_state = State::SelfClosingStartTag;
            } else if (c == '>') {
                return emit(m_endTag ? HtmlTokenKind::EndTag : HtmlTokenKind::StartTag);
            } else if (c == 0) {
                m_tagName += kReplacement;
            } else if (c == kEnd) {
                return false; // a tag cut off by the end is no tag
            } else {
                m_tagName += lower(c);
            }
            break;
        case State::TextLessThan:
            if (c == '/') {
                m_temporary.clear();
                m_state = State::RawEndTagOpen;
            } else {
                textFrom(m_tokenBegin) += '<';
                reconsume();
                m_state = m_rawState;
            }
            break;
        case State::RawEndTagOpen:
            if (isAlpha(c)) {
                startTag(true);
                reconsume();
                m_state = State::RawEndTagName;
            } else {
                m_temporary.clear();
                rawEndTagIsText();
            }
            break;
        case State::RawEndTagName:
            if (isSpace(c) && appropriateEndTag()) {
                m_state = State::BeforeAttributeName;
            } else if (c == '/' && appropriateEndTag()) {
                m_state = State::SelfClosingStartTag;
            } else if (c == '>' && appropriateEndTag()) {
                return emit(HtmlTokenKind::EndTag);
            } else if (isAlpha(c)) {
                m_tagName += lower(c);
                m_temporary += static_cast<char>(c);
            } else {
                rawEndTagIsText();
            }
            break;
        case State::ScriptLessThan:
            if (c == '/') {
                m_temporary.clear();
                m_state = State::RawEndTagOpen;
            } else if (c == '!') {
                textFrom(m_tokenBegin) += "<!";
                m_state = State::ScriptEscapeStart;
            } else {
                textFrom(m_tokenBegin) += '<';
                reconsume();
                m_state = State::ScriptData;
            }
            break;
        case State::ScriptEscapeStart:
        case State::ScriptEscapeStartDash:
            if (c == '-') {
                textChar(c);
                m_state = state == State::ScriptEscapeStart ? State::ScriptEscapeStartDash
                                                            : State::ScriptEscapedDashDash;
            } else {
                reconsume();
                m_state = State::ScriptData;
            }
            break;
        case State::ScriptEscaped:
        case State::ScriptEscapedDash:
        case State::ScriptEscapedDashDash:
            if (c == '-') {
                textChar(c);
                m_state = state == State::ScriptEscaped ? State::ScriptEscapedDash
                                                        : State::ScriptEscapedDashDash;
            } else if (c == '<') {
                rawLessThan(State::ScriptEscaped);
                m_state = State::ScriptEscapedLessThan;
            } else if (c == '>' && state == State::ScriptEscapedDashDash) {
                textChar(c);
                m_state = State::ScriptData;
            } else if (c == kEnd) {
                return false;
            } else {
                scriptCharacter(c, State::ScriptEscaped);
            }
            break;
        case State::ScriptEscapedLessThan:
            if (c == '/') {
                m_temporary.clear();
                m_state = State::RawEndTagOpen;
            } else if (isAlpha(c)) {
                m_temporary.clear();
                textFrom(m_tokenBegin) += '<';
                reconsume();
                m_state = State::ScriptDoubleEscapeStart;
            } else {
                textFrom(m_tokenBegin) += '<';
                reconsume();
                m_state = State::ScriptEscaped;
            }
            break;
        case State::ScriptDoubleEscapeStart:
        case State::ScriptDoubleEscapeEnd: {
            const bool start = state == State::ScriptDoubleEscapeStart;
            if (isSpace(c) || c == '/' || c == '>') {
                const bool script = m_temporary == "script";
                textChar(c);
                m_state = script == start ? State::ScriptDoubleEscaped : State::ScriptEscaped;
            } else if (isAlpha(c)) {
                m_temporary += lower(c);
                textChar(c);
            } else {
                reconsume();
                m_state = start ? State::ScriptEscaped : State::ScriptDoubleEscaped;
            }
            break;
        }
        case State::ScriptDoubleEscaped:
        case State::ScriptDoubleEscapedDash:
        case State::ScriptDoubleEscapedDashDash:
            if (c == '-') {
                textChar(c);
                m_state = state == State::ScriptDoubleEscaped ? State::ScriptDoubleEscapedDash
                                                              : State::ScriptDoubleEscapedDashDash;
            } else if (c == '<') {
                textChar(c);
                m_state = State::ScriptDoubleEscapedLessThan;
            } else if (c == '>' && state == State::ScriptDoubleEscapedDashDash) {
                textChar(c);
                m_state = State::ScriptData;
            } else if (c == kEnd) {
                return false;
            } else {
                scriptCharacter(c, State::ScriptDoubleEscaped);
            }
            break;
        case State::ScriptDoubleEscapedLessThan:
            if (c == '/') {
                m_temporary.clear();
                textChar(c);
                m_state = State::ScriptDoubleEscapeEnd;
            } else {
                reconsume();
                m_state = State::ScriptDoubleEscaped;
            }
            break;
        case State::BeforeAttributeName:
            if (isSpace(c)) {
                break;
            } else if (c == '/' || c == '>' || c == kEnd) {
                reconsume();
                m_state = State::AfterAttributeName;
            } else {
                startAttribute();
                if (c == '=')
                    name() += '=';
                else
                    reconsume();
                m_state = State::AttributeName;
            }
            break;
        case State::AttributeName:
            if (isSpace(c) || c == '/' || c == '>' || c == kEnd) {
                finishAttributeName();
                reconsume();
                m_state = State::AfterAttributeName;
            } else if (c == '=') {
                finishAttributeName();
                m_state = State::BeforeAttributeValue;
            } else if (c == 0) {
                name() += kReplacement;
            } else {
                name() += lower(c);
            }
            break;
        case State::AfterAttributeName:
            if (isSpace(c)) {
                break;
            } else if (c == '/') {
                m_state = State::SelfClosingStartTag;
            } else if (c == '=') {
                m_state = State::BeforeAttributeValue;
            } else if (c == '>') {
                return emit(m_endTag ? HtmlTokenKind::EndTag : HtmlTokenKind::StartTag);
            } else if (c == kEnd) {
                return false;
            } else {
                startAttribute();
                reconsume();
                m_state = State::AttributeName;
            }
            break;
        case State::BeforeAttributeValue:
            if (isSpace(c)) {
                break;
            } else if (c == '"') {
                m_state = State::AttributeValueDoubleQuoted;
            } else if (c == '\'') {
                m_state = State::AttributeValueSingleQuoted;
            } else if (c == '>') {
                return emit(m_endTag ? HtmlTokenKind::EndTag : HtmlTokenKind::StartTag);
            } else {
                reconsume();
                m_state = State::AttributeValueUnquoted;
            }
            break;
        case State::AttributeValueDoubleQuoted:
        case State::AttributeValueSingleQuoted:
            if (c == (state == State::AttributeValueDoubleQuoted ? '"' : '\'')) {
                m_state = State::AfterAttributeValueQuoted;
            } else if (c == '&') {
                characterReference(value(), true);
            } else if (c == 0) {
                value() += kReplacement;
            } else if (c == kEnd) {
                return false;
            } else {
                value() += static_cast<char>(c);
            }
            break;
        case State::AttributeValueUnquoted:
            if (isSpace(c)) {
                m_state = State::BeforeAttributeName;
            } else if (c == '&') {
                characterReference(value(), true);
            } else if (c == '>') {
                return emit(m_endTag ? HtmlTokenKind::EndTag : HtmlTokenKind::StartTag);
            } else if (c == 0) {
                value() += kReplacement;
            } else if (c == kEnd) {
                return false;
            } else {
                value() += static_cast<char>(c);
            }
            break;
        case State::AfterAttributeValueQuoted:
        case State::SelfClosingStartTag:
            if (isSpace(c) && state == State::AfterAttributeValueQuoted) {
                m_state = State::BeforeAttributeName;
            } else if (c == '/' && state == State::AfterAttributeValueQuoted) {
                m_state = State::SelfClosingStartTag;
            } else if (c == '>') {
                m_selfClosing = state == State::SelfClosingStartTag;
                return emit(m_endTag ? HtmlTokenKind::EndTag : HtmlTokenKind::StartTag);
            } else if (c == kEnd) {
                return false;
            } else {
                reconsume();
                m_state = State::BeforeAttributeName;
            }
            break;
        case State::MarkupDeclarationOpen: {
            reconsume();
            const std::string_view rest = input.substr(m_pos);
            m_comment.clear();
            if (rest.starts_with("--")) {
                m_pos += 2;
                m_state = State::CommentStart;
            } else if (startsWithIgnoringCase(rest, "doctype")) {
                m_pos += 7;
                m_state = State::Doctype;
            } else if (rest.starts_with("[CDATA[") && inForeignContent()) {
                m_pos += 7;
                m_state = State::CDataSection;
            } else {
                m_state = State::BogusComment;
            }
            break;
        }
        case State::BogusComment:
            if (c == '>') {
                return emit(HtmlTokenKind::Comment);
            } else if (c == kEnd) {
                return emit(HtmlTokenKind::Comment);
            } else if (c == 0) {
                m_comment += kReplacement;
            } else {
                m_comment += static_cast<char>(c);
            }
            break;
        case State::CommentStart:
        case State::CommentStartDash:
            if (c == '-') {
                m_state =
                    state == State::CommentStart ? State::CommentStartDash : State::CommentEnd;
            } else if (c == '>') {
                return emit(HtmlTokenKind::Comment); // "<!-->" and "<!--->" are whole comments
            } else if (c == kEnd && state == State::CommentStartDash) {
                return emit(HtmlTokenKind::Comment);
            } else {
                if (state == State::CommentStartDash)
                    m_comment += '-';
                reconsume();
                m_state = State::Comment;
            }
            break;
        case State::Comment:
            if (c == '-') {
                m_state = State::CommentEndDash;
            } else if (c == 0) {
                m_comment += kReplacement;
            } else if (c == kEnd) {
                return emit(HtmlTokenKind::Comment);
            } else {
                m_comment += static_cast<char>(c);
            }
            break;
        case State::CommentEndDash:
            if (c == '-') {
                m_state = State::CommentEnd;
            } else if (c == kEnd) {
                return emit(HtmlTokenKind::Comment);
            } else {
                m_comment += '-';
                reconsume();
                m_state = State::Comment;
            }
            break;
        case State::CommentEnd:
        case State::CommentEndBang:
            if (c == '>') {
                return emit(HtmlTokenKind::Comment);
            } else if (c == kEnd) {
                return emit(HtmlTokenKind::Comment);
            } else if (c == '!' && state == State::CommentEnd) {
                m_state = State::CommentEndBang;
            } else if (c == '-' && state == State::CommentEnd) {
                m_comment += '-';
            } else {
                m_comment += state == State::CommentEnd ? "--" : "--!";
                if (c == '-') {
                    m_state = State::CommentEndDash;
                } else {
                    reconsume();
                    m_state = State::Comment;
                }
            }
            break;
        case State::Doctype:
            // Every doctype state ends the token at ">".
            if (c == '>') {
                return emit(HtmlTokenKind::Doctype);
            } else if (c == kEnd) {
                return emit(HtmlTokenKind::Doctype);
            }
            break;
        case State::CDataSection:
            if (c == ']' && input.substr(m_pos).starts_with("]>")) {
                m_pos += 2;
                m_state = State::Data;
            } else if (c == kEnd) {
                return false;
            } else {
                textChar(c);
            }
            break;
        }
    }
}

} // namespace vendaxo
