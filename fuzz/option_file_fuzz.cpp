// The bytes of an option file (.vdx), from any earlier version or a text editor.
#include "base/error.h"
#include "base/text_encoding.h"
#include "fuzz_support.h"
#include "snippets/option_file.h"

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string data = optionDataFromFile(fuzz::asText(bytes, size));
    fuzz::check(isValidUtf8(data), "option data is UTF-8");
    fuzz::check(!data.empty() && data.back() == '\n', "option data ends in a line feed");
    fuzz::check(data.find('\r') == std::string::npos, "no carriage return is left");

    OptionGrid grid;
    try {
        grid.rebuild(data);
    } catch (const Error&) {
        return 0;
    }
    // Saved as writeOptionFile writes it and opened again: reading trims blanks at
    // the ends of the file, so blank first cells may go in the first rounds, but
    // the rounds settle and then saving and opening changes nothing.
    const auto reopened = [](const OptionGrid& saved) {
        OptionGrid grid;
        grid.rebuild(optionDataFromFile(saved.data() + '\n'));
        return grid;
    };
    OptionGrid current = grid;
    bool settled = false;
    for (std::size_t round = 0; round <= size + 1 && !settled; ++round) {
        OptionGrid next = reopened(current);
        settled = next.data() == current.data();
        current = std::move(next);
    }
    fuzz::check(settled, "saving and opening settles", current.data());
    // And reading a file twice over changes nothing more.
    fuzz::check(optionDataFromFile(data) == data, "option data re-reads to itself", data);
    return 0;
}
