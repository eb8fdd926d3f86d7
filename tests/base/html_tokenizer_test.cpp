#include "base/html_entities.h"
#include "base/html_tokenizer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace vendaxo {
namespace {

using namespace std::string_literals;

// The tokens of a text in one line: tags with their attributes as name=[value],
// text in quotes (with its source when it is raw text), comments, doctypes.
std::string tokens(std::string_view html) {
    HtmlTokenizer tokenizer(html);
    std::string out;
    while (tokenizer.next()) {
        if (!out.empty())
            out += ' ';
        switch (tokenizer.kind()) {
        case HtmlTokenKind::StartTag:
        case HtmlTokenKind::EndTag:
            out += tokenizer.kind() == HtmlTokenKind::StartTag ? "<" : "</";
            out += tokenizer.tagName();
            for (const HtmlAttribute& attribute : tokenizer.attributes())
                out += " " + attribute.name + "=[" + attribute.value + "]";
            out += tokenizer.selfClosing() ? "/>" : ">";
            break;
        case HtmlTokenKind::Text: {
            constexpr std::string_view sources[] = {"", "rc", "raw", "script", "plain"};
            out += std::string(sources[static_cast<int>(tokenizer.textSource())]) + "\"" +
                   tokenizer.text() + "\"";
            break;
        }
        case HtmlTokenKind::Comment:
            out += "<!--" + tokenizer.text() + "-->";
            break;
        case HtmlTokenKind::Doctype:
            out += "<!DOCTYPE>";
            break;
        }
    }
    return out;
}

TEST(HtmlTokenizerTest, ReadsAttributesHoweverTheyAreWritten) {
    EXPECT_EQ(tokens("<INPUT Type=HIDDEN name='a b' VALUE=\"x'y\" checked>"),
              "<input type=[HIDDEN] name=[a b] value=[x'y] checked=[]>");
    EXPECT_EQ(tokens("<input\r\n\tname = \"n\"\nvalue=v/>"), "<input name=[n] value=[v/]>");
    // A repeated name keeps its first value; odd characters are part of the name or value.
    EXPECT_EQ(tokens("<a x=1 X=2 y=a\"b =c>"), "<a x=[1] y=[a\"b] =c=[]>");
    EXPECT_EQ(tokens("<a b=\"1\"c=2 / d>"), "<a b=[1] c=[2] d=[]>");
    EXPECT_EQ(tokens("</FORM foo=bar >"), "</form foo=[bar]>");
    // A quoted ">" does not end the tag; line ends inside values become line feeds.
    EXPECT_EQ(tokens("<i title=\"a>b\r\nc\rd\">"), "<i title=[a>b\nc\nd]>");
}

TEST(HtmlTokenizerTest, DecodesCharacterReferencesAsBrowsersDo) {
    EXPECT_EQ(tokens("&quot;&#34;&#x22;&amp;&lt;&AMP&copy2 &notit; &notin; &nGt; &foo; &#;"),
              "\"\"\"\"&<&©2 ¬it; ∉ ≫⃒ &foo; &#;\"");
    // Old names without ";" stay as written in an attribute before "=" or a letter.
    EXPECT_EQ(tokens("<a href='?a=1&copy=2&amp;b&notx&not;&lt3'>"),
              "<a href=[?a=1&copy=2&b&notx¬&lt3]>");
    // Numbers: without ";", the Windows-1252 meaning of 0x80-0x9F, and what cannot be a character.
    EXPECT_EQ(tokens("<a v='&#150;&#x80&#0;&#xD800;&#1114112;&#99999999999;&#x41;'>"),
              "<a v=[–€\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
              "A]>");
    EXPECT_EQ(tokens("a &#x; &# b"), "\"a &#x; &# b\"");
}

TEST(HtmlTokenizerTest, EndsCommentsWhereBrowsersDo) {
    EXPECT_EQ(tokens("<!-- a -- b --><p>"), "<!-- a -- b --> <p>");
    EXPECT_EQ(tokens("<!--><!---><p>"), "<!----> <!----> <p>");
    EXPECT_EQ(tokens("<!-- x --!><p>"), "<!-- x --> <p>");
    EXPECT_EQ(tokens("<!-- <form> <!-- --><p>"), "<!-- <form> <!-- --> <p>");
    EXPECT_EQ(tokens("<?xml version='1'?><!x><!DOCTYPE html SYSTEM \"a>\" b><p>"),
              "<!--?xml version='1'?--> <!--x--> <!DOCTYPE> \"\" b>\" <p>");
    EXPECT_EQ(tokens("</ x></>a"), "<!-- x--> \"a\"");
    EXPECT_EQ(tokens("<!-- never closed <form>"), "<!-- never closed <form>-->");
}

TEST(HtmlTokenizerTest, KeepsMarkupInRawTextAsText) {
    EXPECT_EQ(tokens("<script>if (a<b) x = '</scrip>'; </SCRIPT ><p>"),
              "<script> script\"if (a<b) x = '</scrip>'; \" </script> <p>");
    // Inside an escaped "<!--", "<script>" starts a stretch that "</script>" does not end.
    EXPECT_EQ(tokens("<script><!--<script></script>--></script>x"),
              "<script> script\"<!--<script></script>-->\" </script> \"x\"");
    EXPECT_EQ(tokens("<style><form>&amp;</style><noscript><input></noscript>"),
              "<style> raw\"<form>&amp;\" </style> <noscript> raw\"<input>\" </noscript>");
    EXPECT_EQ(tokens("<title>&lt;b&gt;</title ><textarea>\r\n<p></textarea>"),
              "<title> rc\"<b>\" </title> <textarea> rc\"\n<p>\" </textarea>");
    EXPECT_EQ(tokens("<plaintext></plaintext><p>"), "<plaintext> plain\"</plaintext><p>\"");
}

TEST(HtmlTokenizerTest, ReadsSvgAndMathWithoutRawText) {
    HtmlTokenizer tokenizer("<svg><style><form></style><![CDATA[<i>]]><p>x</svg>");
    std::vector<std::pair<std::string, bool>> seen;
    while (tokenizer.next()) {
        if (tokenizer.kind() != HtmlTokenKind::Text)
            seen.emplace_back(tokenizer.tagName(), tokenizer.inForeignContent());
        else
            seen.emplace_back(tokenizer.text(), tokenizer.inForeignContent());
    }
    // <p> ends the svg content: what follows is HTML again.
    const std::vector<std::pair<std::string, bool>> expected = {
        {"svg", true}, {"style", true}, {"form", true}, {"style", true},
        {"<i>", true}, {"p", false},    {"x", false},   {"svg", false}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(tokens("<math><mi><style><b></style></mi></math><![CDATA[x]]>"),
              "<math> <mi> <style> raw\"<b>\" </style> </mi> </math> <!--[CDATA[x]]-->");
}

TEST(HtmlTokenizerTest, DropsATagCutOffByTheEnd) {
    EXPECT_EQ(tokens("a<form action='x"), "\"a\"");
    EXPECT_EQ(tokens("a<"), "\"a<\"");
    EXPECT_EQ(tokens("a</"), "\"a</\"");
    EXPECT_EQ(tokens("<p a=1"), "");
    EXPECT_EQ(tokens("a\0b<p\0>"s), "\"ab\" <p\xEF\xBF\xBD>");
}

TEST(HtmlTokenizerTest, TellsWhereEachTokenStands) {
    const std::string html = "ab<form\r\n action=x>c &amp; d</form >";
    HtmlTokenizer tokenizer(html);
    std::vector<std::string> pieces;
    while (tokenizer.next())
        pieces.push_back(html.substr(tokenizer.begin(), tokenizer.end() - tokenizer.begin()));
    EXPECT_EQ(pieces,
              (std::vector<std::string>{"ab", "<form\r\n action=x>", "c &amp; d", "</form >"}));
}

// The tags, comments and doctypes of a text with where each stands, and the
// attributes of the tags the reader asked for; text left out.
std::string structure(std::string_view html, bool lean) {
    HtmlTokenizer tokenizer(html);
    const auto wanted = [](std::string_view name) {
        return name == "input" || name == "b";
    };
    if (lean) {
        tokenizer.setTextWanted(false);
        tokenizer.setAttributeFilter(wanted);
    }
    std::string out;
    while (tokenizer.next()) {
        if (tokenizer.kind() == HtmlTokenKind::Text)
            continue;
        out += std::to_string(static_cast<int>(tokenizer.kind())) + "@" +
               std::to_string(tokenizer.begin()) + "-" + std::to_string(tokenizer.end()) + " " +
               tokenizer.tagName() + (tokenizer.selfClosing() ? "/" : "");
        const bool keep =
            tokenizer.kind() == HtmlTokenKind::StartTag && wanted(tokenizer.tagName());
        for (const HtmlAttribute& attribute : tokenizer.attributes()) {
            if (keep)
                out += " " + attribute.name + "=[" + attribute.value + "]";
        }
        if (tokenizer.kind() == HtmlTokenKind::Comment)
            out += "[" + tokenizer.text() + "]";
        out += "\n";
    }
    return out;
}

TEST(HtmlTokenizerTest, ReadsTheSameStructureWithoutTextOrUnwantedAttributes) {
    // Pieces that move the states about, joined at random.
    const std::vector<std::string> pieces = {"<",        ">",
                                             "/",        "=",
                                             "\"",       "'",
                                             " ",        "\r",
                                             "\n",       "\r\n",
                                             "\t",       "&amp;",
                                             "&",        "!",
                                             "-",        "--",
                                             "?",        "a",
                                             "B",        "x",
                                             "input",    "p",
                                             "b",        "script",
                                             "style",    "svg",
                                             "math",     "title",
                                             "textarea", "font",
                                             "color",    "<!--",
                                             "-->",      "<!DOCTYPE",
                                             "]]>",      "<![CDATA[",
                                             "</",       "/>",
                                             "<input",   "<b",
                                             "</b",      "<script",
                                             "</script", "<svg",
                                             "</svg",    std::string(1, '\0')};
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        std::string html;
        const std::size_t length = 1 + random() % 40;
        for (std::size_t i = 0; i < length; ++i)
            html += pieces[random() % pieces.size()];
        ASSERT_EQ(structure(html, true), structure(html, false)) << html;
    }
}

TEST(HtmlEntitiesTest, HoldsTheWholeListSortedForTheLongestMatch) {
    EXPECT_TRUE(std::is_sorted(
        kNamedReferences.begin(), kNamedReferences.end(),
        [](const NamedReference& a, const NamedReference& b) { return a.name < b.name; }));
    const auto withoutSemicolon =
        std::count_if(kNamedReferences.begin(), kNamedReferences.end(),
                      [](const NamedReference& reference) { return reference.name.back() != ';'; });
    EXPECT_EQ(withoutSemicolon, 106);
    EXPECT_EQ(longestNamedReference("notin;x")->name, "notin;");
    EXPECT_EQ(longestNamedReference("notinx")->name, "not");
    EXPECT_EQ(longestNamedReference("CounterClockwiseContourIntegral;")->first, 0x2233U);
    EXPECT_EQ(longestNamedReference("xyzzy"), nullptr);
    EXPECT_EQ(longestNamedReference(""), nullptr);
}

} // namespace
} // namespace vendaxo
