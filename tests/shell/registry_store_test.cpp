#include "base/error.h"
#include "base/text_encoding.h"
#include "child_process.h"
#include "registry_support.h"
#include "shell/registry_store.h"
#include "shell/store_contract.h"
#include "test_support.h"

#include <atomic>
#include <gmock/gmock.h>

namespace vendaxo::test {

using namespace std::string_literals;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const std::string kInstall(kInstallationKey);

StoreBackend registryBackend() {
    return {"Registry",
            [] {
                static std::atomic<unsigned> counter{0};
                return "Software\\VendaxoTest\\contract-" + std::to_string(GetCurrentProcessId()) +
                       "-" + std::to_string(counter++);
            },
            [](const std::string& location) { return std::make_unique<RegistryStore>(location); },
            [](const std::string& location) {
                deleteKeyTree(HKEY_LOCAL_MACHINE, location, kProgramView);
            }};
}

std::wstring wide(std::string_view utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

// The key below HKEY_LOCAL_MACHINE as it appears in the 64-bit view, where the
// 32-bit view is the folder Software\Wow6432Node.
std::wstring in64BitView(const std::wstring& path) {
    return L"Software\\Wow6432Node" + path.substr(std::wstring(L"Software").size());
}

// Sets a value, creating its key, the way another program might: bypassing the store.
LSTATUS setValue(const std::wstring& path, REGSAM view, const wchar_t* name, DWORD type,
                 const std::string& bytes) {
    HKEY key = nullptr;
    LSTATUS status =
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | view, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    return status;
}

// The type and bytes the registry itself holds (RegGetValueW would add a missing
// NUL); REG_NONE when the value is missing.
std::pair<DWORD, std::string> getValue(const std::wstring& path, REGSAM view, const wchar_t* name) {
    HKEY key = nullptr;
    DWORD type = REG_NONE;
    std::string bytes(4096, '\0');
    DWORD size = static_cast<DWORD>(bytes.size());
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return {REG_NONE, {}};
    const LSTATUS status =
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return {REG_NONE, {}};
    bytes.resize(size);
    return {type, bytes};
}

bool keyExists(const std::wstring& path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class RegistryStoreTest : public ::testing::Test {
protected:
    // The full path below HKEY_LOCAL_MACHINE of a store path.
    std::wstring full(const std::string& path) const { return wide(m_key.path() + "\\" + path); }

    // Writes a value where the 32-bit program would find it, bypassing the store.
    void rawWrite(const std::string& path, const wchar_t* name, DWORD type,
                  const std::string& bytes) {
        ASSERT_EQ(setValue(full(path), kProgramView, name, type, bytes), ERROR_SUCCESS);
    }
    // What the registry holds where the 32-bit program would look.
    std::pair<DWORD, std::string> rawRead(const std::string& path, const wchar_t* name) {
        return getValue(full(path), kProgramView, name);
    }

    ScratchKey m_key;
    RegistryStore m_store{m_key.path()};
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Registry, StoreContract, ::testing::Values(registryBackend()),
                         [](const auto& info) { return info.param.name; });

TEST_F(RegistryStoreTest, WritesRegSzInUtf16WithItsTerminator) {
    m_store.setMerchantNumber("111");
    m_store.writeMerchant("Company", "Café € \U0001F6D2");
    const auto [type, bytes] = rawRead(kInstall + "\\111", L"Company");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, utf8ToUtf16leBytes("Café € \U0001F6D2") + "\0\0"s);

    m_store.writeMerchant("Empty", "");
    EXPECT_EQ(rawRead(kInstall + "\\111", L"Empty").second, "\0\0"s);
    m_store.writeValue(kInstall, "Count", {RegType::Dword, "\x07\0\0\0"s});
    EXPECT_EQ(rawRead(kInstall, L"Count"),
              (std::pair<DWORD, std::string>{REG_DWORD, "\x07\0\0\0"s}));
}

TEST_F(RegistryStoreTest, ReadsValuesOtherProgramsWrote) {
    // Installers do not always store the terminator; then nothing may be cut off.
    rawWrite(kInstall, L"Serial", REG_SZ, utf8ToUtf16leBytes("111;222"));
    rawWrite(kInstall, L"Company", REG_SZ, utf8ToUtf16leBytes("Acme") + "\0\0"s);
    rawWrite(kInstall, L"VDXDir", REG_EXPAND_SZ, utf8ToUtf16leBytes("%ProgramFiles%") + "\0\0"s);
    rawWrite(kInstall, nullptr, REG_SZ, utf8ToUtf16leBytes("default") + "\0\0"s);
    EXPECT_EQ(m_store.readInstallation("Serial"), "111;222");
    EXPECT_EQ(m_store.readInstallation("Company"), "Acme");
    EXPECT_EQ(m_store.readInstallation("VDXDir"), "") << "only REG_SZ reads as text";
    EXPECT_EQ(m_store.readInstallation(""), "default");

    RegValue folder;
    ASSERT_TRUE(m_store.readValue(kInstall, "vdxdir", folder));
    EXPECT_EQ(folder,
              (RegValue{RegType::ExpandString, utf8ToUtf16leBytes("%ProgramFiles%") + "\0\0"s}));
    const auto values = m_store.values(kInstall);
    ASSERT_EQ(values.size(), 4u);
    for (const NamedValue& named : values) {
        if (named.name == "Serial") {
            EXPECT_EQ(named.value, RegValue::string("111;222"));
        } else if (named.name.empty()) {
            EXPECT_EQ(named.value, RegValue::string("default"));
        }
    }
}

TEST_F(RegistryStoreTest, MerchantKeyThatCannotBeCreatedIsReported) {
    // Below a volatile key only volatile keys may be created.
    HKEY volatileKey = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(m_key.path()).c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_WRITE | kProgramView, nullptr, &volatileKey,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(volatileKey);
    m_store.setMerchantNumber("111");
    try {
        m_store.readMerchant("OURL");
        FAIL() << "a merchant key that cannot be created must be reported";
    } catch (const Error& error) {
        EXPECT_THAT(error.what(), StartsWith("Failed to create key " + kInstall + "\\111\n"));
    }
    EXPECT_THROW(m_store.writeMerchant("OURL", "http://acme.example/"), Error)
        << "a write that cannot happen is not lost silently";
    EXPECT_FALSE(m_store.keyExists(kInstall));
}

TEST_F(RegistryStoreTest, FailedWriteIsRaisedWithTheValueName) {
    m_store.setMerchantNumber("111");
    m_store.writeMerchant("OURL", "old");
    // Value names are limited to 16383 characters.
    const std::string tooLong(20000, 'n');
    try {
        m_store.writeMerchant(tooLong, "x");
        FAIL() << "a failed write must be raised";
    } catch (const Error& error) {
        EXPECT_THAT(error.what(), HasSubstr("Cannot write the setting nnn"));
        EXPECT_THAT(error.what(), HasSubstr(kInstall + "\\111: "));
    }
    EXPECT_EQ(m_store.readMerchant("OURL"), "old");
}

TEST_F(RegistryStoreTest, SettingsAreWhereThe32BitInstallerPutsThemWhateverTheBuild) {
#ifndef _WIN64
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (!wow64)
        GTEST_SKIP() << "32-bit Windows has one registry view only";
#endif
    // The 32-bit installer's values, as the 64-bit view shows them: below Wow6432Node.
    const std::wstring installed = in64BitView(full(kInstall));
    ASSERT_EQ(setValue(installed, KEY_WOW64_64KEY, L"Company", REG_SZ,
                       utf8ToUtf16leBytes("Acme") + "\0\0"s),
              ERROR_SUCCESS);
    EXPECT_EQ(m_store.readInstallation("Company"), "Acme");

    m_store.setMerchantNumber("111");
    m_store.writeMerchant("OURL", "http://acme.example/");
    EXPECT_EQ(getValue(installed + L"\\111", KEY_WOW64_64KEY, L"OURL"),
              (std::pair<DWORD, std::string>{REG_SZ, utf8ToUtf16leBytes("http://acme.example/") +
                                                         "\0\0"s}));
    EXPECT_FALSE(keyExists(full(kInstall), KEY_WOW64_64KEY))
        << "nothing goes to the 64-bit view's own keys";
}

TEST_F(RegistryStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kWrites = 200;
    TempDir dir;
    writeFile(dir / "stdin", "");
    {
        ChildProcess first(programFolder() / "registry_writer.exe",
                           {m_key.path(), "a", std::to_string(kWrites)}, dir / "stdin",
                           dir / "out-a", dir / "err-a");
        ChildProcess second(programFolder() / "registry_writer.exe",
                            {m_key.path(), "b", std::to_string(kWrites)}, dir / "stdin",
                            dir / "out-b", dir / "err-b");
        EXPECT_EQ(first.wait(), 0) << readFile(dir / "err-a");
        EXPECT_EQ(second.wait(), 0) << readFile(dir / "err-b");
    }
    m_store.setMerchantNumber("111");
    for (const char* tag : {"a", "b"}) {
        for (int i = 0; i < kWrites; ++i)
            ASSERT_EQ(m_store.readMerchant(tag + ("_" + std::to_string(i))), std::to_string(i));
    }
    EXPECT_EQ(m_store.values(kInstall + "\\111").size(), 2u * kWrites);
}

} // namespace vendaxo::test
