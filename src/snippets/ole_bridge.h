#pragma once

#ifdef _WIN32

#include "snippets/page_editor.h"

#include <string>
#include <string_view>

namespace vendaxo {

// The page editor's automation object and its insert method.
inline constexpr std::string_view kPageEditorProgId = "FrontPage.Editor";
inline constexpr std::string_view kInsertHtmlMethod = "vtiInsertHTML";

// Reaches the running page editor by OLE automation. Every failure (not
// registered, not running, no insert method, the call failing) is an Error
// naming the editor and giving the system's reason.
class OleAutomationBridge final : public PageEditorBridge {
public:
    explicit OleAutomationBridge(std::string progId = std::string(kPageEditorProgId))
        : m_progId(std::move(progId)) {}
    // The editor object lives, and COM stays initialised, until the result is destroyed.
    std::unique_ptr<PageEditor> obtain() override;

private:
    std::string m_progId;
};

} // namespace vendaxo

#endif
