#include "snippets/page_editor.h"

#include "base/error.h"
#include "snippets/page_file.h"

#include <cstdio>

namespace vendaxo {

namespace {

class PageFileEditor final : public PageEditor {
public:
    explicit PageFileEditor(std::filesystem::path page) : m_page(std::move(page)) {}
    void insertHtml(const std::string& html) override { insertIntoPageFile(m_page, html); }

private:
    std::filesystem::path m_page;
};

class StandardOutputEditor final : public PageEditor {
public:
    void insertHtml(const std::string& html) override {
        if (std::fwrite(html.data(), 1, html.size(), stdout) != html.size() ||
            std::fflush(stdout) != 0)
            throw Error("Cannot write to standard output.");
    }
};

} // namespace

std::unique_ptr<PageEditor> PageFileBridge::obtain() {
    std::error_code error;
    if (!std::filesystem::is_regular_file(m_page, error))
        throw Error("The page " + m_page.string() + " does not exist.");
    return std::make_unique<PageFileEditor>(m_page);
}

std::unique_ptr<PageEditor> StandardOutputBridge::obtain() {
    return std::make_unique<StandardOutputEditor>();
}

} // namespace vendaxo
