#pragma once

#ifdef _WIN32

#include <filesystem>
#include <string>
#include <windows.h>

namespace vendaxo::test {

// Where the 32-bit program keeps its settings: the registry's 32-bit view
// (Software\Wow6432Node on 64-bit Windows). A 64-bit build of the store must read
// and write there too, so the tests look there, whatever their own width.
inline constexpr REGSAM kProgramView = KEY_WOW64_32KEY;

// Deletes a key with everything below it, in `view` (0: the process's own); a
// missing key is fine.
void deleteKeyTree(HKEY root, const std::string& path, REGSAM view);

// A key below HKEY_LOCAL_MACHINE\Software\VendaxoTest in the program's view,
// unique to this process and object, deleted with the object. Tests running at
// once each get their own.
class ScratchKey {
public:
    ScratchKey();
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    // Relative to HKEY_LOCAL_MACHINE.
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Registers the test automation server (vendaxo_test_editor.dll beside the test
// program) under `progId` with a class id of its own; the server appends what it
// is asked to insert to `output`. Removed with the object. Registered for the
// machine (Wine's COM looks nowhere else), else for the current user, in the
// registry view of this process: where a client of its width, the command line
// of the same build included, looks for it.
class TestEditorRegistration {
public:
    TestEditorRegistration(std::string progId, const std::filesystem::path& output,
                           const std::string& method = "vtiInsertHTML");
    ~TestEditorRegistration();
    TestEditorRegistration(const TestEditorRegistration&) = delete;
    TestEditorRegistration& operator=(const TestEditorRegistration&) = delete;

    // Points the class at a server file that does not exist.
    void breakServerPath();
    // Makes the server refuse each insert with this reason (an automation exception).
    void refuseInserts(const std::string& reason);

private:
    HKEY m_root = HKEY_LOCAL_MACHINE;
    std::string m_progId;
    std::string m_classKey;
};

std::filesystem::path testEditorServer();

} // namespace vendaxo::test

#endif
