#pragma once

#include "shell/stored_values.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

// Registry value types, numbered as the Windows registry numbers them.
enum class RegType : std::uint32_t {
    None = 0,
    String = 1,
    ExpandString = 2,
    Binary = 3,
    Dword = 4,
    DwordBigEndian = 5,
    Link = 6,
    MultiString = 7,
    ResourceList = 8,
    FullResourceDescriptor = 9,
    ResourceRequirementsList = 10,
    Qword = 11,
};

// One registry value. A String holds UTF-8 text; every other type holds the
// bytes the registry would hold (UTF-16LE for the other string types).
struct RegValue {
    RegType type = RegType::String;
    std::string data;

    static RegValue string(std::string_view text) { return {RegType::String, std::string(text)}; }
    bool operator==(const RegValue&) const = default;
};

struct NamedValue {
    std::string name;
    RegValue value;
    bool operator==(const NamedValue&) const = default;
};

// Key paths are relative to HKEY_LOCAL_MACHINE, components separated by "\".
inline constexpr std::string_view kInstallationKey = "Software\\Kestrune\\Vendaxo";

// The program's settings: named string values in the installation key and in
// the current merchant's key. Backends implement the raw key operations; the
// merchant rules live here so that every backend behaves alike.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // A missing key, a missing value and a value that is not a string all read "".
    std::string readInstallation(std::string_view name);
    // Reading from a merchant key that does not exist creates it empty.
    std::string readMerchant(std::string_view name);
    // Creates the merchant key when it is missing; a failing write throws.
    void writeMerchant(std::string_view name, std::string_view value);

    // The same for a value of the table, from the key the table names.
    std::string read(const InstallationValue& value) { return readInstallation(value.name); }
    std::string read(const MerchantValue& value) { return readMerchant(value.name); }
    // With the table's default in place of "".
    std::string readOrDefault(const MerchantValue& value);
    void write(const MerchantValue& value, std::string_view text) {
        writeMerchant(value.name, text);
    }

    const std::string& merchantNumber() const { return m_merchantNumber; }
    void setMerchantNumber(std::string number) { m_merchantNumber = std::move(number); }
    std::string merchantKeyPath() const;

    // Raw operations on keys below HKEY_LOCAL_MACHINE.
    virtual bool keyExists(std::string_view path) = 0;
    // Creates the key and its missing ancestors; throws "Failed to create key %s".
    virtual void createKey(std::string_view path) = 0;
    // False when the key or the value is missing.
    virtual bool readValue(std::string_view path, std::string_view name, RegValue& value) = 0;
    // Creates the key when it is missing; replaces an earlier value of that name.
    virtual void writeValue(std::string_view path, std::string_view name,
                            const RegValue& value) = 0;
    // Direct subkey names and values of a key, in the order the backend keeps them.
    virtual std::vector<std::string> subkeys(std::string_view path) = 0;
    virtual std::vector<NamedValue> values(std::string_view path) = 0;

    struct KeyValues {
        std::string path;
        std::vector<NamedValue> values;
    };
    // Creates every key and writes every value, all or nothing where the backend can.
    virtual void writeAll(const std::vector<KeyValues>& keys);

private:
    std::string m_merchantNumber;
};

// "Failed to create key %s" with the key path.
std::string failedToCreateKeyMessage(std::string_view path);

} // namespace vendaxo
