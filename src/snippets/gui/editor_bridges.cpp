#include "snippets/gui/editor_bridges.h"

#include "base/error.h"
#include "snippets/gui/page_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>

namespace vendaxo {

namespace {

class PageWindowEditor final : public PageEditor {
public:
    explicit PageWindowEditor(PageWindow& window) : m_window(window) {}
    void insertHtml(const std::string& html) override { m_window.insertAtCaret(html); }

private:
    PageWindow& m_window;
};

class PageRangeEditor final : public PageEditor {
public:
    PageRangeEditor(PageWindow& window, QTextCursor range) : m_window(window), m_range(range) {}
    // The range ends with "</form>"; the line end a snippet ends with is the
    // page's already, and kept there, so repeated edits add no blank lines.
    void insertHtml(const std::string& html) override {
        m_window.replaceRange(m_range,
                              html.ends_with('\n') ? html.substr(0, html.size() - 1) : html);
    }

private:
    PageWindow& m_window;
    QTextCursor m_range;
};

class ClipboardEditor final : public PageEditor {
public:
    void insertHtml(const std::string& html) override {
        QGuiApplication::clipboard()->setText(QString::fromStdString(html));
    }
};

} // namespace

std::unique_ptr<PageEditor> PageWindowBridge::obtain() {
    if (!m_window.hasPage()) {
        // Brings back a closed page window, so the merchant sees where to open a page.
        if (!m_window.isVisible())
            m_window.show();
        throw Error(PageWindow::tr(kNoPageMessage).toStdString());
    }
    return std::make_unique<PageWindowEditor>(m_window);
}

PageRangeBridge::PageRangeBridge(PageWindow& window, int begin, int end)
    : m_window(window), m_range(window.editor()->document()) {
    m_range.setPosition(begin);
    m_range.setPosition(end, QTextCursor::KeepAnchor);
    m_text = m_range.selectedText();
}

std::unique_ptr<PageEditor> PageRangeBridge::obtain() {
    if (!m_window.hasPage() || m_range.selectedText() != m_text)
        throw Error(PageWindow::tr("The form being edited changed in the page or the page was "
                                   "closed; nothing was replaced.")
                        .toStdString());
    return std::make_unique<PageRangeEditor>(m_window, m_range);
}

std::unique_ptr<PageEditor> ClipboardBridge::obtain() {
    return std::make_unique<ClipboardEditor>();
}

} // namespace vendaxo
