#include "shell/reg_file.h"

#include "base/error.h"
#include "base/text_encoding.h"

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

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

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

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

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
        // A quoted string cannot carry a line break or a NUL back into regedit.
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

// ---- import

// The file as UTF-8 text plus how to read ANSI bytes inside hex(1)/(2)/(7) of a REGEDIT4 file.
struct DecodedText {
    std::string text;
    bool checkUtf8 = false;
    bool ansiIsCp1252 = false;
};

std::string_view firstLine(std::string_view text) {
    text = text.substr(0, text.find('\n'));
    if (text.ends_with('\r'))
        text.remove_suffix(1);
    return trim(text);
}

DecodedText decodeFile(std::string_view bytes) {
    const bool littleEndian = bytes.starts_with("\xFF\xFE");
    if (littleEndian || bytes.starts_with("\xFE\xFF")) {
        bytes.remove_prefix(2);
        if (bytes.size() % 2 != 0)
            throw Error("The file is not valid UTF-16 text: it ends in the middle of a character.");
        std::string swapped(bytes);
        for (std::size_t i = 0; !littleEndian && i < swapped.size(); i += 2)
            std::swap(swapped[i], swapped[i + 1]);
        return {utf16leBytesToUtf8(swapped)};
    }
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (firstLine(bytes) == kHeader4 && !isValidUtf8(bytes))
        return {cp1252ToUtf8(bytes), false, true};
    return {std::string(bytes), true};
}

class Parser {
public:
    Parser(std::vector<std::string_view> lines, bool regedit4, bool ansiIsCp1252)
        : m_lines(std::move(lines)), m_regedit4(regedit4), m_ansiIsCp1252(ansiIsCp1252) {}

    std::vector<SettingsStore::KeyValues> run() {
        for (m_index = 1; m_index < m_lines.size(); ++m_index) {
            const std::string_view text = trim(m_lines[m_index]);
            if (text.empty() || text.front() == ';')
                continue;
            if (text.front() == '[')
                keyLine(text);
            else if (text.front() == '"' || text.front() == '@')
                valueLine(text);
            else
                fail("\"" + std::string(text) + "\" is neither a key nor a value.");
        }
        return std::move(m_keys);
    }

private:
    [[noreturn]] void fail(const std::string& what) const { failAt(m_index, what); }
    [[noreturn]] void failAt(std::size_t index, const std::string& what) const {
        throw Error("line " + std::to_string(index + 1) + ": " + what);
    }

    void keyLine(std::string_view text) {
        if (text.starts_with("[-"))
            fail("Deleting a key is not supported: " + std::string(text));
        if (text.back() != ']')
            fail("The key line " + std::string(text) + " does not end with \"]\".");
        const std::string_view full = text.substr(1, text.size() - 2);
        const std::string path = storePath(full);
        const auto same = [&](const SettingsStore::KeyValues& key) {
            return equalsIgnoreCase(key.path, path);
        };
        const auto found = std::find_if(m_keys.begin(), m_keys.end(), same);
        m_key = static_cast<std::size_t>(found - m_keys.begin());
        if (found == m_keys.end())
            m_keys.push_back({path, {}});
    }

    // The key's path relative to HKEY_LOCAL_MACHINE, with the installation key's spelling.
    std::string storePath(std::string_view full) const {
        const auto outside = [&] {
            fail("The key " + std::string(full) + " is outside " + std::string(kRoot) + "\\" +
                 std::string(kInstallationKey) + " and cannot be imported.");
        };
        if (!startsWithIgnoreCase(full, kRoot) || full.size() <= kRoot.size() ||
            full[kRoot.size()] != '\\')
            outside();
        const std::string_view relative = full.substr(kRoot.size() + 1);
        for (std::string_view prefix : {kInstallationKey, kWow64Key}) {
            if (!startsWithIgnoreCase(relative, prefix))
                continue;
            const std::string_view below = relative.substr(prefix.size());
            if (!below.empty() && below.front() != '\\')
                continue;
            if (hasLineBreak(below) || below.find('\0') != below.npos)
                fail("The key name holds a line break or a NUL character.");
            if (below.find("\\\\") != below.npos || below.ends_with('\\'))
                fail("The key " + std::string(full) + " has an empty name part.");
            return std::string(kInstallationKey) + std::string(below);
        }
        outside();
        return {};
    }

