#include "base/numbers.h"

#include <clocale>
#include <gtest/gtest.h>
#include <locale>

namespace vendaxo::test {

TEST(PriceText, NormalisesTypedAmounts) {
    const std::pair<const char*, const char*> cases[] = {
        {"12.50", "12.5"},
        {"12", "12"},
        {"$1,000", "1"},
        {"abc", "0"},
        {"", "0"},
        {"$$9.99$", "9.99"},
        {"  -3.10", "-3.1"},
        {"+.5", "0.5"},
        {"1e3", "1000"},
        {"2.5E-2x", "0.025"},
        {"0.1", "0.1"},
        {"-0", "0"},
        {"$ 7", "7"},
        {"inf", "0"},
        {"nan", "0"},
        {"1e999", "0"},
        {"19.999999999999999", "20"},
        {"123456789012345678", "1.23456789012346e+17"},
        {"12.", "12"},
        {"- 5", "0"},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(priceText(typed), expected) << "typed: " << typed;
}

TEST(IntegerText, ReadsTheLeadingWholeNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"7.5", "7"},
        {"abc", "0"},
        {"", "0"},
        {" 12 boxes", "12"},
        {"-4", "-4"},
        {"+9", "9"},
        {"007", "7"},
        {"-0", "0"},
        {"$5", "0"},
        {"1,000", "1"},
        {"99999999999999999999", "99999999999999999999"},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(integerText(typed), expected) << "typed: " << typed;
}

namespace {

struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

} // namespace

TEST(PriceText, IgnoresTheLocalesDecimalSeparator) {
    const std::locale saved = std::locale::global(std::locale(std::locale(), new CommaDecimal));
    std::string savedC = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name))
            break;
    }
    EXPECT_EQ(priceText("12.50"), "12.5");
    EXPECT_EQ(priceText("12,50"), "12");
    EXPECT_EQ(priceText("0.125"), "0.125");
    std::setlocale(LC_NUMERIC, savedC.c_str());
    std::locale::global(saved);
}

} // namespace vendaxo::test
