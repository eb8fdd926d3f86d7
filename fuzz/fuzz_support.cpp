#include "fuzz_support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace vendaxo::fuzz {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view parentOf(std::string_view path) {
    const auto slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

} // namespace

void fail(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(what.size()), what.data());
    // fwrite, not %s: the detail may hold NULs.
    std::fwrite(detail.data(), 1, detail.size(), stderr);
    std::fputc('\n', stderr);
    std::abort();
}

std::vector<std::string_view> split(std::string_view text, char separator, std::size_t pieces) {
    std::vector<std::string_view> out;
    while (out.size() + 1 < pieces) {
        const auto at = text.find(separator);
        if (at == std::string_view::npos)
            break;
        out.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    out.push_back(text);
    return out;
}

MemoryStore::Key* MemoryStore::find(std::string_view path) {
    for (Key& key : m_keys) {
        if (sameIgnoringCase(key.path, path))
            return &key;
    }
    return nullptr;
}

bool MemoryStore::keyExists(std::string_view path) {
    return find(path) != nullptr;
}

void MemoryStore::createKey(std::string_view path) {
    if (path.empty() || find(path))
        return;
    createKey(parentOf(path));
    m_keys.push_back({std::string(path), {}});
}

bool MemoryStore::readValue(std::string_view path, std::string_view name, RegValue& value) {
    const Key* key = find(path);
    if (!key)
        return false;
    for (const NamedValue& named : key->values) {
        if (sameIgnoringCase(named.name, name)) {
            value = named.value;
            return true;
        }
    }
    return false;
}

void MemoryStore::writeValue(std::string_view path, std::string_view name, const RegValue& value) {
    createKey(path);
    Key* key = find(path);
    for (NamedValue& named : key->values) {
        if (sameIgnoringCase(named.name, name)) {
            named.value = value;
            return;
        }
    }
    key->values.push_back({std::string(name), value});
}

std::vector<std::string> MemoryStore::subkeys(std::string_view path) {
    std::vector<std::string> names;
    for (const Key& key : m_keys) {
        if (sameIgnoringCase(parentOf(key.path), path))
            names.push_back(key.path.substr(key.path.rfind('\\') + 1));
    }
    return names;
}

std::vector<NamedValue> MemoryStore::values(std::string_view path) {
    const Key* key = find(path);
    return key ? key->values : std::vector<NamedValue>();
}

std::string MemoryStore::dump() const {
    std::vector<std::string> keys;
    for (const Key& key : m_keys) {
        std::string text = "[" + key.path + "]\n";
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        for (const NamedValue& named : key.values) {
            text += named.name + "=" + std::to_string(static_cast<unsigned>(named.value.type)) +
                    ":" + named.value.data + "\n";
        }
        keys.push_back(std::move(text));
    }
    std::sort(keys.begin(), keys.end());
    std::string all;
    for (const std::string& key : keys)
        all += key;
    return all;
}

} // namespace vendaxo::fuzz
