#include "snippets/gui/snippet_edit_command.h"

#include "shell/gui/prompts.h"
#include "snippets/gui/editor_bridges.h"
#include "snippets/gui/page_forms.h"
#include "snippets/gui/page_window.h"
#include "snippets/gui/snippet_editor.h"
#include "snippets/gui/source_editor.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTextBlock>

namespace vendaxo {

SnippetEditCommand::SnippetEditCommand(PageWindow& window, SourceEditor& editor, Prompts& prompts)
    : m_window(window), m_editor(editor), m_prompts(prompts),
      m_forms(std::make_unique<PageForms>(*editor.document())),
      m_action(new QAction(PageWindow::tr("Edit &Snippet..."), &window)) {
    m_action->setObjectName(QStringLiteral("editSnippetAction"));
    // F2 edits, as it does an option cell or a discount elsewhere in Vendaxo.
    m_action->setShortcut(QKeySequence(Qt::Key_F2));
    connect(m_action, &QAction::triggered, this, [this] { editAtCaret(); });
    connect(&editor, &SourceEditor::contextMenuOpening, this, [this](QMenu* menu) {
        menu->addSeparator();
        addTo(menu);
    });
    connect(&editor, &QPlainTextEdit::cursorPositionChanged, this, [this] { update(false); });
    // After the forms learn of the change, as they were connected first.
    connect(editor.document(), &QTextDocument::contentsChanged, this, [this] { update(false); });
    editor.viewport()->installEventFilter(this);
    update(false);
}

SnippetEditCommand::~SnippetEditCommand() = default;

void SnippetEditCommand::addTo(QMenu* menu) {
    menu->addAction(m_action);
    connect(menu, &QMenu::aboutToShow, this, [this] { update(true); });
}

void SnippetEditCommand::setSnippetEditor(SnippetEditor* snippetEditor) {
    m_snippetEditor = snippetEditor;
    update(false);
}

bool SnippetEditCommand::isPossible() const {
    return m_window.hasPage() && m_snippetEditor;
}

void SnippetEditCommand::update(bool readPage) {
    bool enabled = isPossible();
    if (enabled && (readPage || m_forms->isRead()))
        enabled = m_forms->at(m_editor.textCursor().position()) != nullptr;
    m_action->setEnabled(enabled);
}

void SnippetEditCommand::editAtCaret() {
    if (!isPossible())
        return;
    if (const PageForm* form = m_forms->at(m_editor.textCursor().position())) {
        edit(*form);
        return;
    }
    update(true);
    m_window.statusBar()->showMessage(PageWindow::tr("The caret is not inside a Vendaxo form."));
}

bool SnippetEditCommand::editFormOfLine(const QPoint& at) {
    if (!isPossible())
        return false;
    const PageForm* form = m_forms->startingOn(m_editor.cursorForPosition(at).block());
    if (form)
        edit(*form);
    return form != nullptr;
}

void SnippetEditCommand::edit(const PageForm& form) {
    if (!form.snippet.problems.empty()) {
        m_prompts.message(&m_window, QMessageBox::Warning, PageWindow::tr("Edit Snippet"),
                          damagedFormMessage(form.snippet), QMessageBox::Ok);
        return;
    }
    // Copies: replacing the form makes the page's forms be read again.
    const ReadSnippet snippet = form.snippet;
    PageRangeBridge replacement(m_window, form.begin, form.end);
    m_snippetEditor->editSnippet(snippet, replacement);
    // The dialog hands the keyboard back to its own parent; the merchant was here.
    m_window.activateWindow();
}

bool SnippetEditCommand::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editor.viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && editFormOfLine(mouse->position().toPoint()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vendaxo
