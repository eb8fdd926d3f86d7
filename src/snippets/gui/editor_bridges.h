#pragma once

#include "snippets/page_editor.h"

#include <QString>
#include <QTextCursor>

namespace vendaxo {

class PageWindow;

// Inserts at the caret of the page window; fails with "No page is open in the
// page editor." while it has no page.
class PageWindowBridge final : public PageEditorBridge {
public:
    explicit PageWindowBridge(PageWindow& window) : m_window(window) {}
    std::unique_ptr<PageEditor> obtain() override;

private:
    PageWindow& m_window;
};

// Puts the snippet in place of a part of the page window's page (the form
// being edited), as one undo step; fails when that part changed meanwhile.
class PageRangeBridge final : public PageEditorBridge {
public:
    // From `begin` to `end`, document positions of the page window's editor.
    PageRangeBridge(PageWindow& window, int begin, int end);
    std::unique_ptr<PageEditor> obtain() override;

private:
    PageWindow& m_window;
    QTextCursor m_range; // follows edits elsewhere in the page
    QString m_text;      // what the range held
};

// Puts each snippet on the system clipboard.
class ClipboardBridge final : public PageEditorBridge {
public:
    std::unique_ptr<PageEditor> obtain() override;
};

} // namespace vendaxo
