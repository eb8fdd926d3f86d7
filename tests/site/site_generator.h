#pragma once

#include "shell/merchant_profile.h"
#include "snippets/checkout_snippet.h"

#include <cstddef>
#include <filesystem>

namespace vendaxo::test {

struct GeneratedSite {
    std::size_t pages = 0;
    std::size_t pagesWithForms = 0;
    std::size_t forms = 0;
    std::size_t bytes = 0;
};

// A shop's site as a page editor leaves it: pages in twenty folders, of mixed
// sizes (most of 5 to 30 KB, some to 100 KB, a few to 250 KB: about 50 KB on
// average), text with links, pictures, tables and entities. About half of the
// pages carry forms of every kind as Insert writes them with these settings
// (purchase buttons with and without option lists and price breaks, view-cart
// buttons, now and then a checkout form or a retrieve-orders button), each SKU
// sold on one form only, beside a comment and a script that hold form markup;
// of the others, one in five has a search form.
// The same seed gives the same site.
GeneratedSite writeGeneratedSite(const std::filesystem::path& folder, std::size_t pages,
                                 const MerchantProfile& profile, const CheckoutSettings& settings,
                                 unsigned seed);

} // namespace vendaxo::test
