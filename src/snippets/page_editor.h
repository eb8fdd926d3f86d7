#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace vendaxo {

// Whatever takes a finished snippet: the page editor's caret, a page file, the
// clipboard, standard output.
class PageEditor {
public:
    virtual ~PageEditor() = default;
    // Throws Error when the snippet could not be inserted.
    virtual void insertHtml(const std::string& html) = 0;
};

// Finds the page editor when an Insert command starts; the editor is released
// when that command ends.
class PageEditorBridge {
public:
    virtual ~PageEditorBridge() = default;
    // Throws Error with a message for the merchant when no editor can be reached.
    virtual std::unique_ptr<PageEditor> obtain() = 0;
};

// Inserts into a page file at its caret marker, written atomically.
class PageFileBridge final : public PageEditorBridge {
public:
    explicit PageFileBridge(std::filesystem::path page) : m_page(std::move(page)) {}
    std::unique_ptr<PageEditor> obtain() override;

private:
    std::filesystem::path m_page;
};

// Writes snippets to standard output byte for byte.
class StandardOutputBridge final : public PageEditorBridge {
public:
    std::unique_ptr<PageEditor> obtain() override;
};

} // namespace vendaxo
