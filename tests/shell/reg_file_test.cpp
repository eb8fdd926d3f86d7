#include "base/error.h"
#include "base/text_encoding.h"
#include "scratch_store.h"
#include "shell/reg_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vendaxo {
namespace {

using namespace std::string_literals;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kRoot(kInstallationKey);

// Every key below the installation key with its values, parents first.
void dump(SettingsStore& store, const std::string& path,
          std::vector<SettingsStore::KeyValues>& out) {
    out.push_back({path, store.values(path)});
    for (const std::string& child : store.subkeys(path))
        dump(store, path + "\\" + child, out);
}

std::vector<SettingsStore::KeyValues> dump(SettingsStore& store) {
    std::vector<SettingsStore::KeyValues> out;
    dump(store, kRoot, out);
    return out;
}

// One line per key and value, data in hex, so that a mismatch reads well.
std::string listing(const std::vector<SettingsStore::KeyValues>& keys) {
    std::string out;
    for (const auto& key : keys) {
        out += "[" + key.path + "]\n";
        for (const NamedValue& named : key.values) {
            out += "  " + named.name + " type " +
                   std::to_string(static_cast<unsigned>(named.value.type)) + ":";
            for (char c : named.value.data)
                out += " " + std::to_string(static_cast<unsigned char>(c));
            out += "\n";
        }
    }
    return out;
}

std::string utf16(std::string_view utf8, bool bigEndian = false) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : utf8ToUtf16(utf8)) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

RegValue utf16Value(RegType type, std::string_view text) {
    return {type, utf8ToUtf16leBytes(text) + "\0\0"s};
}

class RegFile : public ::testing::Test {
protected:
    test::ScratchStore m_scratch;
    SettingsStore& m_store = m_scratch.store();
};

TEST_F(RegFile, RoundTripKeepsEveryKeyValueAndType) {
    std::string logo;
    for (int i = 0; i < 60; ++i)
        logo += static_cast<char>(i * 7);
    m_store.writeAll({
        {kRoot,
         {{"Company", RegValue::string("Say \"hi\" at C:\\shop\\")},
          {"Address", RegValue::string("Line 1\r\nLine 2\nLine 3\r\n")},
          {"Currency", RegValue::string("é € \U0001F600")},
          {"Empty", RegValue::string("")},
          {"", RegValue::string("default")},
          {"Count", {RegType::Dword, "\x78\x56\x34\x12"s}},
          {"Logo", {RegType::Binary, logo}},
          {"Nothing", {RegType::Binary, ""}},
          {"Folder", utf16Value(RegType::ExpandString, "%TEMP%\\é")}}},
        {kRoot + "\\111", {{"Company", RegValue::string("Shop \"1\"\\")}}},
        {kRoot + "\\111\\Orders\\2024", {{"Note", RegValue::string("x\ny")}}},
        {kRoot + "\\222", {}},
    });
    test::ScratchStore scratchCopy;
    SettingsStore& copy = scratchCopy.store();
    importRegFile(copy, exportRegFile(m_store));

    const auto original = dump(m_store);
    ASSERT_EQ(original.size(), 5u);
    EXPECT_EQ(listing(dump(copy)), listing(original));
    EXPECT_EQ(copy.readInstallation("Count"), "");
    EXPECT_EQ(copy.readInstallation("Logo"), "");
    EXPECT_EQ(copy.readInstallation("Address"), "Line 1\r\nLine 2\nLine 3\r\n");
}

TEST_F(RegFile, ExportGivesExactBytes) {
    std::string blob;
    for (char i = 0; i < 30; ++i)
        blob += i;
    // Written in name order, the one order every backend lists them in (Wine's registry
    // lists values by name, SQLite in the order first written).
    m_store.writeAll({
        {kRoot,
         {{"", RegValue::string("x")},
          {"Flag", {RegType::Dword, "\x2a\0\0\0"s}},
          {"Name", RegValue::string("a \"b\" c:\\d")}}},
        {kRoot + "\\7",
         {{"Big", {RegType::Qword, "\x01\x02\x03\x04\x05\x06\x07\x08"s}},
          {"Blob", {RegType::Binary, blob}},
          {"None", {RegType::Binary, ""}},
          {"Note", RegValue::string("1\n2")}}},
    });
    const std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo]\r\n"
        "@=\"x\"\r\n"
        "\"Flag\"=dword:0000002a\r\n"
        "\"Name\"=\"a \\\"b\\\" c:\\\\d\"\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo\\7]\r\n"
        "\"Big\"=hex(b):01,02,03,04,05,06,07,08\r\n"
        "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
        "  16,17,18,19,1a,1b,1c,1d\r\n"
        "\"None\"=hex:\r\n"
        "\"Note\"=hex(1):31,00,0a,00,32,00,00,00\r\n\r\n";
    std::string expected = "\xFF\xFE";
    for (char c : text)
        expected += {c, '\0'};
    EXPECT_EQ(exportRegFile(m_store), expected);
}

