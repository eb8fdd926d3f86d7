#include "base/error.h"
#include "base/system_message.h"
#include "registry_support.h"
#include "snippets/ole_bridge.h"
#include "test_support.h"

#include <atomic>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;

namespace {

// A ProgID of this test's own, so that tests running at once do not meet.
std::string uniqueProgId() {
    static std::atomic<unsigned> counter{0};
    return "Vendaxo.TestEditor" + std::to_string(GetCurrentProcessId()) + "x" +
           std::to_string(counter++);
}

// The bridge's message for a failure, or "" when it did not fail.
std::string failureOf(OleAutomationBridge bridge, const std::string& html = "<p>x</p>") {
    try {
        bridge.obtain()->insertHtml(html);
    } catch (const Error& error) {
        return error.what();
    }
    return {};
}

class OleBridgeTest : public ::testing::Test {
protected:
    TempDir m_dir;
    std::filesystem::path m_received = m_dir / "received.html";
    std::string m_progId = uniqueProgId();
};

} // namespace

TEST_F(OleBridgeTest, InsertsEachSnippetExactlyAsBuilt) {
    TestEditorRegistration editor(m_progId, m_received);
    const std::string first = "<form method=\"POST\" action=\"http://cart.example/\">\n"
                              "<input type=\"hidden\" value=\"Caf\xC3\xA9 \xE2\x82\xAC "
                              "\xF0\x9F\x9B\x92\" name=\"merchantname\">\r\n</form>\n";
    const std::string second(70000, 'x');
    OleAutomationBridge bridge(m_progId);
    bridge.obtain()->insertHtml(first);
    bridge.obtain()->insertHtml(second);
    EXPECT_EQ(readFile(m_received), first + second);
}

TEST_F(OleBridgeTest, ReleasesTheEditorWhenTheInsertEnds) {
    TestEditorRegistration editor(m_progId, m_received);
    // Holding COM and the server here keeps it loaded, so that its count can be asked.
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const HMODULE server = LoadLibraryW(testEditorServer().c_str());
    ASSERT_NE(server, nullptr);
    // Through void (*)(), the one function type any other may be cast from unwarned.
    const auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(server, "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    {
        auto page = OleAutomationBridge(m_progId).obtain();
        EXPECT_EQ(canUnload(), S_FALSE) << "the editor object is held while the insert runs";
        page->insertHtml("<p>held</p>");
    }
    EXPECT_EQ(canUnload(), S_OK) << "the editor object is released with the insert";
    FreeLibrary(server);
    CoUninitialize();
}

TEST_F(OleBridgeTest, UnregisteredEditorIsReportedWithTheSystemReason) {
    const std::string message = failureOf(OleAutomationBridge(m_progId));
    EXPECT_THAT(message, HasSubstr("The page editor " + m_progId + " is not installed: "));
    EXPECT_THAT(message, HasSubstr(systemMessage(static_cast<unsigned long>(CO_E_CLASSSTRING))));
}

TEST_F(OleBridgeTest, EditorThatCannotStartIsReported) {
    TestEditorRegistration editor(m_progId, m_received);
    editor.breakServerPath();
    EXPECT_THAT(failureOf(OleAutomationBridge(m_progId)),
                HasSubstr("The page editor " + m_progId +
                          " is not running and could not be "
                          "started: "));
    EXPECT_FALSE(std::filesystem::exists(m_received));
}

TEST_F(OleBridgeTest, EditorWithoutTheInsertMethodIsReported) {
    TestEditorRegistration editor(m_progId, m_received, "vtiInsertText");
    EXPECT_EQ(failureOf(OleAutomationBridge(m_progId)),
              "The page editor " + m_progId + " has no method vtiInsertHTML: " +
                  systemMessage(static_cast<unsigned long>(DISP_E_UNKNOWNNAME)));
    EXPECT_FALSE(std::filesystem::exists(m_received));
}

TEST_F(OleBridgeTest, FailingInsertIsReportedWithTheEditorsReason) {
    // The server cannot append to a file in a missing folder and says why.
    TestEditorRegistration editor(m_progId, m_dir / "missing" / "received.html");
    EXPECT_EQ(
        failureOf(OleAutomationBridge(m_progId)),
        "The page editor " + m_progId + " did not insert the snippet: " +
            systemMessage(static_cast<unsigned long>(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND))));
}

TEST_F(OleBridgeTest, RefusedInsertIsReportedWithTheEditorsOwnReason) {
    TestEditorRegistration editor(m_progId, m_received);
    editor.refuseInserts("The page is read-only \xE2\x80\x94 check it out first.");
    EXPECT_EQ(failureOf(OleAutomationBridge(m_progId)),
              "The page editor " + m_progId +
                  " did not insert the snippet: The page is read-only \xE2\x80\x94 check it "
                  "out first.");
    EXPECT_FALSE(std::filesystem::exists(m_received));
}

} // namespace vendaxo::test
