// The tokenizer's script data states: "<!--" in a script opens a stretch where
// "<script>" hides the next "</script>".
#include "base/html_tokenizer.h"
#include "base/html_tokenizer_states.h"

namespace vendaxo {

using namespace html;

void HtmlTokenizer::scriptCharacter(int c, State next) {
    if (c == 0)
        text(kReplacement);
    else
        textChar(c);
    m_state = next;
}

HtmlTokenizer::Step HtmlTokenizer::scriptState(State state, int c) {
    switch (state) {
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
            return Step::End;
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
            return Step::End;
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
    default:
        break;
    }
    return Step::Go;
}

} // namespace vendaxo
