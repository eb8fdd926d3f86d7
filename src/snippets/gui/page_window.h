#pragma once

#include <QMainWindow>
#include <QTextCursor>
#include <memory>
#include <string>

class QPlainTextEdit;

namespace vendaxo {

struct AppServices;
class Prompts;
class SnippetEditor;

// What an insert meets while the page window holds no page.
inline const char* const kNoPageMessage =
    QT_TRANSLATE_NOOP("vendaxo::PageWindow", "No page is open in the page editor.");

// The page editor off Windows: one HTML page file open as source text with a
// caret. Snippets are inserted at the caret and left selected; "Edit
// Snippet..." opens the dialog of the Vendaxo form at the caret, whose Insert
// then replaces that form.
class PageWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit PageWindow(Prompts& prompts, QWidget* parent = nullptr);
    ~PageWindow() override;

    // Opens the page, asking first about unsaved changes; false when the page
    // could not be read (the error is shown) or the merchant cancelled.
    bool openPage(const QString& file);
    // Puts the caret at the start of the line (from 1) of the page, which is
    // opened first as openPage() does unless it is the one open, and brings the
    // window to the front; false when the page was not opened.
    bool openPageAt(const QString& file, int line);
    // Reads the open page again when its file was changed on disk since it was
    // read or saved here (a site refresh rewrote it), the caret kept on its
    // line. Unsaved changes are asked about first, and No keeps them. True when
    // the page was read again.
    bool reloadIfChangedOnDisk();
    bool hasPage() const;
    QString pageFile() const;
    bool isModified() const;
    // Inserts at the caret, replacing the merchant's selection, and selects what
    // was inserted. A snippet still selected from the last insert is kept: the
    // next one goes after it. Throws Error while no page is open.
    void insertAtCaret(const std::string& html);
    // Puts the snippet in place of the range as one undo step and selects it,
    // as an insert does. Throws Error while no page is open.
    void replaceRange(QTextCursor range, const std::string& html);
    // Saves atomically, keeping the previous version as PAGE.html.bak. When the
    // file was changed on disk since it was opened or last saved, the merchant
    // is asked before it is replaced; false when nothing was saved for that.
    // Throws Error.
    bool save();
    // Saves under a name the merchant chooses, which the window then shows;
    // false when the merchant cancelled. Throws Error.
    bool saveAs();
    // Asks whether to save unsaved changes; false when the merchant cancels.
    bool maybeSave();

    // Who opens the dialogs for "Edit Snippet..."; without one it is disabled.
    void setSnippetEditor(SnippetEditor* editor);
    // What "Insert Catalogue..." builds its buttons for: the current merchant.
    // Without services, or before a merchant is chosen, it is disabled.
    void setAppServices(AppServices* services);

    QPlainTextEdit* editor() const;

protected:
    // Closing the window closes its page, once unsaved changes are settled.
    void closeEvent(QCloseEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
