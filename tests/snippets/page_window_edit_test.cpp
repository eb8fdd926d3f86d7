#include "base/error.h"
#include "gui/gui_fakes.h"
#include "shell/merchant_profile.h"
#include "snippets/button_snippets.h"
#include "snippets/gui/editor_bridges.h"
#include "snippets/gui/page_window.h"
#include "snippets/gui/snippet_editor.h"
#include "snippets/snippet_reader.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <gmock/gmock.h>
#include <optional>

namespace vendaxo::test {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

// Stands in for the main window: keeps the forms it is given and answers
// with a new form, as a dialog's Insert would, or with nothing, as Cancel.
class RecordingSnippetEditor final : public SnippetEditor {
public:
    void editSnippet(const ReadSnippet& snippet, PageEditorBridge& replacement) override {
        edited.push_back(snippet);
        if (reply)
            replacement.obtain()->insertHtml(*reply);
    }
    std::vector<ReadSnippet> edited;
    std::optional<std::string> reply;
};

class PageWindowEdit : public ::testing::Test {
protected:
    PageWindowEdit() {
        m_profile.merchantNumber = "111";
        m_profile.companyName = "Acme";
        m_profile.cartServerAddress = "http://cart.example/cgi";
        m_profile.currencySymbol = "$";
        m_window.setSnippetEditor(&m_snippetEditor);
        m_window.resize(700, 400);
        m_window.show();
    }

