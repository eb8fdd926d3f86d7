// Reading the Vendaxo forms of any page, in any encoding.
#include "base/error.h"
#include "fuzz_support.h"
#include "shell/merchant_profile.h"
#include "snippets/button_snippets.h"
#include "snippets/page_file.h"
#include "snippets/purchase_snippet.h"
#include "snippets/snippet_reader.h"

using namespace vendaxo;

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The characters of a piece of the page that are ASCII, in lower case: one a
// byte, or one a UTF-16 code unit.
std::string asciiOf(std::string_view bytes, PageEncoding encoding) {
    std::string out;
    if (encoding == PageEncoding::Utf16LE || encoding == PageEncoding::Utf16BE) {
        const std::size_t low = encoding == PageEncoding::Utf16BE ? 1 : 0;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            out += bytes[i + 1 - low] == '\0' ? lower(bytes[i + low]) : '?';
    } else {
        for (char c : bytes)
            out += lower(c);
    }
    return out;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page = fuzz::asText(data, size);
    std::vector<ReadSnippet> snippets;
    try {
        snippets = readSnippets(page);
    } catch (const Error&) {
        return 0; // a declared encoding that cannot be read
    }
    bool byteOrderMark = false;
    const PageEncoding encoding = detectPageEncoding(page, byteOrderMark);
    std::size_t previousEnd = 0;
    std::size_t previousLine = 1;
    for (const ReadSnippet& snippet : snippets) {
        fuzz::check(snippet.line >= previousLine, "forms come in page order");
        previousLine = snippet.line;
        fuzz::check(!snippet.values.empty(), "a form gives its values");
        if (!snippet.range) {
            fuzz::check(!snippet.problems.empty(), "a form without its end is damaged");
            continue;
        }
        const ByteRange range = *snippet.range;
        fuzz::check(range.begin >= previousEnd && range.begin < range.end && range.end <= size,
                    "each range lies inside the page, after the one before");
        previousEnd = range.end;
        const std::string form =
            asciiOf(page.substr(range.begin, range.end - range.begin), encoding);
        fuzz::check(form.starts_with("<form"), "a range starts with <form", form);
        // The end tag's name ends in white space, "/" or ">".
        bool endTag = false;
        for (std::size_t at = form.find("</form"); at != std::string::npos && !endTag;
             at = form.find("</form", at + 1))
            endTag = at + 6 < form.size() &&
                     (isSpace(form[at + 6]) || form[at + 6] == '/' || form[at + 6] == '>');
        fuzz::check(form.ends_with(">") && endTag, "a range ends just after </form>", form);
        // What was read builds a snippet again.
        if (snippet.problems.empty()) {
            if (snippet.kind == SnippetKind::Purchase)
                (void)buildPurchaseSnippet(snippet.product, snippet.merchant.profile(),
                                           snippet.merchant.shopColours);
            else if (snippet.kind == SnippetKind::ViewCart)
                (void)buildViewCartSnippet(snippet.caption, snippet.merchant.profile(),
                                           snippet.merchant.shopColours);
        }
    }
    return 0;
}
