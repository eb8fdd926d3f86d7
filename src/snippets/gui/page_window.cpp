#include "snippets/gui/page_window.h"

#include "base/error.h"
#include "base/file_io.h"
#include "shell/gui/prompts.h"
#include "snippets/gui/source_editor.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QUrl>
#include <filesystem>

namespace vendaxo {

namespace {

std::filesystem::path toPath(const QString& file) {
    return std::filesystem::path(file.toStdU16String());
}

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

    // The editor's text as the core holds pages: UTF-8 with "\n" line ends.
    // toPlainText() would turn no-break spaces into spaces.
    std::string text() const {
        QString raw = editor->document()->toRawText();
        raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        return raw.toStdString();
    }

    void choosePage() {
        const QString file = prompts.openFileName(&q, tr("Open Page"),
                                                  tr("Web pages (*.html *.htm);;All files (*)"));
        if (!file.isEmpty())
            q.openPage(file);
    }

    bool trySave() {
        try {
            q.save();
            return true;
        } catch (const std::exception& error) {
            prompts.error(&q, QString::fromStdString(error.what()));
            return false;
        }
    }

    // The browser reads the file, so unsaved changes are offered for saving first.
    void preview() {
        if (!q.maybeSave())
            return;
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
            prompts.error(
                &q, tr("Cannot open %1 in the web browser.").arg(QDir::toNativeSeparators(file)));
    }

    void showPage(const QString& path, PageDocument document) {
        file = path;
        page = std::move(document);
        lastInsert = QTextCursor();
        q.statusBar()->clearMessage();
        // The title first: setting the text marks the document modified for a moment.
        if (q.hasPage())
            q.setWindowTitle(tr("%1[*] - Vendaxo Page").arg(QFileInfo(file).fileName()));
        else
            q.setWindowTitle(tr("Vendaxo Page"));
        editor->setReadOnly(!q.hasPage());
        editor->setPlainText(QString::fromStdString(page.text));
        page.text.clear();
        placeCaret();
        positionLabel->setVisible(q.hasPage());
        saveAction->setEnabled(q.hasPage());
        previewAction->setEnabled(q.hasPage());
        showPosition();
        formatLabel->setText(q.hasPage() ? formatText(page) : QString());
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

    PageWindow& q;
    Prompts& prompts;
    SourceEditor* editor = nullptr;
    QLabel* formatLabel = nullptr;
    QLabel* positionLabel = nullptr;
    QAction* saveAction = nullptr;
    QAction* previewAction = nullptr;
    QString file;      // absolute; empty while no page is open
    PageDocument page; // how to write the page back; its text lives in the editor
    QTextCursor lastInsert;
};

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

    const auto addAction = [this](QMenu* menu, const QString& text, const char* name,
                                  const QKeySequence& keys) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        menu->addAction(action);
        return action;
    };
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    QAction* openAction = addAction(fileMenu, tr("&Open..."), "openAction", QKeySequence::Open);
    d->saveAction = addAction(fileMenu, tr("&Save"), "saveAction", QKeySequence::Save);
    d->previewAction =
        addAction(fileMenu, tr("&Preview in Browser"), "previewAction", QKeySequence());
    fileMenu->addSeparator();
    QAction* closeAction = addAction(fileMenu, tr("&Close"), "closeAction", QKeySequence::Close);
    connect(openAction, &QAction::triggered, this, [this] { d->choosePage(); });
    connect(d->saveAction, &QAction::triggered, this, [this] { d->trySave(); });
    connect(d->previewAction, &QAction::triggered, this, [this] { d->preview(); });
    connect(closeAction, &QAction::triggered, this, [this] { close(); });

    d->formatLabel = new QLabel(this);
    d->formatLabel->setObjectName(QStringLiteral("formatLabel"));
    d->positionLabel = new QLabel(this);
    statusBar()->addWidget(d->formatLabel, 1);
    statusBar()->addPermanentWidget(d->positionLabel);
    // The window is never so narrow that the longest of these texts is cut.
    PageDocument widestFormat;
    widestFormat.byteOrderMark = widestFormat.crlf = true;
    d->formatLabel->setMinimumWidth(
        d->formatLabel->fontMetrics().horizontalAdvance(formatText(widestFormat)));
    d->positionLabel->setMinimumWidth(
        d->positionLabel->fontMetrics().horizontalAdvance(positionText(99999, 9999)));
    // The window's own layout leaves the status bar out of its minimum. The
    // grip would join the bar only once shown; the frame resizes as well.
    statusBar()->setSizeGripEnabled(false);
    statusBar()->layout()->activate();
    setMinimumWidth(statusBar()->minimumSizeHint().width());
    connect(d->editor, &QPlainTextEdit::cursorPositionChanged, this, [this] { d->showPosition(); });
    connect(d->editor->document(), &QTextDocument::modificationChanged, this,
            [this](bool modified) {
                setWindowModified(modified && hasPage());
                if (modified) // what was saved is no longer what is shown
                    statusBar()->clearMessage();
            });

    d->showPage(QString(), PageDocument());
}

PageWindow::~PageWindow() = default;

bool PageWindow::openPage(const QString& file) {
    if (!maybeSave())
        return false;
    const QString path = QFileInfo(file).absoluteFilePath();
    PageDocument page;
    try {
        page = decodePage(readFileBytes(toPath(path)));
    } catch (const std::exception& error) {
        d->prompts.error(this, QString::fromStdString(error.what()));
        return false;
    }
    d->showPage(path, std::move(page));
    return true;
}

bool PageWindow::hasPage() const {
    return !d->file.isEmpty();
}

QString PageWindow::pageFile() const {
    return d->file;
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
    const int start = cursor.selectionStart();
    cursor.insertText(QString::fromStdString(html));
    const int end = cursor.position();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    d->editor->setTextCursor(cursor);
    d->editor->ensureCursorVisible();
    d->editor->document()->setModified(true);
    d->lastInsert = cursor;
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void PageWindow::save() {
    if (!hasPage())
        throw Error(tr(kNoPageMessage).toStdString());
    // A failed save must not leave an earlier save's message standing.
    statusBar()->clearMessage();
    PageDocument page = d->page;
    page.text = d->text();
    const std::string bytes = encodePage(page);
    const std::filesystem::path file = toPath(d->file);
    std::error_code missing;
    if (std::filesystem::exists(file, missing))
        writeFileAtomically(toPath(d->file + QStringLiteral(".bak")), readFileBytes(file));
    writeFileAtomically(file, bytes);
    d->editor->document()->setModified(false);
    statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(d->file).fileName()));
}

bool PageWindow::maybeSave() {
    if (!hasPage() || !isModified())
        return true;
    const auto answer =
        d->prompts.message(this, QMessageBox::Question, tr("Vendaxo"),
                           tr("The page %1 has unsaved changes. Do you want to save them?")
                               .arg(QFileInfo(d->file).fileName()),
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return d->trySave();
    return answer == QMessageBox::No;
}

QPlainTextEdit* PageWindow::editor() const {
    return d->editor;
}

void PageWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    d->showPage(QString(), PageDocument());
    event->accept();
}

} // namespace vendaxo
