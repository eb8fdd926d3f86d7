#include "snippets/gui/editor_bridges.h"

#include "base/error.h"
#include "snippets/gui/page_window.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vendaxo {

namespace {

class PageWindowEditor final : public PageEditor {
public:
    explicit PageWindowEditor(PageWindow& window) : m_window(window) {}
    void insertHtml(const std::string& html) override { m_window.insertAtCaret(html); }

private:
    PageWindow& m_window;
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

std::unique_ptr<PageEditor> ClipboardBridge::obtain() {
    return std::make_unique<ClipboardEditor>();
}

} // namespace vendaxo
