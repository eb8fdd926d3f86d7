#include "snippets/checkout_data.h"

#include "child_process.h"

namespace vendaxo::test {

std::filesystem::path checkoutData(const std::string& name) {
    return programFolder() / "checkout" / name;
}

} // namespace vendaxo::test
