#pragma once

#include "gui/gui_fakes.h"
#include "shell/gui/app_services.h"
#include "shell/sqlite_store.h"
#include "test_support.h"

#include <QAbstractButton>
#include <gtest/gtest.h>

namespace vendaxo::test {

// A widget by its object name; a missing one fails the test.
template <typename T = QWidget> T* findIn(const QObject& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void clickIn(const QObject& parent, const char* button);

// A session whose profile a test sets up as an activation would leave it.
class TestSession final : public MerchantSession {
public:
    using MerchantSession::MerchantSession;
    using MerchantSession::profileToSet;
};

// What a widget test works with: a store on a temporary file, scripted prompts
// (also answering the program's error box), recorded help and page editor.
class GuiTest : public ::testing::Test {
protected:
    GuiTest();
    ~GuiTest() override;

    TempDir m_dir;
    SqliteStore m_store{m_dir / "store.sqlite3"};
    ScriptedPrompts m_prompts;
    RecordingHelp m_help;
    RecordingBridge m_bridge;
    TestSession m_session{m_store};
    AppServices m_services{m_store, m_prompts, m_help, m_bridge, m_session};
    MerchantProfile& m_profile = m_session.profileToSet();
};

} // namespace vendaxo::test