TEST_F(RegFile, ImportsRegedit4InWindows1252) {
    importRegFile(m_store, "REGEDIT4\r\n\r\n"
                           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kestrune\\Vendaxo\\Shop1]\r\n"
                           "\"Company\"=\"Caf\xE9 \x80\"\r\n"
                           "\"Motto\"=hex(1):43,61,66,e9,00\r\n"
                           "\"Folder\"=hex(2):e9,00\r\n");
    EXPECT_EQ(m_store.subkeys(kRoot), std::vector<std::string>{"Shop1"});
    m_store.setMerchantNumber("Shop1");
    EXPECT_EQ(m_store.readMerchant("Company"), "Café €");
    EXPECT_EQ(m_store.readMerchant("Motto"), "Café");
    RegValue folder;
    ASSERT_TRUE(m_store.readValue(kRoot + "\\Shop1", "Folder", folder));
    EXPECT_EQ(folder, (RegValue{RegType::ExpandString, "\xE9\0\0\0"s}));
}

TEST(RegFileParse, AcceptsEncodingsLineEndsCommentsAndWow64Path) {
    const std::string text =
        "Windows Registry Editor Version 5.00\n"
        "; from a 64-bit machine\n\n"
        "  [HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Kestrune\\Vendaxo\\111]\n"
        "  \"Company\"=\"Old\"\n"
        "\"Tax\"=DWORD:0000ABCD\n"
        "\"Logo\"=hex:01,02,\\\n"
        "  03\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo\\111]\n"
        "\"company\"=\"Café \U0001F600\"\n";
    const std::vector<SettingsStore::KeyValues> expected = {
        {kRoot + "\\111",
         {{"company", RegValue::string("Café \U0001F600")},
          {"Tax", {RegType::Dword, "\xCD\xAB\0\0"s}},
          {"Logo", {RegType::Binary, "\x01\x02\x03"}}}}};
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? "\r\n"s : std::string(1, c);
    for (const std::string& bytes : {text, "\xEF\xBB\xBF" + text, utf16(crlf), utf16(text, true)}) {
        SCOPED_TRACE(bytes.substr(0, 4));
        EXPECT_EQ(listing(parseRegFile(bytes)), listing(expected));
    }
    EXPECT_TRUE(parseRegFile("Windows Registry Editor Version 5.00\r\n\r\n").empty());
    EXPECT_TRUE(parseRegFile("REGEDIT4").empty());
}

TEST_F(RegFile, FaultyFileThrowsWithLineAndWritesNothing) {
    const std::string valid = "Windows Registry Editor Version 5.00\r\n\r\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo]\r\n"
                              "\"Imported\"=\"yes\"\r\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo\\999]\r\n"
                              "\"Imported\"=\"yes\"\r\n";
    struct Case {
        std::string bytes;
        std::string line;
        std::string fragment;
    };
    const std::vector<Case> cases = {
        {"Windows Registry Editor Version 4.00\r\n\r\n" + valid.substr(40), "1", "registry file"},
        {"", "1", "registry file"},
        {valid + "\"Name\"=\"abc\r\n", "7", "closing quote"},
        {valid + "\"Blob\"=hex:01,zz\r\n", "7", "zz"},
        {valid + "\"Blob\"=hex:01,\\\r\n  0g\r\n", "7", "0g"},
        {valid + "\"Blob\"=hex:01,\\", "7", "end of the file"},
        {valid + "\"Count\"=dword:123456789", "7", "dword"},
        {valid + "\"Odd\"=value", "7", "not understood"},
        // A lone CR is no line end for the parser, but the export could not write it.
        {valid + "\"A\rB\"=\"x\"\r\n", "7", "value name holds a line break"},
        {valid + "[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo\\9\r9]", "7",
         "holds a line break"},
        // Raw NULs: a trailing one would be lost on the way back through hex(1).
        {valid + "\"Motto\"=\"Caf\0\"\r\n"s, "7", "string holds a NUL"},
        {valid + "\"A\0\"=\"x\"\r\n"s, "7", "name holds a NUL"},
        {valid + "[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo\\9\0]\r\n"s, "7",
         "NUL character"},
        {"REGEDIT4\r\n\r\n\"A\"=\"b\"\r\n" + valid.substr(40), "3", "before the first key"},
        {valid + "[HKEY_CURRENT_USER\\Software\\Kestrune\\Vendaxo]", "7",
         "HKEY_CURRENT_USER\\Software\\Kestrune\\Vendaxo is outside"},
        {valid + "[HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo2]", "7", "Vendaxo2 is outside"},
        {valid + "[HKEY_LOCAL_MACHINE\\Software\\Kestrune]", "7", "Kestrune is outside"},
        {valid + "[-HKEY_LOCAL_MACHINE\\Software\\Kestrune\\Vendaxo\\999]", "7", "Deleting a key"},
        {valid + "\"Imported\"=-\r\n", "7", "Deleting a value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        try {
            importRegFile(m_store, c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_THAT(error.what(), StartsWith("line " + c.line + ": "));
            EXPECT_THAT(error.what(), HasSubstr(c.fragment));
        }
        EXPECT_FALSE(m_store.keyExists(kRoot));
    }
    importRegFile(m_store, valid);
    EXPECT_EQ(m_store.readInstallation("Imported"), "yes");
    EXPECT_TRUE(m_store.keyExists(kRoot + "\\999"));
}

} // namespace
} // namespace vendaxo
