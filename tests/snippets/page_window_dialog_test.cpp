#include "base/error.h"
#include "gui/gui_fakes.h"
#include "gui/tab_walk.h"
#include "snippets/gui/editor_bridges.h"
#include "snippets/gui/page_window.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

// Stands in for the browser: keeps the URLs it was asked to open.
class UrlRecorder final : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void open(const QUrl& url) { urls.push_back(url); }
    std::vector<QUrl> urls;
};

class PageWindowTest : public ::testing::Test {
protected:
    fs::path open(const std::string& bytes, const std::string& name = "shop.html") {
        writeFile(m_dir / name, bytes);
        EXPECT_TRUE(m_window.openPage(QString::fromStdString((m_dir / name).string())));
        return m_dir / name;
    }
    void select(int from, int to) {
        QTextCursor cursor = m_window.editor()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        m_window.editor()->setTextCursor(cursor);
    }
    static QString lines(QString text) { return text.replace(QChar::ParagraphSeparator, u'\n'); }
    QString text() const { return lines(m_window.editor()->document()->toRawText()); }
    QString selection() const { return lines(m_window.editor()->textCursor().selectedText()); }
    QString format() const {
        return m_window.findChild<QLabel*>(QStringLiteral("formatLabel"))->text();
    }
    QString statusMessage() const { return m_window.statusBar()->currentMessage(); }
    void trigger(const char* name) {
        m_window.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }

    TempDir m_dir;
    ScriptedPrompts m_prompts;
    PageWindow m_window{m_prompts};
};

class PageWindowInsert : public PageWindowTest {};
class PageWindowSave : public PageWindowTest {};
class PageWindowBridges : public PageWindowTest {};
class PageWindowKeyboard : public PageWindowTest {};

TEST_F(PageWindowInsert, GoesInAtTheCaretAndIsLeftSelected) {
    open("<p>ab</p>\n");
    select(4, 4);
    m_window.insertAtCaret("<b>\nx</b>");
    EXPECT_EQ(text(), QStringLiteral("<p>a<b>\nx</b>b</p>\n"));
    EXPECT_EQ(selection(), QStringLiteral("<b>\nx</b>"));
    EXPECT_EQ(m_window.editor()->textCursor().position(), 13);
    EXPECT_TRUE(m_window.isModified());
    EXPECT_TRUE(m_window.isWindowModified());
}

// The caret starts before </body>; a snippet left selected is followed, not replaced.
TEST_F(PageWindowInsert, FollowsThePreviousSnippetButReplacesTheMerchantsSelection) {
    open("<body>\n</body>\n");
    m_window.insertAtCaret("<form>1</form>\n");
    m_window.insertAtCaret("<form>2</form>\n");
    EXPECT_EQ(text(), QStringLiteral("<body>\n<form>1</form>\n<form>2</form>\n</body>\n"));
    EXPECT_EQ(selection(), QStringLiteral("<form>2</form>\n"));
    select(13, 14);
    m_window.insertAtCaret("3");
    EXPECT_EQ(text(), QStringLiteral("<body>\n<form>3</form>\n<form>2</form>\n</body>\n"));
}

TEST_F(PageWindowSave, KeepsWindows1252AndCrLfAndBacksUpThePreviousBytes) {
    const std::string original = "<meta charset=\"windows-1252\">\r\n<p>caf\xE9</p>\r\n</body>\r\n";
    const fs::path file = open(original);
    EXPECT_EQ(format(), QStringLiteral("Windows-1252, CR LF line ends"));
    m_window.insertAtCaret("<p>\xC3\xA9 \xE2\x86\x92</p>\n");
    m_window.save();
    const std::string saved = readFile(file);
    EXPECT_EQ(saved, "<meta charset=\"windows-1252\">\r\n<p>caf\xE9</p>\r\n<p>\xE9 &#8594;</p>\r\n"
                     "</body>\r\n");
    EXPECT_EQ(readFile(m_dir / "shop.html.bak"), original);
    EXPECT_FALSE(m_window.isWindowModified());

    m_window.insertAtCaret("x");
    m_window.save();
    EXPECT_EQ(readFile(m_dir / "shop.html.bak"), saved);
}

