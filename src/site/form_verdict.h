#pragma once

#include "shell/merchant_profile.h"
#include "site/form_content.h"
#include "snippets/checkout_snippet.h"
#include "snippets/snippet_reader.h"

#include <string>
#include <vector>

namespace vendaxo {

class MerchantSession;

// What Insert would write now: the current merchant's profile as the checkout
// form's Insert refreshes it from the stored options, the settings the
// checkout form carries (with the cart colours every button carries), and
// the merchants installed.
struct SiteSettings {
    MerchantProfile profile;
    CheckoutSettings checkout;
    Installation installation;

    static SiteSettings load(MerchantSession& session);
};

enum class FormState { Current, Stale, OtherMerchant, Damaged };

struct FormVerdict {
    FormState state = FormState::Current;
    // Stale: the settings whose parts differ, in the order of SettingGroup.
    std::vector<SettingGroup> groups;
    // Other merchant, damaged: what is wrong, for the merchant.
    std::string details;
    // Stale: the form as Insert would write it now (UTF-8, lines ended by "\n").
    std::string refreshed;
    // Stale: why the form is not to be rebuilt, when it is not; empty otherwise.
    std::string notRefreshable;
    // Stale: fields the program does not write, which a rebuild drops.
    std::vector<std::string> dropped;
};

// Compares a form with the one Insert would write now from the form's own
// values (product, caption, payment options, required values, button text)
// and the settings: what each carries, not how it is laid out.
FormVerdict judgeForm(const ReadForm& form, const SiteSettings& settings);

// The product with its option items shown in another currency, the amounts kept.
Product productInCurrency(Product product, std::string_view from, std::string_view to);

} // namespace vendaxo
