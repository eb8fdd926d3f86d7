#include "site/site_pages.h"

#include "base/text.h"

#include <algorithm>
#include <set>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vendaxo {

namespace fs = std::filesystem;

namespace {

bool isHiddenFolder(const fs::path& folder) {
    const std::string name = pathName(folder.filename());
    if (name.starts_with('.'))
        return true;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
#else
    return false;
#endif
}

class PageWalk {
public:
    void root(const fs::path& path) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error || !fs::exists(status)) {
            fail(pathName(path),
                 error ? error : std::make_error_code(std::errc::no_such_file_or_directory));
            return;
        }
        if (fs::is_directory(status))
            folder(path);
        else if (!isPageFile(path))
            m_result.failures.push_back(
                {pathName(path),
                 pathName(path) + " is not a page: only .htm and .html files are checked"});
        else
            page(path);
    }

    SitePages take() { return std::move(m_result); }

private:
    void fail(std::string name, const std::error_code& error) {
        std::string message = name + " cannot be read: " + error.message();
        m_result.failures.push_back({std::move(name), std::move(message)});
    }

    static fs::path canonicalOf(const fs::path& path) {
        std::error_code error;
        fs::path canonical = fs::canonical(path, error);
        return error ? path : canonical;
    }

    // A page is known by its folder's canonical path and its name: pages are
    // many, and resolving each one's path costs a look-up per folder above it.
    void page(const fs::path& path, const fs::path& canonicalFolder) {
        if (m_pagesSeen.insert(canonicalFolder / path.filename()).second)
            m_result.pages.push_back({path, pathName(path)});
    }

    void page(const fs::path& path) {
        page(path, canonicalOf(path.parent_path().empty() ? fs::path(".") : path.parent_path()));
    }

    // A folder reached again, through a link or by being given twice, is not
    // walked again.
    void folder(const fs::path& path) {
        const fs::path canonical = canonicalOf(path);
        if (!m_foldersSeen.insert(canonical).second)
            return;
        std::vector<fs::path> entries;
        std::error_code error;
        for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
            entries.push_back(it->path());
        if (error)
            fail(pathName(path), error); // the entries read so far are still walked
        std::sort(entries.begin(), entries.end(), [](const fs::path& a, const fs::path& b) {
            return a.filename().native() < b.filename().native();
        });
        for (const fs::path& entry : entries) {
            const fs::file_status status = fs::status(entry, error);
            if (error) {
                // A link to nothing is no page; anything else unreadable is said.
                if (!fs::is_symlink(fs::symlink_status(entry, error)))
                    fail(pathName(entry), error);
                continue;
            }
            if (fs::is_directory(status)) {
                if (!isHiddenFolder(entry))
                    folder(entry);
            } else if (fs::is_regular_file(status) && isPageFile(entry)) {
                page(entry, canonical);
            }
        }
    }

    SitePages m_result;
    std::set<fs::path> m_foldersSeen;
    std::set<fs::path> m_pagesSeen;
};

} // namespace

std::string pathName(const fs::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

bool isPageFile(const fs::path& file) {
    const std::string extension = asciiLower(pathName(file.extension()));
    return extension == ".htm" || extension == ".html";
}

SitePages listSitePages(const std::vector<fs::path>& roots) {
    PageWalk walk;
    for (const fs::path& root : roots)
        walk.root(root);
    return walk.take();
}

} // namespace vendaxo
