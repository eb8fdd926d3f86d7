// The switches the tree builder makes for the tokenizer: raw text after some
// start tags, none in svg and math content.
#include "base/html_tokenizer.h"
#include "base/html_tokenizer_states.h"

#include <algorithm>
#include <array>

namespace vendaxo {

namespace {

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

void HtmlTokenizer::afterStartTag() {
    // A view compares lengths first: most tags are none of these.
    const std::string_view name = m_tagName;
    if (inForeignContent()) {
        const bool breakout =
            isOneOf(name, kBreakoutTags) ||
            (name == "font" && (attribute("color") || attribute("face") || attribute("size")));
        if (breakout) {
            while (inForeignContent())
                m_openForeign.pop_back();
        } else {
            if (!m_selfClosing) {
                const bool svg = std::string_view(m_openForeign.back().name) == "svg";
                const std::string* encoding = attribute("encoding");
                const bool htmlAnnotation =
                    !svg && name == "annotation-xml" && encoding &&
                    (*encoding == "text/html" || *encoding == "application/xhtml+xml");
                if ((svg && isOneOf(name, kSvgHtmlPoints)) ||
                    (!svg && isOneOf(name, kMathTextPoints)) || htmlAnnotation)
                    m_openForeign.push_back({m_tagName, false});
                else if (name == "svg" || name == "math")
                    m_openForeign.push_back({m_tagName, true});
            }
            return;
        }
    }
    if (name == "svg" || name == "math") {
        if (!m_selfClosing)
            m_openForeign.push_back({m_tagName, true});
        return;
    }
    m_source = textSourceAfter(name);
    if (m_source == HtmlTextSource::Data)
        return;
    m_lastStartTag = m_tagName;
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

} // namespace vendaxo
