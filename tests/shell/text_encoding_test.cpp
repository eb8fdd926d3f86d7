#include "base/text_encoding.h"

#include <gtest/gtest.h>

namespace vendaxo::test {

TEST(TextEncoding, Utf8ValidationRejectsOverlongSurrogatesAndTruncation) {
    EXPECT_TRUE(isValidUtf8("plain é € \xF0\x9F\x9B\x92"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUtf8("caf\xE9"));          // Windows-1252 é
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));         // cut short
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
}

TEST(TextEncoding, Utf16RoundTripsOutsideTheBasicPlane) {
    const std::string text = "a é € \xF0\x9F\x9B\x92 z";
    const std::u16string units = utf8ToUtf16(text);
    EXPECT_EQ(units.size(), 10u) << "the cart emoji takes a surrogate pair";
    EXPECT_EQ(utf16ToUtf8(units), text);
    EXPECT_EQ(utf16leBytesToUtf8(utf8ToUtf16leBytes(text)), text);
    EXPECT_EQ(utf8ToUtf16leBytes("A\xC3\xA9"), std::string("A\0\xE9\0", 4));
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
    EXPECT_EQ(encodeUtf8(decodeUtf8("x\xFFy")), "x\xEF\xBF\xBDy");
}

TEST(TextEncoding, Windows1252MapsTheHighControlsRange) {
    EXPECT_EQ(cp1252ToUtf8("caf\xE9 \x80 \x93q\x94"), "café € “q”");
    EXPECT_EQ(cp1252FromCodePoint(U'é'), '\xE9');
    EXPECT_EQ(cp1252FromCodePoint(U'€'), '\x80');
    EXPECT_EQ(cp1252FromCodePoint(U'Ÿ'), '\x9F');
    EXPECT_FALSE(cp1252FromCodePoint(U'☃').has_value());
    EXPECT_FALSE(cp1252FromCodePoint(U'ł').has_value());
}

} // namespace vendaxo::test
