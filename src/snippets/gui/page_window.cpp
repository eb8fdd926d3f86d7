#include "snippets/gui/page_window.h"

#include "base/error.h"
#include "shell/gui/prompts.h"
#include "snippets/gui/insert_catalogue_command.h"
#include "snippets/gui/open_page.h"
#include "snippets/gui/page_forms.h"
#include "snippets/gui/snippet_edit_command.h"
#include "snippets/gui/source_editor.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QUrl>

namespace vendaxo {

namespace {

QString encodingName(const PageDocument& page) {
    switch (page.encoding) {
    case PageEncoding::Utf8:
        return page.byteOrderMark ? PageWindow::tr("UTF-8 with BOM") : QStringLiteral("UTF-8");
    case PageEncoding::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case PageEncoding::Utf16BE:
        return QStringLiteral("UTF-16BE");
    case PageEncoding::Windows1252:
        break;
    }
    return QStringLiteral("Windows-1252");
}

QString formatText(const PageDocument& page) {
    return PageWindow::tr("%1, %2 line ends")
        .arg(encodingName(page), page.crlf ? PageWindow::tr("CR LF") : PageWindow::tr("LF"));
}

QString positionText(int line, int column) {
    return PageWindow::tr("Line %1, Column %2").arg(line).arg(column);
}

} // namespace

struct PageWindow::Private {
    Private(PageWindow& window, Prompts& prompts) : q(window), prompts(prompts) {}

    QAction* addAction(QMenu* menu, const QString& text, const char* name,
                       const QKeySequence& keys) {
        auto* action = new QAction(text, &q);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        menu->addAction(action);
        return action;
    }
    void buildFileMenu();
    void buildEditMenu();
    void buildStatusBar();

    void choosePage() {
        const QString file = prompts.openFileName(&q, tr("Open Page"),
                                                  tr("Web pages (*.html *.htm);;All files (*)"));
        if (!file.isEmpty())
            q.openPage(file);
    }

    // Runs a save command; a failure is shown and counts as not saved.
    bool trySave(bool (PageWindow::*command)()) {
        try {
            return (q.*command)();
        } catch (const std::exception& error) {
            prompts.error(&q, QString::fromStdString(error.what()));
            return false;
        }
    }

    void saved() {
        showTitle();
        editor->document()->setModified(false);
        q.statusBar()->showMessage(tr("Saved %1").arg(page.fileName()));
    }

    // The browser reads the file, so unsaved changes are offered for saving first.
    void preview() {
        if (!q.maybeSave())
            return;
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page.file())))
            prompts.error(&q, tr("Cannot open %1 in the web browser.")
                                  .arg(QDir::toNativeSeparators(page.file())));
    }

    void showTitle() {
        if (q.hasPage())
            q.setWindowTitle(tr("%1[*] - Vendaxo Page").arg(page.fileName()));
        else
            q.setWindowTitle(tr("Vendaxo Page"));
    }

    void showPage(OpenPage opened, const std::string& text) {
        page = std::move(opened);
        lastInsert = QTextCursor();
        q.statusBar()->clearMessage();
        // The title first: setting the text marks the document modified for a moment.
        showTitle();
        editor->setReadOnly(!q.hasPage());
        editor->setPlainText(QString::fromStdString(text));
        placeCaret();
        positionLabel->setVisible(q.hasPage());
        for (QAction* action : {saveAction, saveAsAction, previewAction})
            action->setEnabled(q.hasPage());
        showPosition();
        editSnippet->update();
        insertCatalogue->update();
        formatLabel->setText(q.hasPage() ? formatText(page.format()) : QString());
    }

    // Where the command line would insert: at the caret marker, else before </body>.
    void placeCaret() {
        QTextDocument* document = editor->document();
        QTextCursor found = document->find(
            QString::fromUtf8(kCaretMarker.data(), static_cast<qsizetype>(kCaretMarker.size())), 0,
            QTextDocument::FindCaseSensitively);
        if (found.isNull())
            found = document->find(QStringLiteral("</body>"), document->characterCount(),
                                   QTextDocument::FindBackward);
        QTextCursor caret(document);
        if (!found.isNull())
            caret.setPosition(found.selectionStart());
        editor->setTextCursor(caret);
        editor->ensureCursorVisible();
    }

    void showPosition() {
        const QTextCursor caret = editor->textCursor();
        positionLabel->setText(positionText(caret.blockNumber() + 1, caret.positionInBlock() + 1));
    }

    // The snippet replaces what `cursor` selects, as one undo step, and is left
    // selected; the window comes to the front.
    void putSnippet(QTextCursor cursor, const std::string& html) {
        const int start = cursor.selectionStart();
        cursor.beginEditBlock();
        cursor.insertText(QString::fromStdString(html));
        cursor.endEditBlock();
        const int end = cursor.position();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
        editor->ensureCursorVisible();
        editor->document()->setModified(true);
        lastInsert = cursor;
        bringToFront();
    }

    void bringToFront() {
        if (q.isMinimized())
            q.showNormal();
        else
            q.show();
        q.raise();
        q.activateWindow();
    }

    // The caret at the start of the line (from 1; past the end: the last line),
    // shown in the middle of the editor.
    void goToLine(int line) {
        QTextDocument* document = editor->document();
        QTextBlock block = document->findBlockByNumber(line - 1);
        if (!block.isValid())
            block = document->lastBlock();
        editor->setTextCursor(QTextCursor(block));
        editor->centerCursor();
    }

    // Shows the file's text; a file that cannot be read is shown as an error.
    bool readPage(const QString& file) {
        std::string text;
        OpenPage opened;
        try {
            opened = OpenPage::read(file, text);
        } catch (const std::exception& error) {
            prompts.error(&q, QString::fromStdString(error.what()));
            return false;
        }
        showPage(std::move(opened), text);
        return true;
    }

    PageWindow& q;
    Prompts& prompts;
    SourceEditor* editor = nullptr;
    // Destroyed before the editor it works on.
    std::unique_ptr<SnippetEditCommand> editSnippet;
    std::unique_ptr<InsertCatalogueCommand> insertCatalogue;
    QLabel* formatLabel = nullptr;
    QLabel* positionLabel = nullptr;
    QAction* saveAction = nullptr;
    QAction* saveAsAction = nullptr;
    QAction* previewAction = nullptr;
    OpenPage page; // not open while the window holds no page
    QTextCursor lastInsert;
};