TEST_F(PageWindowSave, KeepsTheBomAndNoBreakSpacesOfAUtf8Page) {
    const fs::path file = open("\xEF\xBB\xBF<p>a\xC2\xA0</p>\n");
    EXPECT_EQ(format(), QStringLiteral("UTF-8 with BOM, LF line ends"));
    m_window.insertAtCaret("<i>\xC2\xA0</i>");
    m_window.save();
    EXPECT_EQ(readFile(file), "\xEF\xBB\xBF<i>\xC2\xA0</i><p>a\xC2\xA0</p>\n");
}

TEST_F(PageWindowSave, MaybeSaveFollowsTheAnswer) {
    const fs::path file = open("<p></p>\n");
    EXPECT_TRUE(m_window.maybeSave());
    m_window.insertAtCaret("x");
    m_prompts.answers = {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Yes};
    EXPECT_FALSE(m_window.maybeSave());
    EXPECT_TRUE(m_window.maybeSave());
    EXPECT_EQ(readFile(file), "<p></p>\n");
    EXPECT_TRUE(m_window.maybeSave());
    EXPECT_EQ(readFile(file), "x<p></p>\n");
    EXPECT_FALSE(m_window.isModified());

    ASSERT_EQ(m_prompts.messages.size(), 3u);
    const ShownMessage& asked = m_prompts.messages[0];
    EXPECT_EQ(asked.icon, QMessageBox::Question);
    EXPECT_EQ(asked.caption, QStringLiteral("Vendaxo"));
    EXPECT_EQ(asked.text,
              QStringLiteral("The page shop.html has unsaved changes. Do you want to save them?"));
    EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

TEST_F(PageWindowSave, FailedSaveShowsTheErrorAndKeepsTheChanges) {
    fs::create_directory(m_dir / "site");
    open("<p></p>\n", "site/shop.html");
    m_window.insertAtCaret("x");
    fs::remove_all(m_dir / "site");
    m_prompts.answers = {QMessageBox::Yes, QMessageBox::Save}; // save it there again
    EXPECT_FALSE(m_window.maybeSave());
    ASSERT_EQ(m_prompts.messages.size(), 3u);
    EXPECT_THAT(m_prompts.messages[1].text.toStdString(), HasSubstr("moved or removed"));
    EXPECT_EQ(m_prompts.messages[2].icon, QMessageBox::Critical);
    EXPECT_THAT(m_prompts.messages[2].text.toStdString(), HasSubstr("Cannot save"));
    EXPECT_TRUE(m_window.isModified());
}

TEST_F(PageWindowSave, SavingSaysSoInTheStatusBarAndAFailedSaveDoesNot) {
    fs::create_directory(m_dir / "site");
    open("<p></p>\n", "site/shop.html");
    m_window.insertAtCaret("x");
    trigger("saveAction");
    EXPECT_EQ(statusMessage(), QStringLiteral("Saved shop.html"));
    m_window.insertAtCaret("y");
    EXPECT_EQ(statusMessage(), QString()) << "an edit makes the message stale";

    trigger("saveAction");
    EXPECT_EQ(statusMessage(), QStringLiteral("Saved shop.html"));
    fs::remove_all(m_dir / "site");
    m_prompts.answers = {QMessageBox::Save};
    trigger("saveAction"); // unchanged, but the folder is gone
    ASSERT_EQ(m_prompts.messages.size(), 2u);
    EXPECT_EQ(m_prompts.messages[1].icon, QMessageBox::Critical);
    EXPECT_EQ(statusMessage(), QString());
}

// Another program wrote the page while it was open: saving asks first, and
// Cancel leaves that version alone and keeps the merchant's.
TEST_F(PageWindowSave, AChangeOnDiskIsReplacedOnlyWhenTheMerchantSaysSo) {
    const fs::path file = open("<p>1</p>\n");
    m_window.insertAtCaret("x");
    writeFile(file, "<p>theirs</p>\n");
    m_prompts.answers = {QMessageBox::Cancel};
    trigger("saveAction");
    EXPECT_EQ(readFile(file), "<p>theirs</p>\n");
    EXPECT_FALSE(fs::exists(m_dir / "shop.html.bak"));
    EXPECT_TRUE(m_window.isModified());
    EXPECT_EQ(statusMessage(), QString());
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    const ShownMessage& asked = m_prompts.messages[0];
    EXPECT_EQ(asked.icon, QMessageBox::Warning);
    EXPECT_EQ(asked.caption, QStringLiteral("Page Changed on Disk"));
    EXPECT_EQ(asked.text,
              QStringLiteral("shop.html was changed on disk since it was opened or last saved "
                             "here, perhaps by another program.\n\nSave your version over it? "
                             "The version on disk would be replaced; it is kept as shop.html.bak "
                             "until the next save.\n\nCancel saves nothing; File > Save As... "
                             "can save your version under another name."));
    EXPECT_EQ(asked.buttons, QMessageBox::Save | QMessageBox::Cancel);

    m_prompts.answers = {QMessageBox::Save};
    trigger("saveAction");
    EXPECT_EQ(readFile(file), "x<p>1</p>\n");
    EXPECT_EQ(readFile(m_dir / "shop.html.bak"), "<p>theirs</p>\n");
    EXPECT_FALSE(m_window.isModified());
    EXPECT_EQ(statusMessage(), QStringLiteral("Saved shop.html"));

    // What was written is what the next save compares with: no question.
    m_window.insertAtCaret("y");
    trigger("saveAction");
    EXPECT_EQ(readFile(file), "xy<p>1</p>\n");
    EXPECT_EQ(m_prompts.messages.size(), 2u);
}

TEST_F(PageWindowSave, APageRemovedOnDiskIsWrittenAgainOnlyWhenTheMerchantSaysSo) {
    const fs::path file = open("<p>1</p>\n");
    m_window.insertAtCaret("x");
    fs::remove(file);
    m_prompts.answers = {QMessageBox::Cancel, QMessageBox::Save};
    EXPECT_FALSE(m_window.save());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_THAT(m_prompts.messages[0].text.toStdString(),
                HasSubstr("shop.html was moved or removed since it was opened or last saved here."
                          "\n\nSave your version there again?"));
    EXPECT_TRUE(m_window.save());
    EXPECT_EQ(readFile(file), "x<p>1</p>\n");
}

// Save As keeps both versions: the merchant's under the new name, which the
// window then edits, and the other program's where it was.
TEST_F(PageWindowSave, SaveAsWritesTheMerchantsVersionElsewhereAndTheWindowFollowsIt) {
    const fs::path file = open("\xEF\xBB\xBF<p>1</p>\r\n");
    m_window.insertAtCaret("x");
    writeFile(file, "<p>theirs</p>\n");
    writeFile(m_dir / "old.html", "<p>old</p>\n");
    m_prompts.fileNames = {QString(), QString::fromStdString((m_dir / "old.html").string())};
    m_window.show();
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    QTest::keyClick(m_window.windowHandle(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(m_window.isModified()) << "cancelled";
    trigger("saveAsAction");
    EXPECT_EQ(m_prompts.proposedFiles,
              (std::vector<QString>(2, QString::fromStdString(file.string()))));
    EXPECT_EQ(readFile(m_dir / "old.html"), "\xEF\xBB\xBFx<p>1</p>\r\n");
    EXPECT_EQ(readFile(m_dir / "old.html.bak"), "<p>old</p>\n");
    EXPECT_EQ(readFile(file), "<p>theirs</p>\n");
    EXPECT_EQ(m_window.pageFile().toStdString(), (m_dir / "old.html").string());
    EXPECT_EQ(m_window.windowTitle(), QStringLiteral("old.html[*] - Vendaxo Page"));
    EXPECT_FALSE(m_window.isModified());
    EXPECT_EQ(statusMessage(), QStringLiteral("Saved old.html"));

    m_window.insertAtCaret("y");
    EXPECT_TRUE(m_window.save());
    EXPECT_EQ(readFile(m_dir / "old.html"), "\xEF\xBB\xBFxy<p>1</p>\r\n");
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(PageWindowSave, UnreadablePageShowsTheErrorAndKeepsThePreviousPage) {
    const fs::path kept = open("<p>kept</p>\n");
    EXPECT_FALSE(m_window.openPage(QString::fromStdString((m_dir / "missing.html").string())));
    writeFile(m_dir / "sjis.html", "<meta charset=shift_jis>\n");
    EXPECT_FALSE(m_window.openPage(QString::fromStdString((m_dir / "sjis.html").string())));
    ASSERT_EQ(m_prompts.messages.size(), 2u);
    EXPECT_EQ(m_prompts.messages[0].icon, QMessageBox::Critical);
    EXPECT_THAT(m_prompts.messages[0].text.toStdString(), HasSubstr("missing.html"));
    EXPECT_THAT(m_prompts.messages[1].text.toStdString(), HasSubstr("shift_jis"));
    EXPECT_EQ(m_window.pageFile().toStdString(), kept.string());
    EXPECT_EQ(text(), QStringLiteral("<p>kept</p>\n"));
    EXPECT_EQ(m_window.windowTitle(), QStringLiteral("shop.html[*] - Vendaxo Page"));
}

TEST_F(PageWindowSave, OpeningAndClosingAskAboutUnsavedChanges) {
    writeFile(m_dir / "second.html", "<p>2</p>\n");
    const fs::path first = open("<p>1</p>\n");
    m_window.show();
    m_window.insertAtCaret("x");
    m_prompts.fileNames = {QString::fromStdString((m_dir / "second.html").string())};
    m_prompts.answers = {QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::No};
    trigger("openAction");
    EXPECT_EQ(m_window.pageFile().toStdString(), first.string());
    EXPECT_FALSE(m_window.close());
    EXPECT_TRUE(m_window.close());
    EXPECT_FALSE(m_window.hasPage());
    EXPECT_EQ(readFile(first), "<p>1</p>\n");
    EXPECT_EQ(m_prompts.messages.size(), 3u);
}

TEST_F(PageWindowSave, PreviewOffersToSaveAndOpensTheSavedFile) {
    UrlRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
    const fs::path file = open("<p></p>\n");
    m_window.insertAtCaret("x");
    m_prompts.answers = {QMessageBox::Cancel, QMessageBox::Yes};
    trigger("previewAction");
    EXPECT_TRUE(browser.urls.empty());
    trigger("previewAction");
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(readFile(file), "x<p></p>\n");
    EXPECT_EQ(browser.urls,
              std::vector{QUrl::fromLocalFile(QString::fromStdString(file.string()))});
}

// The editor is the window's one stop: Tab in it is a character of the page.
// The menu and the commands are reached by their keys.
TEST_F(PageWindowKeyboard, TheEditorHasTheKeysAndTheMenuAndCommandsHaveTheirs) {
    const fs::path file = open("<p></p>\n");
    m_window.show();
    EXPECT_EQ(tabWalk(m_window, *m_window.editor()), QStringList{QStringLiteral("pageEditor")});
    EXPECT_EQ(tabStops(m_window), QStringList{QStringLiteral("pageEditor")});
    QWindow* keyboard = m_window.windowHandle();
    QTest::keyClicks(m_window.editor(), QStringLiteral("x"));
    QTest::keyClick(keyboard, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readFile(file), "\tx<p></p>\n"); // the walk's Tab went into the page

    QTest::keyClick(keyboard, Qt::Key_F, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("&File"));
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(PageWindowBridges, PageWindowBridgeNeedsAPageAndInsertsAtTheCaret) {
    PageWindowBridge bridge(m_window);
    EXPECT_THAT([&] { bridge.obtain(); }, ::testing::ThrowsMessage<Error>(::testing::StrEq(
                                              "No page is open in the page editor.")));
    EXPECT_TRUE(m_window.isVisible());

    const fs::path file = open("<body>\r\n</body>\r\n");
    bridge.obtain()->insertHtml("<form>\n</form>\n");
    EXPECT_EQ(selection(), QStringLiteral("<form>\n</form>\n"));
    m_window.save();
    EXPECT_EQ(readFile(file), "<body>\r\n<form>\r\n</form>\r\n</body>\r\n");
}

TEST_F(PageWindowBridges, ClipboardBridgePutsTheSnippetOnTheClipboard) {
    ClipboardBridge().obtain()->insertHtml("<form>\n</form>\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("<form>\n</form>\n"));
}

} // namespace vendaxo::test

#include "page_window_dialog_test.moc"
