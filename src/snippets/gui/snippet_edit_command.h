#pragma once

#include <QObject>
#include <memory>

class QAction;
class QMenu;
class QPoint;

namespace vendaxo {

class PageForms;
class PageWindow;
struct PageForm;
class Prompts;
class SnippetEditor;
class SourceEditor;

// The page window's "Edit Snippet...": the command, enabled while the caret is
// inside a Vendaxo form, in the editor's context menu too, and a double click
// on a form's first line. A damaged form is reported; a sound one goes to the
// snippet editor with a bridge that replaces it. Kept by the window, which it
// must not outlive.
class SnippetEditCommand final : public QObject {
public:
    SnippetEditCommand(PageWindow& window, SourceEditor& editor, Prompts& prompts);
    ~SnippetEditCommand() override;

    // Adds the command to the menu, where it is brought up to date before showing.
    void addTo(QMenu* menu);
    // Without a snippet editor the command is disabled.
    void setSnippetEditor(SnippetEditor* snippetEditor);
    // For a page just opened or closed.
    void update() { update(false); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isPossible() const;
    // Until the page is read after a change, the command stays enabled so that
    // its key works; running it, and showing a menu that holds it, read the page.
    void update(bool readPage);
    void editAtCaret();
    bool editFormOfLine(const QPoint& at);
    void edit(const PageForm& form);

    PageWindow& m_window;
    SourceEditor& m_editor;
    Prompts& m_prompts;
    SnippetEditor* m_snippetEditor = nullptr;
    std::unique_ptr<PageForms> m_forms;
    QAction* m_action;
};

} // namespace vendaxo
