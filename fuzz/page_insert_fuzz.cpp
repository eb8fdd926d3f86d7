// Inserting a snippet into a page file of any encoding at the caret marker.
#include "base/error.h"
#include "base/text_encoding.h"
#include "fuzz_support.h"
#include "snippets/page_file.h"

#include <algorithm>

using namespace vendaxo;

namespace {

std::size_t commonPrefix(std::string_view a, std::string_view b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first -
                                    a.begin());
}

std::size_t commonSuffix(std::string_view a, std::string_view b) {
    return static_cast<std::size_t>(
        std::mismatch(a.rbegin(), a.rend(), b.rbegin(), b.rend()).first - a.rbegin());
}

} // namespace

// The first byte chooses the snippet's length; the rest is the page.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view rest = fuzz::asText(bytes + 1, size - 1);
    const std::size_t snippetSize = std::min<std::size_t>(bytes[0], rest.size());
    // Snippets are UTF-8, as every builder writes them.
    std::string snippet(rest.substr(0, snippetSize));
    if (!isValidUtf8(snippet))
        snippet = cp1252ToUtf8(snippet);
    const std::string_view page = rest.substr(snippetSize);

    std::string out;
    try {
        out = insertIntoPage(page, snippet);
    } catch (const Error&) {
        return 0; // a declared encoding that cannot be kept
    }
    // Every byte of the page is still there, in one piece before and one after.
    fuzz::check(out.size() >= page.size(), "nothing of the page is lost");
    const std::size_t before = commonPrefix(page, out);
    const std::size_t after = std::min(commonSuffix(page, out), out.size() - before);
    fuzz::check(before + after >= page.size(), "the page's bytes surround the snippet");

    // A <meta> in the page or the snippet may be completed by the other (a broken
    // page's open quote or tag closed by the snippet); without one, the next
    // insert reads the page as the first did.
    const auto hasMeta = [](std::string_view text) {
        std::string lowered(text);
        for (char& c : lowered)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return lowered.find("meta") != std::string::npos;
    };
    if (hasMeta(page) || hasMeta(snippet))
        return 0;
    std::string twice;
    try {
        twice = insertIntoPage(out, snippet);
    } catch (const Error& error) {
        fuzz::fail("a page written by an insert is refused by the next", error.what());
    }
    fuzz::check(twice.size() >= out.size(), "a second insert loses nothing");
    static_cast<void>(decodePage(page));
    return 0;
}
