#include "base/error.h"
#include "snippets/page_file.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace vendaxo {
namespace {

using namespace std::string_literals;

// ASCII text as UTF-16 code units, low byte first or high byte first.
std::string utf16(std::string_view ascii, bool bigEndian) {
    std::string out;
    for (char c : ascii)
        out += bigEndian ? "\0"s + c : c + "\0"s;
    return out;
}

PageEncoding detect(std::string_view bytes) {
    bool byteOrderMark = false;
    return detectPageEncoding(bytes, byteOrderMark);
}

// The page must come back unchanged around the snippet, which sits at `at`.
void expectInsertedAt(const std::string& page, const std::string& encodedSnippet, std::size_t at,
                      const std::string& snippet) {
    EXPECT_EQ(insertIntoPage(page, snippet), page.substr(0, at) + encodedSnippet + page.substr(at));
}

TEST(PageFileInsert, BeforeFirstMarkerKeepingOrderAndMarker) {
    const std::string marker(kCaretMarker);
    std::string page = "<body>\nA" + marker + "B" + marker + "</body>";
    page = insertIntoPage(page, "<form>1</form>\n");
    page = insertIntoPage(page, "<form>2</form>\n");
    EXPECT_EQ(page,
              "<body>\nA<form>1</form>\n<form>2</form>\n" + marker + "B" + marker + "</body>");
}

TEST(PageFileInsert, BeforeLastBodyEndInAnyCaseElseAtEnd) {
    const std::string page = "<BODY>x</BODY><!-- </body> --></Body>\n</html>";
    expectInsertedAt(page, "S", page.find("</Body>"), "S");
    expectInsertedAt("<p>no end tag</p>\n", "S", 18, "S");
    EXPECT_EQ(insertIntoPage("", "<form>é</form>\n"), "<form>é</form>\n");
}

TEST(PageFileInsert, LeavesOtherBytesAlone) {
    // CR LF lines, a NUL, and bytes that are not UTF-8; the snippet keeps its LF.
    const std::string page = "<html>\r\n<body>\r\n\x01\xE9\xFF\0\r\n</body>\r\n</html>\r\n"s;
    expectInsertedAt(page, "<b>\n</b>\n", page.find("</body>"), "<b>\n</b>\n");
    const std::string utf8 = "\xEF\xBB\xBF<p>caf\xC3\xA9</p>\r\n\r\n";
    expectInsertedAt(utf8, "\xE2\x98\x83\n", utf8.size(), "\xE2\x98\x83\n");
}

TEST(PageFileEncoding, Windows1252WithoutDeclaration) {
    const std::string page = "<p>caf\xE9</p></body>";
    EXPECT_EQ(detect(page), PageEncoding::Windows1252);
    expectInsertedAt(page, "\xE9\x80&#9731;&#322;", page.find("</body>"), "é€☃ł");
}

TEST(PageFileEncoding, Utf8WithByteOrderMarkOrValidBytes) {
    bool byteOrderMark = false;
    const std::string page = "\xEF\xBB\xBF<p>\xE9</p></body>";
    EXPECT_EQ(detectPageEncoding(page, byteOrderMark), PageEncoding::Utf8);
    EXPECT_TRUE(byteOrderMark);
    expectInsertedAt(page, "é€☃", page.find("</body>"), "é€☃");
    EXPECT_EQ(detectPageEncoding("<p>caf\xC3\xA9</p>", byteOrderMark), PageEncoding::Utf8);
    EXPECT_FALSE(byteOrderMark);
}

TEST(PageFileEncoding, DeclarationsAreRead) {
    for (const std::string head :
         {"<meta charset=\"windows-1252\">", "<META CHARSET=ISO-8859-1>",
          "<meta charset='latin1' />",
          "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=US-ASCII\">",
          "<meta content='text/html;charset=windows-1252' http-equiv=content-type>"}) {
        // ASCII bytes, so valid UTF-8: only the declaration makes it Windows-1252.
        const std::string page = "<html><head>" + head + "</head><body></body>";
        EXPECT_EQ(detect(page), PageEncoding::Windows1252) << head;
        expectInsertedAt(page, "\xE9", page.find("</body>"), "é");
    }
    EXPECT_EQ(detect("<meta charset=\"UTF-8\"><p>\xE9</p>"), PageEncoding::Utf8);
    // A commented-out declaration, one not wholly in the first 1024 bytes, and a
    // UTF-16 one without a BOM all leave the bytes to decide.
    EXPECT_EQ(detect("<!-- <meta charset=latin1> --><p>\xC3\xA9</p>"), PageEncoding::Utf8);
    EXPECT_EQ(detect(std::string(1024, ' ') + "<meta charset=latin1>"), PageEncoding::Utf8);
    EXPECT_EQ(detect(std::string(1000, ' ') + "<meta charset=windows-1252>"), PageEncoding::Utf8);
    EXPECT_EQ(detect("<meta charset=utf-16><p>\xC3\xA9</p>"), PageEncoding::Utf8);
    EXPECT_EQ(detect("<meta charset=utf-16><p>\xE9</p>"), PageEncoding::Windows1252);
    // Only a Content-Type http-equiv carries a charset in its content.
    EXPECT_EQ(detect("<meta name=x content='charset=koi8-r'>"), PageEncoding::Utf8);
    EXPECT_EQ(detect("<meta http-equiv=refresh content='1; charset=koi8-r'>"), PageEncoding::Utf8);
}

TEST(PageFileEncoding, OtherDeclaredCharsetRefused) {
    const std::string page =
        "<meta http-equiv=Content-Type content='text/html; charset=Shift_JIS'>";
    try {
        insertIntoPage(page, "x");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "The page is encoded as Shift_JIS, which cannot be kept; save "
                                   "it as UTF-8 first.");
    }
    EXPECT_THROW(decodePage("<meta charset=\"koi8-r\">"), Error);
}

