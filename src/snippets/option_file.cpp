#include "snippets/option_file.h"

#include "base/file_io.h"
#include "base/text_encoding.h"

#include <algorithm>
#include <cctype>

namespace vendaxo {

namespace {

// "<ITEM*ND>" in any case becomes "<ITEMEND>", as files of older versions spell it.
void mendItemEndMarkers(std::string& text) {
    constexpr std::string_view old = "<item*nd>";
    for (std::size_t i = 0; i + old.size() <= text.size(); ++i) {
        const bool match = std::equal(
            old.begin(), old.end(), text.begin() + static_cast<std::ptrdiff_t>(i),
            [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
        if (match)
            text.replace(i, old.size(), "<ITEMEND>");
    }
}

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string optionDataFromFile(std::string_view bytes) {
    const std::string text = isValidUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes);
    std::string data;
    data.reserve(text.size() + 1);
    // Lines end in CR LF, LF or CR; each is taken whole and ended by a line feed.
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t end = text.find_first_of("\r\n", i);
        data.append(text, i, end == std::string::npos ? std::string::npos : end - i);
        data += '\n';
        if (end == std::string::npos)
            break;
        i = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    mendItemEndMarkers(data);
    const auto first = std::find_if_not(data.begin(), data.end(), isBlankOrControl);
    const auto last = std::find_if_not(data.rbegin(), data.rend(), isBlankOrControl).base();
    std::string trimmedData = first < last ? std::string(first, last) : std::string();
    return trimmedData + '\n';
}

std::string readOptionFile(const std::filesystem::path& file) {
    return optionDataFromFile(readFileBytes(file));
}

void writeOptionFile(const std::filesystem::path& file, const OptionGrid& grid) {
    writeFileAtomically(file, grid.data() + '\n');
}

} // namespace vendaxo
