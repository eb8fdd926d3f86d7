// The tokenizer's comment, doctype and CDATA states. The states after "<!"
// inside a comment are left out: they only report errors and never change
// where a comment ends.
#include "base/html_tokenizer.h"
#include "base/html_tokenizer_states.h"

namespace vendaxo {

using namespace html;

namespace {

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

HtmlTokenizer::Step HtmlTokenizer::commentState(State state, int c) {
    switch (state) {
    case State::MarkupDeclarationOpen: {
        reconsume();
        const std::string_view rest = m_input.substr(m_pos);
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
            finishToken(HtmlTokenKind::Comment);
            return Step::Token;
        } else if (c == kEnd) {
            finishToken(HtmlTokenKind::Comment);
            return Step::Token;
        } else if (c == 0) {
            m_comment += kReplacement;
        } else {
            m_comment += static_cast<char>(c);
        }
        break;
    case State::CommentStart:
    case State::CommentStartDash:
        if (c == '-') {
            m_state = state == State::CommentStart ? State::CommentStartDash : State::CommentEnd;
        } else if (c == '>') {
            finishToken(HtmlTokenKind::Comment); // "<!-->" and "<!--->" are whole comments
            return Step::Token;
        } else if (c == kEnd && state == State::CommentStartDash) {
            finishToken(HtmlTokenKind::Comment);
            return Step::Token;
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
            finishToken(HtmlTokenKind::Comment);
            return Step::Token;
        } else {
            m_comment += static_cast<char>(c);
        }
        break;
    case State::CommentEndDash:
        if (c == '-') {
            m_state = State::CommentEnd;
        } else if (c == kEnd) {
            finishToken(HtmlTokenKind::Comment);
            return Step::Token;
        } else {
            m_comment += '-';
            reconsume();
            m_state = State::Comment;
        }
        break;
    case State::CommentEnd:
    case State::CommentEndBang:
        if (c == '>') {
            finishToken(HtmlTokenKind::Comment);
            return Step::Token;
        } else if (c == kEnd) {
            finishToken(HtmlTokenKind::Comment);
            return Step::Token;
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
            finishToken(HtmlTokenKind::Doctype);
            return Step::Token;
        } else if (c == kEnd) {
            finishToken(HtmlTokenKind::Doctype);
            return Step::Token;
        }
        break;
    case State::CDataSection:
        if (c == ']' && m_input.substr(m_pos).starts_with("]>")) {
            m_pos += 2;
            m_state = State::Data;
        } else if (c == kEnd) {
            return Step::End;
        } else {
            textChar(c);
        }
        break;
    default:
        break;
    }
    return Step::Go;
}

} // namespace vendaxo
