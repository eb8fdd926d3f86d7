#include "shell/registry_store.h"

#ifdef _WIN32

#include "base/error.h"
#include "base/system_message.h"
#include "base/text_encoding.h"

#include <windows.h>

namespace vendaxo {

namespace {

// Registry paths tolerate a trailing separator ("...\Vendaxo\" with no merchant number).
std::string_view normalisedPath(std::string_view path) {
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    return path;
}

std::wstring wide(std::string_view utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string narrow(const wchar_t* text, std::size_t length) {
    return utf16ToUtf8(std::u16string(text, text + length));
}

// The 32-bit view, where the 32-bit installer wrote, also for a 64-bit build.
constexpr REGSAM kView = KEY_WOW64_32KEY;

// An open key, closed with the object.
class Key {
public:
    Key() = default;
    ~Key() {
        if (m_key)
            RegCloseKey(m_key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    // Opens without creating; false when the key does not open.
    bool open(const std::wstring& path, REGSAM access) {
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, access | kView, &m_key) ==
               ERROR_SUCCESS;
    }
    LSTATUS create(const std::wstring& path, REGSAM access) {
        return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                               REG_OPTION_NON_VOLATILE, access | kView, nullptr, &m_key, nullptr);
    }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// The registry's bytes as a RegValue: REG_SZ becomes UTF-8 without its
// terminating NUL (when it has one); other types keep their bytes.
RegValue fromRegistry(DWORD type, const BYTE* data, DWORD size) {
    RegValue value{static_cast<RegType>(type), {}};
    if (type != REG_SZ) {
        value.data.assign(reinterpret_cast<const char*>(data), size);
        return value;
    }
    std::u16string text;
    for (DWORD i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    if (!text.empty() && text.back() == u'\0')
        text.pop_back();
    value.data = utf16ToUtf8(text);
    return value;
}

} // namespace

RegistryStore::RegistryStore(std::string root) : m_root(normalisedPath(root)) {}

std::wstring RegistryStore::fullPath(std::string_view path) const {
    path = normalisedPath(path);
    if (m_root.empty())
        return wide(path);
    return wide(path.empty() ? m_root : m_root + "\\" + std::string(path));
}

bool RegistryStore::keyExists(std::string_view path) {
    Key key;
    return key.open(fullPath(path), KEY_READ);
}

void RegistryStore::createKey(std::string_view path) {
    Key key;
    if (const LSTATUS status = key.create(fullPath(path), KEY_READ); status != ERROR_SUCCESS)
        throw Error(failedToCreateKeyMessage(normalisedPath(path)) + "\n" +
                    systemMessage(static_cast<unsigned long>(status)));
}

bool RegistryStore::readValue(std::string_view path, std::string_view name, RegValue& value) {
    Key key;
    if (!key.open(fullPath(path), KEY_QUERY_VALUE))
        return false;
    const std::wstring valueName = wide(name);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return false;
    for (;;) {
        std::string buffer(size, '\0');
        DWORD got = size;
        const LSTATUS status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA) {
            // The value grew since it was measured; `got` holds its new size.
            size = got;
            continue;
        }
        if (status != ERROR_SUCCESS)
            return false;
        value = fromRegistry(type, reinterpret_cast<const BYTE*>(buffer.data()), got);
        return true;
    }
}

void RegistryStore::writeValue(std::string_view path, std::string_view name,
                               const RegValue& value) {
    Key key;
    if (const LSTATUS status = key.create(fullPath(path), KEY_SET_VALUE); status != ERROR_SUCCESS)
        throw Error(failedToCreateKeyMessage(normalisedPath(path)) + "\n" +
                    systemMessage(static_cast<unsigned long>(status)));
    std::string bytes;
    if (value.type == RegType::String)
        bytes = utf8ToUtf16leBytes(value.data) + std::string(2, '\0');
    else
        bytes = value.data;
    const LSTATUS status = RegSetValueExW(
        key.get(), wide(name).c_str(), 0, static_cast<DWORD>(value.type),
        reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    if (status != ERROR_SUCCESS)
        throw Error("Cannot write the setting " + std::string(name) + " in HKEY_LOCAL_MACHINE\\" +
                    std::string(normalisedPath(path)) + ": " +
                    systemMessage(static_cast<unsigned long>(status)));
}

std::vector<std::string> RegistryStore::subkeys(std::string_view path) {
    std::vector<std::string> names;
    Key key;
    if (!key.open(fullPath(path), KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE))
        return names;
    // Key names are at most 255 characters.
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        const LSTATUS status =
            RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            break;
        names.push_back(narrow(name, length));
    }
    return names;
}

std::vector<NamedValue> RegistryStore::values(std::string_view path) {
    std::vector<NamedValue> result;
    Key key;
    if (!key.open(fullPath(path), KEY_QUERY_VALUE))
        return result;
    DWORD maxName = 0;
    DWORD maxData = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &maxName, &maxData, nullptr, nullptr) != ERROR_SUCCESS)
        return result;
    std::wstring name(maxName + 1, L'\0');
    std::string data(maxData + 2, '\0');
    for (DWORD index = 0;;) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LSTATUS status = RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr,
                                             &type, reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) {
            // A value grew since the key was measured: measure again and retry this index.
            name.assign(name.size() * 2, L'\0');
            data.assign(data.size() * 2, '\0');
            continue;
        }
        if (status != ERROR_SUCCESS)
            break;
        result.push_back({narrow(name.data(), nameLength),
                          fromRegistry(type, reinterpret_cast<const BYTE*>(data.data()), size)});
        ++index;
    }
    return result;
}

} // namespace vendaxo

#endif