    // A quoted name or string starting at text[pos]; leaves pos after the closing quote.
    std::string quotedText(std::string_view text, std::size_t& pos, const char* what) const {
        std::string out;
        for (++pos; pos < text.size(); ++pos) {
            if (text[pos] == '"') {
                ++pos;
                // The registry editor never writes one; a trailing NUL would not come back.
                if (out.find('\0') != std::string::npos)
                    fail(std::string("The ") + what + " holds a NUL character.");
                return out;
            }
            if (text[pos] == '\\' && pos + 1 < text.size() &&
                (text[pos + 1] == '\\' || text[pos + 1] == '"'))
                ++pos;
            out += text[pos];
        }
        fail(std::string("The ") + what + " has no closing quote.");
    }

    void valueLine(std::string_view text) {
        if (m_key == kNoKey)
            fail("A value comes before the first key.");
        std::size_t pos = 0;
        const std::string name = text.front() == '@' ? (++pos, "") : quotedText(text, pos, "name");
        // A lone CR inside quotes reaches us whole; the export could not write it back.
        if (hasLineBreak(name))
            fail("The value name holds a line break.");
        const std::string_view rest = trimLeft(text.substr(pos));
        if (!rest.starts_with('='))
            fail("\"=\" is missing after the value name.");
        const std::string_view data = trim(rest.substr(1));
        RegValue value;
        if (data.starts_with('"')) {
            std::size_t end = 0;
            value = RegValue::string(quotedText(data, end, "string"));
            if (const std::string_view extra = trim(data.substr(end)); !extra.empty())
                fail("Unexpected text after the closing quote: " + std::string(extra));
        } else if (data == "-") {
            fail("Deleting a value is not supported: " + std::string(text));
        } else if (startsWithIgnoreCase(data, "dword:")) {
            const std::string_view digits = trim(data.substr(6));
            std::uint32_t number = 0;
            if (digits.empty() || digits.size() > 8 || !hexNumber(digits, number))
                fail("Bad dword value: " + std::string(data));
            value = {RegType::Dword, std::string(4, '\0')};
            for (char& byte : value.data) {
                byte = static_cast<char>(number & 0xFF);
                number >>= 8;
            }
        } else if (startsWithIgnoreCase(data, "hex")) {
            value = hexValue(data);
        } else {
            fail("The value data " + std::string(data) + " is not understood.");
        }
        addValue({name, std::move(value)});
    }

    static bool hexNumber(std::string_view digits, std::uint32_t& number) {
        for (char c : digits) {
            const char* digit = std::char_traits<char>::find(kHexDigits, 16, lowerAscii(c));
            if (!digit)
                return false;
            number = (number << 4) | static_cast<std::uint32_t>(digit - kHexDigits);
        }
        return true;
    }

    // "hex:" or "hex(N):" and its bytes, with continuation lines ending in "\".
    RegValue hexValue(std::string_view data) {
        const std::size_t start = m_index;
        std::uint32_t type = static_cast<std::uint32_t>(RegType::Binary);
        std::size_t colon = 3;
        if (data.size() > 3 && data[3] == '(') {
            const auto close = data.find(')');
            const std::string_view digits =
                close == data.npos ? std::string_view() : data.substr(4, close - 4);
            type = 0;
            if (digits.empty() || digits.size() > 8 || !hexNumber(digits, type))
                fail("Bad value type in " + std::string(data));
            colon = close + 1;
        }
        if (colon >= data.size() || data[colon] != ':')
            fail("The value data " + std::string(data) + " is not understood.");
        std::string list(trim(data.substr(colon + 1)));
        while (list.ends_with('\\')) {
            list.pop_back();
            if (++m_index >= m_lines.size())
                failAt(start, "The value continues past the end of the file.");
            list += trim(m_lines[m_index]);
        }
        RegValue value{static_cast<RegType>(type), hexBytes(list, start)};
        if (value.type == RegType::String)
            value.data = hexString(value.data, start);
        else if (m_regedit4 &&
                 (value.type == RegType::ExpandString || value.type == RegType::MultiString))
            value.data = utf8ToUtf16leBytes(ansiToUtf8(value.data));
        return value;
    }

