// The tokenizer's tag and attribute states.
#include "base/html_tokenizer.h"
#include "base/html_tokenizer_states.h"

namespace vendaxo {

using namespace html;

// The attribute states for a tag whose attributes nobody reads, from before
// its first attribute to its end: the same transitions as below on the raw
// characters, with nothing kept. CR is a line end and so white space; NUL,
// references and case change only what is kept.
HtmlTokenizer::Step HtmlTokenizer::skipAttributes() {
    const auto space = [](char c) {
        return isSpace(c) || c == '\r';
    };
    const auto tagEnds = [this] {
        emitTag();
        return Step::Token;
    };
    State state = m_state;
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos++];
        switch (state) {
        case State::BeforeAttributeName:
        case State::AfterAttributeName:
            if (c == '/')
                state = State::SelfClosingStartTag;
            else if (c == '>')
                return tagEnds();
            else if (c == '=' && state == State::AfterAttributeName)
                state = State::BeforeAttributeValue;
            else if (!space(c))
                state = State::AttributeName;
            break;
        case State::AttributeName:
            if (space(c))
                state = State::AfterAttributeName;
            else if (c == '/')
                state = State::SelfClosingStartTag;
            else if (c == '>')
                return tagEnds();
            else if (c == '=')
                state = State::BeforeAttributeValue;
            break;
        case State::BeforeAttributeValue:
            if (c == '"' || c == '\'') {
                const std::size_t end = m_input.find(c, m_pos);
                if (end == std::string_view::npos) {
                    m_pos = m_input.size();
                    return Step::End;
                }
                m_pos = end + 1;
                state = State::AfterAttributeValueQuoted;
            } else if (c == '>') {
                return tagEnds();
            } else if (!space(c)) {
                state = State::AttributeValueUnquoted;
            }
            break;
        case State::AttributeValueUnquoted:
            if (space(c))
                state = State::BeforeAttributeName;
            else if (c == '>')
                return tagEnds();
            break;
        case State::AfterAttributeValueQuoted:
            if (c == '/')
                state = State::SelfClosingStartTag;
            else if (c == '>')
                return tagEnds();
            else
                state = State::BeforeAttributeName;
            if (!space(c) && c != '/')
                --m_pos; // read again before a name
            break;
        case State::SelfClosingStartTag:
            if (c == '>') {
                m_selfClosing = true;
                return tagEnds();
            }
            state = State::BeforeAttributeName;
            --m_pos;
            break;
        default:
            break;
        }
    }
    return Step::End; // a tag cut off by the end is no tag
}

HtmlTokenizer::Step HtmlTokenizer::tagState(State state, int c) {
    switch (state) {
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
            return Step::End;
        } else {
            m_comment.clear();
            reconsume();
            m_state = State::BogusComment;
        }
        break;
    case State::TagName:
        if (isSpace(c)) {
            decideAttributes();
            m_state = State::BeforeAttributeName;
        } else if (c == '/') {
            decideAttributes();
            m_state = State::SelfClosingStartTag;
        } else if (c == '>') {
            emitTag();
            return Step::Token;
        } else if (c == 0) {
            m_tagName += kReplacement;
        } else if (c == kEnd) {
            return Step::End; // a tag cut off by the end is no tag
        } else {
            m_tagName += lower(c);
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
                attributeName() += '=';
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
            attributeName() += kReplacement;
        } else {
            attributeName() += lower(c);
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
            emitTag();
            return Step::Token;
        } else if (c == kEnd) {
            return Step::End;
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
            emitTag();
            return Step::Token;
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
            characterReference(attributeValue(), true);
        } else if (c == 0) {
            attributeValue() += kReplacement;
        } else if (c == kEnd) {
            return Step::End;
        } else {
            attributeValue() += static_cast<char>(c);
        }
        break;
    case State::AttributeValueUnquoted:
        if (isSpace(c)) {
            m_state = State::BeforeAttributeName;
        } else if (c == '&') {
            characterReference(attributeValue(), true);
        } else if (c == '>') {
            emitTag();
            return Step::Token;
        } else if (c == 0) {
            attributeValue() += kReplacement;
        } else if (c == kEnd) {
            return Step::End;
        } else {
            attributeValue() += static_cast<char>(c);
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
            emitTag();
            return Step::Token;
        } else if (c == kEnd) {
            return Step::End;
        } else {
            reconsume();
            m_state = State::BeforeAttributeName;
        }
        break;
    default:
        break;
    }
    return Step::Go;
}

} // namespace vendaxo
