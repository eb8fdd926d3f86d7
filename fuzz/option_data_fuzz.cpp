// Option data text, as stored by old installations and typed into option files.
#include "base/error.h"
#include "base/numbers.h"
#include "fuzz_support.h"
#include "snippets/option_lists.h"

using namespace vendaxo;

namespace {

OptionGrid rebuilt(std::string_view data) {
    OptionGrid grid;
    grid.rebuild(data);
    return grid;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data = fuzz::asText(bytes, size);
    OptionGrid grid;
    try {
        grid.rebuild(data);
    } catch (const Error&) {
        return 0; // too many lists: refused as a whole
    }
    // What the grid writes back rebuilds to a grid that writes the same text.
    const std::string once = grid.data();
    const OptionGrid again = rebuilt(once);
    fuzz::check(again.data() == once, "rebuild(data()) writes the same data", once);
    fuzz::check(rebuilt(again.data()) == again, "stable after one round", once);

    for (std::size_t c = 0; c < grid.columnCount(); ++c) {
        for (std::size_t r = 1; r < grid.rowCount(); ++r) {
            const OptionItem item = OptionItem::parse(grid.cell(c, r), "$");
            // The option dialog writes labels without adjustment words of their own
            // and amounts as numbers; for such an item the text it writes reads back
            // as the same item.
            if (item.label.find_first_of("($") != std::string::npos ||
                item.label.find("add") != std::string::npos ||
                item.label.find("subtract") != std::string::npos ||
                item.amount != numberText(leadingNumber(item.amount)))
                continue;
            const OptionItem back = OptionItem::parse(item.text("$"), "$");
            fuzz::check(back.label == item.label && back.kind == item.kind &&
                            back.amount == item.amount,
                        "option item reads back from its text", grid.cell(c, r));
        }
    }
    for (const OptionStyle style : {OptionStyle::DropDown, OptionStyle::Radio})
        static_cast<void>(optionBlock(grid, style, "$"));
    return 0;
}
