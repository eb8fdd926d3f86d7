#include "shell/reg_file.h"

#include "shell/error.h"
#include "shell/text_encoding.h"

#include <algorithm>
#include <cstdint>

namespace vendaxo {

namespace {

using namespace std::string_literals;

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE";
// Where a 64-bit Windows keeps the key of a 32-bit program.
constexpr std::string_view kWow64Key = "SOFTWARE\\Wow6432Node\\Kestrune\\Vendaxo";
constexpr std::string_view kBlanks = " \t";
constexpr std::size_t kLineWidth = 80;
constexpr char kHexDigits[] = "0123456789abcdef";

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string_view trimLeft(std::string_view text) {
    const auto start = text.find_first_not_of(kBlanks);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::string_view trim(std::string_view text) {
    text = trimLeft(text);
    return text.substr(0, text.find_last_not_of(kBlanks) + 1);
}

// ---- export

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

// Bytes as "xx,xx,..." wrapped with ",\" so that no line passes kLineWidth.
void appendHex(std::string& out, std::string_view prefix, std::string_view bytes) {
    out += prefix;
    std::size_t column = decodeUtf8(prefix).size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out += ',';
            // Leave room for the next byte and a possible ",\".
            if (++column + 4 > kLineWidth) {
                out += "\\\r\n  ";
                column = 2;
            }
        }
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0xF];
        column += 2;
    }
    out += "\r\n";
}

void appendValue(std::string& out, const std::string& keyPath, const NamedValue& named) {
    if (hasLineBreak(named.name))
        throw Error("The value name \"" + named.name + "\" in the key " + keyPath +
                    " holds a line break and cannot be exported.");
    const std::string name = (named.name.empty() ? "@"s : quoted(named.name)) + "=";
    const RegValue& value = named.value;
    if (value.type == RegType::String) {
        // regedit cannot read a line break back from a quoted string.
        if (hasLineBreak(value.data) || value.data.find('\0') != std::string::npos)
            appendHex(out, name + "hex(1):", utf8ToUtf16leBytes(value.data) + "\0\0"s);
        else
            out += name + quoted(value.data) + "\r\n";
    } else if (value.type == RegType::Dword && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | static_cast<unsigned char>(value.data[i]);
        std::string digits(8, '0');
        for (int i = 7; i >= 0; --i, number >>= 4)
            digits[i] = kHexDigits[number & 0xF];
        out += name + "dword:" + digits + "\r\n";
    } else if (value.type == RegType::Binary) {
        appendHex(out, name + "hex:", value.data);
    } else {
        std::string type;
        for (auto n = static_cast<std::uint32_t>(value.type); n > 0 || type.empty(); n >>= 4)
            type.insert(type.begin(), kHexDigits[n & 0xF]);
        appendHex(out, name + "hex(" + type + "):", value.data);
    }
}

void appendKey(SettingsStore& store, const std::string& path, std::string& out) {
    if (hasLineBreak(path))
        throw Error("The key " + path + " holds a line break and cannot be exported.");
    out += "[" + std::string(kRoot) + "\\" + path + "]\r\n";
    for (const NamedValue& named : store.values(path))
        appendValue(out, path, named);
    out += "\r\n";
    for (const std::string& child : store.subkeys(path))
        appendKey(store, path + "\\" + child, out);
}

} // namespace

std::string exportRegFile(SettingsStore& store) {
    std::string text = std::string(kHeader5) + "\r\n\r\n";
    if (store.keyExists(kInstallationKey))
        appendKey(store, std::string(kInstallationKey), text);
    return "\xFF\xFE"s + utf8ToUtf16leBytes(text);
}

} // namespace vendaxo