void PageWindow::Private::buildFileMenu() {
    QMenu* menu = q.menuBar()->addMenu(tr("&File"));
    QAction* open = addAction(menu, tr("&Open..."), "openAction", QKeySequence::Open);
    saveAction = addAction(menu, tr("&Save"), "saveAction", QKeySequence::Save);
    // Not every platform has a standard key for it: the common one everywhere.
    saveAsAction = addAction(menu, tr("Save &As..."), "saveAsAction",
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    previewAction = addAction(menu, tr("&Preview in Browser"), "previewAction", QKeySequence());
    menu->addSeparator();
    QAction* close = addAction(menu, tr("&Close"), "closeAction", QKeySequence::Close);
    connect(open, &QAction::triggered, &q, [this] { choosePage(); });
    connect(saveAction, &QAction::triggered, &q, [this] { trySave(&PageWindow::save); });
    connect(saveAsAction, &QAction::triggered, &q, [this] { trySave(&PageWindow::saveAs); });
    connect(previewAction, &QAction::triggered, &q, [this] { preview(); });
    connect(close, &QAction::triggered, &q, [this] { q.close(); });
}

void PageWindow::Private::buildEditMenu() {
    QMenu* menu = q.menuBar()->addMenu(tr("&Edit"));
    menu->setObjectName(QStringLiteral("editMenu"));
    QAction* undo = addAction(menu, tr("&Undo"), "undoAction", QKeySequence::Undo);
    QAction* redo = addAction(menu, tr("&Redo"), "redoAction", QKeySequence::Redo);
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(undo, &QAction::triggered, editor, &QPlainTextEdit::undo);
    connect(redo, &QAction::triggered, editor, &QPlainTextEdit::redo);
    connect(editor, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
    connect(editor, &QPlainTextEdit::redoAvailable, redo, &QAction::setEnabled);
    menu->addSeparator();
    editSnippet->addTo(menu);
    insertCatalogue->addTo(menu);
}

void PageWindow::Private::buildStatusBar() {
    QStatusBar* bar = q.statusBar();
    formatLabel = new QLabel(&q);
    formatLabel->setObjectName(QStringLiteral("formatLabel"));
    positionLabel = new QLabel(&q);
    bar->addWidget(formatLabel, 1);
    bar->addPermanentWidget(positionLabel);
    // The window is never so narrow that the longest of these texts is cut.
    PageDocument widestFormat;
    widestFormat.byteOrderMark = widestFormat.crlf = true;
    formatLabel->setMinimumWidth(
        formatLabel->fontMetrics().horizontalAdvance(formatText(widestFormat)));
    positionLabel->setMinimumWidth(
        positionLabel->fontMetrics().horizontalAdvance(positionText(99999, 9999)));
    // The window's own layout leaves the status bar out of its minimum. The
    // grip would join the bar only once shown; the frame resizes as well.
    bar->setSizeGripEnabled(false);
    bar->layout()->activate();
    q.setMinimumWidth(bar->minimumSizeHint().width());
    connect(editor, &QPlainTextEdit::cursorPositionChanged, &q, [this] { showPosition(); });
    connect(editor->document(), &QTextDocument::modificationChanged, &q, [this](bool modified) {
        q.setWindowModified(modified && q.hasPage());
        if (modified) // what was saved is no longer what is shown
            q.statusBar()->clearMessage();
    });
}

PageWindow::PageWindow(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), d(std::make_unique<Private>(*this, prompts)) {
    setObjectName(QStringLiteral("pageWindow"));
    resize(760, 560);

    d->editor = new SourceEditor(this);
    d->editor->setObjectName(QStringLiteral("pageEditor"));
    d->editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    d->editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    d->editor->setTabStopDistance(4 * d->editor->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    d->editor->setPlaceholderText(tr("Open a page with File > Open..."));
    setCentralWidget(d->editor);
    d->editSnippet = std::make_unique<SnippetEditCommand>(*this, *d->editor, prompts);
    d->insertCatalogue = std::make_unique<InsertCatalogueCommand>(*this, prompts);

    d->buildFileMenu();
    d->buildEditMenu();
    d->buildStatusBar();
    d->showPage(OpenPage(), std::string());
}

PageWindow::~PageWindow() = default;

bool PageWindow::openPage(const QString& file) {
    return maybeSave() && d->readPage(QFileInfo(file).absoluteFilePath());
}

bool PageWindow::openPageAt(const QString& file, int line) {
    const bool isOpen = hasPage() && QFileInfo(file) == QFileInfo(d->page.file());
    if (!isOpen && !openPage(file))
        return false;
    d->goToLine(line);
    d->bringToFront();
    return true;
}

bool PageWindow::reloadIfChangedOnDisk() {
    if (!hasPage() || !d->page.changedOnDisk())
        return false;
    const QString name = d->page.fileName();
    if (isModified() &&
        d->prompts.message(this, QMessageBox::Question, tr("Page Changed on Disk"),
                           tr("%1 was changed on disk, and it has unsaved changes here. Read it "
                              "again and lose your changes?\n\nNo keeps your changes; saving "
                              "them asks before the version on disk is replaced.")
                               .arg(name),
                           QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    const int line = d->editor->textCursor().blockNumber() + 1;
    const QString file = d->page.file(); // a copy: reading replaces the page
    if (!d->readPage(file))
        return false;
    d->goToLine(line);
    statusBar()->showMessage(tr("Read again from disk"));
    return true;
}

bool PageWindow::hasPage() const {
    return d->page.isOpen();
}

QString PageWindow::pageFile() const {
    return d->page.file();
}

bool PageWindow::isModified() const {
    return d->editor->document()->isModified();
}

void PageWindow::insertAtCaret(const std::string& html) {
    if (!hasPage())
        throw Error(tr(kNoPageMessage).toStdString());
    QTextCursor cursor = d->editor->textCursor();
    if (cursor.hasSelection() && !d->lastInsert.isNull() &&
        cursor.anchor() == d->lastInsert.anchor() && cursor.position() == d->lastInsert.position())
        cursor.setPosition(cursor.selectionEnd());
    d->putSnippet(cursor, html);
}

void PageWindow::replaceRange(QTextCursor range, const std::string& html) {
    if (!hasPage())
        throw Error(tr(kNoPageMessage).toStdString());
    d->putSnippet(range, html);
}

bool PageWindow::save() {
    if (!hasPage())
        throw Error(tr(kNoPageMessage).toStdString());
    // A failed save must not leave an earlier save's message standing.
    statusBar()->clearMessage();
    if (!d->page.save(pageText(*d->editor->document()), d->prompts, this))
        return false;
    d->saved();
    return true;
}

bool PageWindow::saveAs() {
    if (!hasPage())
        throw Error(tr(kNoPageMessage).toStdString());
    statusBar()->clearMessage();
    const QString target = d->prompts.saveFileName(
        this, tr("Save Page As"), tr("Web pages (*.html *.htm);;All files (*)"), d->page.file());
    if (target.isEmpty())
        return false;
    d->page.saveAs(QFileInfo(target).absoluteFilePath(), pageText(*d->editor->document()));
    d->saved();
    return true;
}

bool PageWindow::maybeSave() {
    if (!hasPage() || !isModified())
        return true;
    const auto answer = d->prompts.message(
        this, QMessageBox::Question, tr("Vendaxo"),
        tr("The page %1 has unsaved changes. Do you want to save them?").arg(d->page.fileName()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return d->trySave(&PageWindow::save);
    return answer == QMessageBox::No;
}

void PageWindow::setSnippetEditor(SnippetEditor* editor) {
    d->editSnippet->setSnippetEditor(editor);
}

void PageWindow::setAppServices(AppServices* services) {
    d->insertCatalogue->setServices(services);
}

QPlainTextEdit* PageWindow::editor() const {
    return d->editor;
}

void PageWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    d->showPage(OpenPage(), std::string());
    event->accept();
}

} // namespace vendaxo