    std::string hexBytes(std::string_view list, std::size_t start) const {
        std::string bytes;
        for (std::size_t pos = 0; pos < list.size();) {
            const std::size_t comma = std::min(list.find(',', pos), list.size());
            const std::string_view item = trim(list.substr(pos, comma - pos));
            std::uint32_t byte = 0;
            if (item.empty() || item.size() > 2 || !hexNumber(item, byte))
                failAt(start, "Bad hex byte \"" + std::string(item) + "\".");
            bytes += static_cast<char>(byte);
            pos = comma + 1;
        }
        return bytes;
    }

    // hex(1) data as UTF-8 text without its terminating NULs.
    std::string hexString(std::string data, std::size_t start) const {
        if (m_regedit4) {
            while (data.ends_with('\0'))
                data.pop_back();
            return ansiToUtf8(data);
        }
        if (data.size() % 2 != 0)
            failAt(start, "The hex(1) data has an odd number of bytes.");
        while (data.ends_with("\0\0"s))
            data.resize(data.size() - 2);
        return utf16leBytesToUtf8(data);
    }

    std::string ansiToUtf8(std::string_view bytes) const {
        return !m_ansiIsCp1252 && isValidUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes);
    }

    void addValue(NamedValue named) {
        std::vector<NamedValue>& values = m_keys[m_key].values;
        const auto found = std::find_if(values.begin(), values.end(), [&](const NamedValue& v) {
            return equalsIgnoreCase(v.name, named.name);
        });
        if (found == values.end())
            values.push_back(std::move(named));
        else
            *found = std::move(named);
    }

    static constexpr std::size_t kNoKey = static_cast<std::size_t>(-1);
    std::vector<std::string_view> m_lines;
    bool m_regedit4;
    bool m_ansiIsCp1252;
    std::size_t m_index = 0;
    std::size_t m_key = kNoKey;
    std::vector<SettingsStore::KeyValues> m_keys;
};

} // namespace

std::string exportRegFile(SettingsStore& store) {
    std::string text = std::string(kHeader5) + "\r\n\r\n";
    if (store.keyExists(kInstallationKey))
        appendKey(store, std::string(kInstallationKey), text);
    return "\xFF\xFE"s + utf8ToUtf16leBytes(text);
}

std::vector<SettingsStore::KeyValues> parseRegFile(std::string_view bytes) {
    const DecodedText decoded = decodeFile(bytes);
    std::vector<std::string_view> lines;
    std::string_view rest = decoded.text;
    while (!rest.empty() || lines.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view text = rest.substr(0, end);
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        if (decoded.checkUtf8 && !isValidUtf8(text))
            throw Error("line " + std::to_string(lines.size() + 1) +
                        ": The text is not valid UTF-8.");
        lines.push_back(text);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    const std::string_view header = trim(lines.front());
    if (header != kHeader5 && header != kHeader4)
        throw Error("line 1: This is not a registry file; it must start with \"" +
                    std::string(kHeader5) + "\" or \"" + std::string(kHeader4) + "\".");
    return Parser(std::move(lines), header == kHeader4, decoded.ansiIsCp1252).run();
}

void importRegFile(SettingsStore& store, std::string_view bytes) {
    store.writeAll(parseRegFile(bytes));
}

} // namespace vendaxo
