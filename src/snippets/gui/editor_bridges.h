#pragma once

#include "snippets/page_editor.h"

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

// Puts each snippet on the system clipboard.
class ClipboardBridge final : public PageEditorBridge {
public:
    std::unique_ptr<PageEditor> obtain() override;
};

} // namespace vendaxo