TEST(PageFileEncoding, Utf16MatchesWholeCodeUnits) {
    for (const bool bigEndian : {false, true}) {
        const std::string page = (bigEndian ? "\xFE\xFF"s : "\xFF\xFE"s) +
                                 utf16("<body>" + std::string(kCaretMarker) + "</body>", bigEndian);
        const std::string snippet = bigEndian ? "\x00\xE9\x26\x03"s : "\xE9\x00\x03\x26"s;
        expectInsertedAt(page, snippet, 2 + 2 * 6, "é☃");
    }
    // "</body>" one byte off the code units is no match.
    const std::string shifted = "\xFF\xFE"s + "A" + utf16("</body>", false) + "\0"s;
    expectInsertedAt(shifted, "S\0"s, shifted.size(), "S");
    // A stray last byte stays last.
    const std::string odd = "\xFF\xFE"s + utf16("<p>", false) + "\0"s;
    expectInsertedAt(odd, "S\0"s, odd.size() - 1, "S");
}

TEST(PageFileRoundTrip, EachEncodingWithCrLf) {
    struct Case {
        std::string bytes;
        PageEncoding encoding;
        bool byteOrderMark;
    };
    const Case cases[] = {
        {"<p>caf\xC3\xA9</p>\r\n\r\n\xE2\x82\xAC\r\n", PageEncoding::Utf8, false},
        {"\xEF\xBB\xBF<p>caf\xC3\xA9</p>\r\n\r\n\xE2\x82\xAC\r\n", PageEncoding::Utf8, true},
        {"<p>caf\xE9</p>\r\n\r\n\x80\r\n", PageEncoding::Windows1252, false},
        {"\xFF\xFE"s + utf16("<p>caf", false) + "\xE9\0"s + utf16("</p>\r\n\r\n", false) +
             "\xAC\x20\r\0\n\0"s,
         PageEncoding::Utf16LE, true},
        {"\xFE\xFF"s + utf16("<p>caf", true) + "\0\xE9"s + utf16("</p>\r\n\r\n", true) +
             "\x20\xAC\0\r\0\n"s,
         PageEncoding::Utf16BE, true},
    };
    for (const Case& c : cases) {
        const PageDocument page = decodePage(c.bytes);
        EXPECT_EQ(page.text, "<p>café</p>\n\n€\n");
        EXPECT_EQ(page.encoding, c.encoding);
        EXPECT_EQ(page.byteOrderMark, c.byteOrderMark);
        EXPECT_TRUE(page.crlf);
        EXPECT_EQ(encodePage(page), c.bytes);
    }
    const PageDocument lf = decodePage("<p>\r</p>\nx\r\n");
    EXPECT_FALSE(lf.crlf);
    EXPECT_EQ(encodePage(lf), "<p>\r</p>\nx\r\n");
}

TEST(PageFileRoundTrip, EditedTextGetsReferencesOnlyWhereNeeded) {
    PageDocument page = decodePage("<p>\xE9</p>\r\n");
    page.text += "☃é\n";
    EXPECT_EQ(encodePage(page), "<p>\xE9</p>\r\n&#9731;\xE9\r\n");
    EXPECT_EQ(encodeText("☃", PageEncoding::Utf16LE), "\x03\x26");
    EXPECT_EQ(encodeText("\xF0\x9F\x98\x80", PageEncoding::Windows1252), "&#128512;");
}

TEST(PageFileOnDisk, InsertsIntoFileAndRefusesMissingOne) {
    test::TempDir dir;
    test::writeFile(dir / "page.html", "<body>\r\n</body>\r\n");
    insertIntoPageFile(dir / "page.html", "<form></form>\n");
    EXPECT_EQ(test::readFile(dir / "page.html"), "<body>\r\n<form></form>\n</body>\r\n");

    EXPECT_THROW(insertIntoPageFile(dir / "missing.html", "x"), Error);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.html"));

    test::writeFile(dir / "sjis.html", "<meta charset=shift_jis>\x82\xA0");
    EXPECT_THROW(insertIntoPageFile(dir / "sjis.html", "x"), Error);
    EXPECT_EQ(test::readFile(dir / "sjis.html"), "<meta charset=shift_jis>\x82\xA0");
}

} // namespace
} // namespace vendaxo
