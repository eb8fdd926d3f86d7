#include "base/html_tokenizer.h"

#include "base/html_entities.h"
#include "base/html_tokenizer_states.h"
#include "base/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vendaxo {

using namespace html;

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

void HtmlTokenizer::decideAttributes() {
    m_keepAttributes = m_attributeFilter == nullptr ||
                       (!m_endTag && (m_attributeFilter(m_tagName) || inForeignContent()));
}

void HtmlTokenizer::startAttribute() {
    if (!m_keepAttributes) {
        m_skippedAttribute.name.clear();
        m_skippedAttribute.value.clear();
        return;
    }
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
    if (!m_keepAttributes)
        return;
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

void HtmlTokenizer::finishToken(HtmlTokenKind kind) {
    m_tokenEnd = m_pos;
    m_state = State::Data;
    if (kind == HtmlTokenKind::StartTag || kind == HtmlTokenKind::EndTag)
        dropRepeatedAttribute();
    if (m_text.empty()) {
        give(kind);
        return;
    }
    // The text before the token goes first, told as what came before it.
    m_pending = true;
    m_pendingKind = kind;
    m_kind = HtmlTokenKind::Text;
    m_begin = m_textBegin;
    m_end = m_tokenBegin;
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

// The states of the standard's tokenizer, one character at a time, with runs
// of plain characters copied at once.
bool HtmlTokenizer::run() {
    const auto copyRun = [&](const Stops& stops, std::string& out) {
        const std::size_t start = m_pos;
        m_pos = stops.skip(m_input, m_pos);
        out.append(m_input, start, m_pos - start);
    };
    const auto textRun = [&](const Stops& stops) {
        const std::size_t start = m_pos;
        m_pos = stops.skip(m_input, m_pos);
        if (m_pos > start)
            textFrom(start).append(m_input, start, m_pos - start);
    };
    // To the next `stop` or the end: characters nobody reads.
    const auto skipTo = [&](char stop) {
        const void* found = std::memchr(m_input.data() + m_pos, stop, m_input.size() - m_pos);
        m_pos = found ? static_cast<std::size_t>(static_cast<const char*>(found) - m_input.data())
                      : m_input.size();
    };
    // Text nobody reads: only a "<" can change the state.
    const auto skipText = [&] {
        skipTo('<');
    };
    for (;;) {
        const State state = m_state;
        switch (state) {
        case State::Data:
        case State::RcData:
            if (m_textWanted)
                textRun(kDataStops);
            else
                skipText();
            if (state == State::Data && tagNameFollows())
                continue;
            break;
        case State::RawText:
        case State::ScriptData:
            if (m_textWanted)
                textRun(kRawStops);
            else
                skipText();
            break;
        case State::PlainText:
            if (m_textWanted)
                textRun(kPlainStops);
            else
                m_pos = m_input.size();
            break;
        case State::Comment:
            copyRun(kCommentStops, m_comment);
            break;
        case State::AttributeValueDoubleQuoted:
            if (m_keepAttributes)
                copyRun(kDoubleQuotedStops, attributeValue());
            else
                skipTo('"');
            break;
        case State::AttributeValueSingleQuoted:
            if (m_keepAttributes)
                copyRun(kSingleQuotedStops, attributeValue());
            else
                skipTo('\'');
            break;
        case State::AttributeValueUnquoted:
            if (m_keepAttributes)
                copyRun(kUnquotedStops, attributeValue());
            else
                m_pos = kUnquotedStops.skip(m_input, m_pos);
            break;
        case State::TagName:
            copyRun(kTagNameStops, m_tagName);
            // Most tags end with their name.
            if (m_pos < m_input.size() && m_input[m_pos] == '>') {
                ++m_pos;
                emitTag();
                return true;
            }
            break;
        case State::AttributeName:
            copyRun(kAttributeNameStops, attributeName());
            break;
        case State::BeforeAttributeName:
        case State::SelfClosingStartTag:
            if (!m_keepAttributes)
                return skipAttributes() == Step::Token;
            break;
        default:
            break;
        }
        const int c = get();
        Step step = Step::Go;
        if (state <= State::RawEndTagName)
            step = textState(state, c);
        else if (state <= State::ScriptDoubleEscapedLessThan)
            step = scriptState(state, c);
        else if (state <= State::SelfClosingStartTag)
            step = tagState(state, c);
        else
            step = commentState(state, c);
        if (step != Step::Go)
            return step == Step::Token;
    }
}

// At "<" and a letter, or "</" and a letter, in data: what the tag open
// states do with them, at once, as most tags start so.
bool HtmlTokenizer::tagNameFollows() {
    const std::size_t at = m_pos;
    if (at + 1 >= m_input.size() || m_input[at] != '<')
        return false;
    const bool endTag = m_input[at + 1] == '/';
    const std::size_t name = at + (endTag ? 2 : 1);
    if (name >= m_input.size() || !isAlpha(static_cast<unsigned char>(m_input[name])))
        return false;
    m_tokenBegin = at;
    startTag(endTag);
    m_pos = name;
    m_state = State::TagName;
    return true;
}

void HtmlTokenizer::rawLessThan(State fallback) {
    m_tokenBegin = m_previous;
    m_rawState = fallback;
}

// What looked like the start of an end tag in raw text is text after all.
void HtmlTokenizer::rawEndTagIsText() {
    textFrom(m_tokenBegin) += "</";
    m_text += m_temporary;
    reconsume();
    m_state = m_rawState;
}

HtmlTokenizer::Step HtmlTokenizer::textState(State state, int c) {
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
            return Step::End;
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
            return Step::End;
        } else {
            textChar(c);
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
            decideAttributes();
            m_state = State::BeforeAttributeName;
        } else if (c == '/' && appropriateEndTag()) {
            decideAttributes();
            m_state = State::SelfClosingStartTag;
        } else if (c == '>' && appropriateEndTag()) {
            finishToken(HtmlTokenKind::EndTag);
            return Step::Token;
        } else if (isAlpha(c)) {
            m_tagName += lower(c);
            m_temporary += static_cast<char>(c);
        } else {
            rawEndTagIsText();
        }
        break;
    default:
        break;
    }
    return Step::Go;
}

} // namespace vendaxo
