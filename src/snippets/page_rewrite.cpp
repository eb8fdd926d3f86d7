#include "snippets/page_rewrite.h"

#include "base/file_io.h"
#include "snippets/page_file.h"

#include <algorithm>

namespace vendaxo {

namespace {

std::string withCrlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (char c : text) {
        if (c == '\n')
            out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

std::string fileName(const std::filesystem::path& file) {
    const std::u8string name = file.u8string();
    return std::string(name.begin(), name.end());
}

} // namespace

PageOnDisk PageOnDisk::read(const std::filesystem::path& file) {
    return {file, readFileBytes(file)};
}

std::string replaceInPage(std::string_view pageBytes, std::vector<PageReplacement> replacements) {
    std::sort(replacements.begin(), replacements.end(),
              [](const PageReplacement& a, const PageReplacement& b) { return a.begin < b.begin; });
    std::size_t kept = 0;
    for (const PageReplacement& replacement : replacements) {
        if (replacement.begin < kept || replacement.end < replacement.begin ||
            replacement.end > pageBytes.size())
            throw Error("The parts of the page to replace overlap or lie outside it.");
        kept = replacement.end;
    }
    if (replacements.empty())
        return std::string(pageBytes);

    const PageDocument page = decodePage(pageBytes);
    std::string out;
    out.reserve(pageBytes.size());
    std::size_t at = 0;
    for (const PageReplacement& replacement : replacements) {
        out.append(pageBytes.substr(at, replacement.begin - at));
        out += htmlInPage(replacement.html, page);
        at = replacement.end;
    }
    out.append(pageBytes.substr(at));
    return out;
}

std::string htmlInPage(std::string_view html, const PageDocument& page) {
    return encodeText(page.crlf ? withCrlf(html) : html, page.encoding);
}

std::filesystem::path pageBackupPath(const std::filesystem::path& file) {
    std::filesystem::path backup = file;
    backup += ".bak";
    return backup;
}

void rewritePage(const PageOnDisk& page, std::string_view newBytes) {
    // Read again just before writing: what changed since is the merchant's.
    std::string current;
    try {
        current = readFileBytes(page.file);
    } catch (const Error&) {
        throw PageChangedOnDisk("The page " + fileName(page.file) +
                                " was moved or removed since it was read; it was not written.");
    }
    if (current != page.bytes)
        throw PageChangedOnDisk("The page " + fileName(page.file) +
                                " was changed on disk since it was read; it was not written.");
    writeFileAtomically(pageBackupPath(page.file), page.bytes);
    writeFileAtomically(page.file, newBytes);
}

} // namespace vendaxo
