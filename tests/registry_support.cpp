#include "registry_support.h"

#ifdef _WIN32

#include "base/text_encoding.h"
#include "child_process.h"

#include <atomic>
#include <stdexcept>

namespace vendaxo::test {

namespace {

constexpr const char* kScratchParent = "Software\\VendaxoTest";
// Below HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER: what HKEY_CLASSES_ROOT shows.
constexpr const char* kClasses = "Software\\Classes\\";

std::wstring wide(const std::string& utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

void setString(HKEY root, const std::string& path, const std::string& name,
               const std::wstring& value) {
    const LSTATUS status =
        RegSetKeyValueW(root, wide(path).c_str(), name.empty() ? nullptr : wide(name).c_str(),
                        REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * 2));
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("cannot register " + path + ": error " + std::to_string(status));
}

std::string newClassId() {
    GUID id;
    CoCreateGuid(&id);
    wchar_t text[40];
    StringFromGUID2(id, text, 40);
    return utf16ToUtf8(std::u16string(text, text + wcslen(text)));
}

} // namespace

void deleteKeyTree(HKEY root, const std::string& path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, wide(path).c_str(), 0, KEY_ALL_ACCESS | view, &key) == ERROR_SUCCESS) {
        RegDeleteTreeW(key, nullptr);
        RegCloseKey(key);
    }
    RegDeleteKeyExW(root, wide(path).c_str(), view, 0);
}

ScratchKey::ScratchKey() {
    static std::atomic<unsigned> counter{0};
    m_path = std::string(kScratchParent) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(GetTickCount()) + "-" + std::to_string(counter++);
    deleteKeyTree(HKEY_LOCAL_MACHINE, m_path, kProgramView);
}

ScratchKey::~ScratchKey() {
    deleteKeyTree(HKEY_LOCAL_MACHINE, m_path, kProgramView);
    // Only succeeds once the last test's key is gone.
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, wide(kScratchParent).c_str(), kProgramView, 0);
}

std::filesystem::path testEditorServer() {
    return programFolder() / "vendaxo_test_editor.dll";
}

TestEditorRegistration::TestEditorRegistration(std::string progId,
                                               const std::filesystem::path& output,
                                               const std::string& method)
    : m_progId(std::move(progId)) {
    const std::string classId = newClassId();
    m_classKey = std::string(kClasses) + "CLSID\\" + classId;
    HKEY probe = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(m_classKey).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &probe,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(probe);
    else
        m_root = HKEY_CURRENT_USER;
    setString(m_root, kClasses + m_progId + "\\CLSID", "", wide(classId));
    setString(m_root, m_classKey + "\\InprocServer32", "", testEditorServer().wstring());
    setString(m_root, m_classKey + "\\InprocServer32", "ThreadingModel", L"Apartment");
    setString(m_root, m_classKey, "OutputFile", output.wstring());
    setString(m_root, m_classKey, "Method", wide(method));
}

TestEditorRegistration::~TestEditorRegistration() {
    deleteKeyTree(m_root, kClasses + m_progId, 0);
    deleteKeyTree(m_root, m_classKey, 0);
}

void TestEditorRegistration::breakServerPath() {
    setString(m_root, m_classKey + "\\InprocServer32", "",
              (testEditorServer().parent_path() / "missing_editor.dll").wstring());
}

void TestEditorRegistration::refuseInserts(const std::string& reason) {
    setString(m_root, m_classKey, "Refusal", wide(reason));
}

} // namespace vendaxo::test

#endif