    std::string viewCart(std::string_view caption) {
        return buildViewCartSnippet(caption, m_profile, "");
    }
    static std::string withoutLastLineEnd(std::string text) {
        text.pop_back();
        return text;
    }
    static std::string withCrLf(const std::string& text) {
        std::string crlf;
        for (const char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return crlf;
    }
    fs::path open(const std::string& bytes) {
        writeFile(m_dir / "shop.html", bytes);
        EXPECT_TRUE(m_window.openPage(QString::fromStdString((m_dir / "shop.html").string())));
        return m_dir / "shop.html";
    }
    static QString lines(QString text) { return text.replace(QChar::ParagraphSeparator, u'\n'); }
    QString text() const { return lines(m_window.editor()->document()->toRawText()); }
    QString selection() const { return lines(m_window.editor()->textCursor().selectedText()); }
    // The document position of the first `text` in the page.
    int at(const char* text) const {
        return static_cast<int>(this->text().indexOf(QString::fromUtf8(text)));
    }
    void placeCaret(int position) {
        QTextCursor cursor = m_window.editor()->textCursor();
        cursor.setPosition(position);
        m_window.editor()->setTextCursor(cursor);
    }
    QAction* editSnippet() const {
        return m_window.findChild<QAction*>(QStringLiteral("editSnippetAction"));
    }
    // As the Edit menu does before it shows.
    bool offeredInMenu() {
        emit m_window.findChild<QMenu*>(QStringLiteral("editMenu"))->aboutToShow();
        return editSnippet()->isEnabled();
    }
    QPoint pointAt(int position) {
        QTextCursor cursor = m_window.editor()->textCursor();
        cursor.setPosition(position);
        return m_window.editor()->cursorRect(cursor).center();
    }

    TempDir m_dir;
    ScriptedPrompts m_prompts;
    MerchantProfile m_profile;
    RecordingSnippetEditor m_snippetEditor;
    PageWindow m_window{m_prompts};
};

TEST_F(PageWindowEdit, IsOfferedOnlyWithTheCaretInsideAFormAndSomeoneToOpenItsDialog) {
    open("<body>\n<p>before</p>\n" + viewCart("Cart") + "<p>after</p>\n</body>\n");
    const int begin = at("<form");
    const int end = at("</form>") + 7;
    for (const int inside : {begin, begin + 10, end}) {
        placeCaret(inside);
        EXPECT_TRUE(offeredInMenu()) << inside;
    }
    for (const int outside : {begin - 1, end + 1, 0}) {
        placeCaret(outside);
        EXPECT_FALSE(offeredInMenu()) << outside;
    }
    // Read once, the page is not read again for a move of the caret.
    placeCaret(begin + 3);
    EXPECT_TRUE(editSnippet()->isEnabled());
    placeCaret(at("after"));
    EXPECT_FALSE(editSnippet()->isEnabled());

    // After a change the key works until the page is read: it then says why nothing opens.
    m_window.editor()->insertPlainText(QStringLiteral("x"));
    EXPECT_TRUE(editSnippet()->isEnabled());
    m_window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    QTest::keyClick(m_window.windowHandle(), Qt::Key_F2);
    EXPECT_TRUE(m_snippetEditor.edited.empty());
    EXPECT_FALSE(editSnippet()->isEnabled());
    EXPECT_EQ(m_window.statusBar()->currentMessage(),
              QStringLiteral("The caret is not inside a Vendaxo form."));

    placeCaret(begin);
    m_window.setSnippetEditor(nullptr);
    EXPECT_FALSE(offeredInMenu());
}

// The form's place is found in the editor's own text, whatever the file's
// encoding and line ends; the replacement is one undo step, and the new form
// takes exactly the old one's place, its line end left to the page.
TEST_F(PageWindowEdit, InsertReplacesTheFormInPlaceAsOneUndoStepAndLeavesItSelected) {
    const std::string newForm = withoutLastLineEnd(viewCart("Basket"));
    // The reader is given the editor's text, whatever charset the page declares.
    const std::string utf8Page =
        "<p>\xF0\x9D\x84\x9E caf\xC3\xA9</p>\n" + viewCart("Caf\xC3\xA9 Cart") + "<p>after</p>\n";
    const std::string windows1252Page =
        withCrLf("<meta charset=\"windows-1252\">\n<p>caf\xE9</p>\n" + viewCart("Caf\xE9 Cart") +
                 "<p>after</p>\n");
    for (const std::string& page : {utf8Page, windows1252Page}) {
        const bool crlf = page == windows1252Page;
        m_snippetEditor.edited.clear();
        const fs::path file = open(page);
        const QString original = text();
        placeCaret(at("openshopcart"));
        m_snippetEditor.reply = viewCart("Basket");
        editSnippet()->trigger();

        ASSERT_EQ(m_snippetEditor.edited.size(), 1u);
        EXPECT_EQ(m_snippetEditor.edited[0].kind, SnippetKind::ViewCart);
        EXPECT_EQ(m_snippetEditor.edited[0].caption, "Caf\xC3\xA9 Cart");
        const QString oldForm =
            QString::fromStdString(withoutLastLineEnd(viewCart("Caf\xC3\xA9 Cart")));
        EXPECT_EQ(text(), QString(original).replace(oldForm, QString::fromStdString(newForm)));
        EXPECT_EQ(selection(), QString::fromStdString(newForm));
        EXPECT_TRUE(m_window.isModified());

        // A snippet inserted next goes after the new form, as after an insert.
        m_window.insertAtCaret("<hr>");
        EXPECT_THAT(text().toStdString(), HasSubstr("</form><hr>\n<p>after</p>"));
        m_window.editor()->undo();
        m_window.editor()->undo();
        EXPECT_EQ(text(), original);

        m_window.editor()->redo();
        ASSERT_TRUE(m_window.save());
        std::string saved = page;
        const std::size_t form = saved.find("<form");
        saved.replace(form, saved.find("</form>") + 7 - form, crlf ? withCrLf(newForm) : newForm);
        EXPECT_EQ(readFile(file), saved) << "every other byte kept";
    }
}

TEST_F(PageWindowEdit, CancelChangesNothing) {
    open("<p>a</p>\n" + viewCart("Cart"));
    const QString original = text();
    placeCaret(at("Cart"));
    editSnippet()->trigger();
    EXPECT_EQ(m_snippetEditor.edited.size(), 1u);
    EXPECT_EQ(text(), original);
    EXPECT_FALSE(m_window.isModified());
    EXPECT_FALSE(m_window.editor()->document()->isUndoAvailable());
}

TEST_F(PageWindowEdit, ADamagedFormSaysWhatIsWrongAndOpensNothing) {
    std::string damaged = viewCart("Cart");
    const std::size_t company = damaged.find("<input type=\"hidden\" value=\"Acme\"");
    damaged.erase(company, damaged.find('\n', company) + 1 - company);
    open("<p>a</p>\n" + damaged +
         "<p>b</p>\n<form action=\"x\"><input name=\"merchant\" "
         "value=\"111\"><input name=\"getorders\" value=\"Orders\">\n");
    placeCaret(at("Cart"));
    editSnippet()->trigger();
    placeCaret(static_cast<int>(text().size()) - 1); // in the form the page ends without closing
    editSnippet()->trigger();

    EXPECT_TRUE(m_snippetEditor.edited.empty());
    ASSERT_EQ(m_prompts.messages.size(), 2u);
    EXPECT_EQ(m_prompts.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Edit Snippet"));
    EXPECT_EQ(m_prompts.messages[0].text,
              QStringLiteral("The view-cart button on line 2 is damaged, so it cannot be edited:\n"
                             "- no merchantname field"));
    EXPECT_THAT(m_prompts.messages[1].text.toStdString(),
                HasSubstr("The retrieve-orders button on line 7 is damaged"));
    EXPECT_THAT(m_prompts.messages[1].text.toStdString(), HasSubstr("- no </form>"));
    EXPECT_FALSE(m_window.isModified());
}

TEST_F(PageWindowEdit, ADoubleClickOnAFormsFirstLineEditsIt) {
    open("<p>a</p>\n  " + viewCart("Cart") + "<p>b</p>\n");
    QWidget* viewport = m_window.editor()->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointAt(at("<p>b")));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointAt(at("openshopcart")));
    EXPECT_TRUE(m_snippetEditor.edited.empty()) << "only the first line";
    EXPECT_EQ(selection(), QStringLiteral("openshopcart")) << "elsewhere it selects a word";

    QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointAt(1 + at("<form")));
    ASSERT_EQ(m_snippetEditor.edited.size(), 1u);
    EXPECT_EQ(m_snippetEditor.edited[0].caption, "Cart");
}

// A right click moves the caret to what it clicked, unless that is inside
// the selection, so the menu's command is about the form clicked.
TEST_F(PageWindowEdit, TheContextMenuOffersItForTheFormClicked) {
    open("<p>a</p>\n" + viewCart("Cart") + "<p>b</p>\n");
    const auto rightClick = [&](int position) {
        const QPoint point = pointAt(position);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point,
                                m_window.editor()->viewport()->mapToGlobal(point));
        QApplication::sendEvent(m_window.editor()->viewport(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_NE(menu, nullptr);
        const bool offered =
            menu && menu->actions().contains(editSnippet()) && editSnippet()->isEnabled();
        if (menu)
            menu->close();
        return offered;
    };
    placeCaret(at("<p>b"));
    EXPECT_TRUE(rightClick(at("Cart")));
    EXPECT_EQ(m_window.editor()->textCursor().position(), at("Cart"));
    EXPECT_FALSE(rightClick(at("<p>a") + 1));

    QTextCursor selected = m_window.editor()->textCursor();
    selected.setPosition(at("<p>a"));
    selected.setPosition(at("Cart"), QTextCursor::KeepAnchor);
    m_window.editor()->setTextCursor(selected);
    EXPECT_TRUE(rightClick(at("<p>a") + 2)) << "the caret, inside the form, stays";
    EXPECT_EQ(selection().size(), at("Cart") - at("<p>a")) << "a click in the selection keeps it";
}

TEST_F(PageWindowEdit, TheReplacingBridgeRefusesAFormThatChangedMeanwhile) {
    open("<p>a</p>\n" + viewCart("Cart"));
    PageRangeBridge bridge(m_window, at("<form"), at("</form>") + 7);
    QTextCursor inside = m_window.editor()->textCursor();
    inside.setPosition(at("Cart"));
    inside.insertText(QStringLiteral("x"));
    EXPECT_THAT([&] { bridge.obtain(); },
                ::testing::ThrowsMessage<Error>(HasSubstr("nothing was replaced")));

    // Edits elsewhere are followed.
    PageRangeBridge followed(m_window, at("<form"), at("</form>") + 7);
    QTextCursor(m_window.editor()->document()).insertText(QStringLiteral("<p>new</p>\n"));
    followed.obtain()->insertHtml("<form></form>\n");
    EXPECT_EQ(text(), QStringLiteral("<p>new</p>\n<p>a</p>\n<form></form>\n"));
}

} // namespace vendaxo::test
