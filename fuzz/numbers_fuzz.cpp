// What a merchant types into price, quantity, rate and tax rate boxes.
#include "base/numbers.h"
#include "fuzz_support.h"
#include "settings/store_options.h"

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view typed = fuzz::asText(bytes, size);

    const std::string integer = integerText(typed);
    fuzz::check(integerText(integer) == integer, "integerText re-normalises to itself", integer);
    const std::string price = priceText(typed);
    fuzz::check(priceText(price) == price, "priceText re-normalises to itself", price);
    fuzz::check(numberText(leadingNumber(price)) == price, "a price reads back as its number",
                price);
    const std::string rate = rateText(typed);
    fuzz::check(rateText(rate) == rate, "rateText re-normalises to itself", rate);

    // Typed back with "%", a plausible tax rate (1 to 100 percent, no exponent)
    // reads as itself.
    const std::string taxRate = taxRateText(typed);
    const double percent = leadingNumber(taxRate);
    if (percent >= 1 && percent <= 100 && taxRate.find('e') == std::string::npos)
        fuzz::check(taxRateText(taxRate + "%") == taxRate, "a tax rate with % reads as itself",
                    taxRate);
    // A tax entry reads back its name and its rate.
    const std::string entry = addedTaxEntry("Ohio", typed);
    fuzz::check(taxEntryName(entry) == "Ohio", "tax entry name", entry);
    fuzz::check(taxEntryRate(entry) == taxRate, "tax entry rate", entry);
    const std::string edited = editedTaxEntry("Ohio", typed);
    fuzz::check(edited == "Ohio" || edited == entry, "edited entry is bare or added form", edited);
    // And a typed name reads back as the name the table shows.
    const std::string named = addedTaxEntry(typed, "6");
    fuzz::check(taxEntryName(named) == listItemName(typed, " = "), "tax name reads back", named);
    fuzz::check(taxEntryRate(named) == "6", "tax rate after any name", named);
    static_cast<void>(hasWebPrefix(typed));
    return 0;
}
