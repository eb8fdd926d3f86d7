#pragma once

#include "shell/merchant_profile.h"
#include "shell/sqlite_store.h"
#include "snippets/checkout_choices.h"
#include "snippets/checkout_snippet.h"
#include "snippets/product.h"
#include "test_support.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vendaxo::bench {

using test::TempDir;

inline constexpr std::string_view kDemoMerchant = "401122";

// Installs one merchant with a main page address, so every command works.
void installDemoMerchant(SettingsStore& store);
MerchantProfile demoProfile();

// Quantity box, two option lists of 10 items with prices, five discounts.
Product richProduct();

// 53 states and 20 zip codes in the tax table, international shipping (both
// country lists), every order-charge group on and cart colours set.
CheckoutSettings richCheckoutSettings(ShippingMethod method);
CheckoutChoices everyCheckoutChoice();
// Writes every settings group the way the dialogs' OK does.
void saveSettings(SettingsStore& store, const CheckoutSettings& settings);

// The number of a counter or an environment variable, else the fallback.
long environmentNumber(const char* name, long fallback);

} // namespace vendaxo::bench
