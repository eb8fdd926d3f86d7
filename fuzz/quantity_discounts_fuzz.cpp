// Quantity discount entries as stored ("10 - $9.5;" a CR LF line).
#include "base/numbers.h"
#include "fuzz_support.h"
#include "snippets/quantity_discounts.h"

using namespace vendaxo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const QuantityDiscounts discounts = QuantityDiscounts::fromStored(fuzz::asText(bytes, size));
    const std::string stored = discounts.stored();
    fuzz::check(QuantityDiscounts::fromStored(stored) == discounts, "fromStored(stored()) is equal",
                stored);

    // The snippet text carries neither line breaks nor quotation marks.
    const std::string snippet = discounts.snippetText();
    fuzz::check(snippet.find_first_of("\r\n\"") == std::string::npos, "snippet text is one line",
                snippet);

    QuantityDiscounts edited;
    for (const std::string& entry : discounts.entries()) {
        // Entries the dialog would make from what it reads back are stable.
        const std::string quantity = integerText(QuantityDiscounts::quantityOf(entry));
        const std::string price = priceText(QuantityDiscounts::priceOf(entry));
        const std::string made = QuantityDiscounts::entry(quantity, price);
        fuzz::check(QuantityDiscounts::quantityOf(made) == quantity, "quantity read back", made);
        fuzz::check(QuantityDiscounts::priceOf(made) == price, "price read back", made);
        if (!edited.hasQuantity(quantity))
            edited.add(quantity, price);
    }
    for (std::size_t i = 0; i < edited.entries().size(); ++i)
        edited.setPrice(i, "1");
    fuzz::check(QuantityDiscounts::fromStored(edited.stored()) == edited, "edited list read back");
    while (!edited.empty())
        edited.remove(0);
    return 0;
}
