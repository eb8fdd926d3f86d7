#include "shell/cli_fixture.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;

class SettingsCliTest : public CliTest {
protected:
    void SetUp() override {
        ASSERT_EQ(cli({"install", "--serial", "1", "--company", "Kites", "--cart-url", "c",
                       "--retrieve-url", "r"})
                      .exitCode,
                  0);
    }
};

TEST_F(SettingsCliTest, ShowsWhatAFreshMerchantsSettingsMean) {
    const Result shown = cli({"settings"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_THAT(shown.out, HasSubstr("Tax table: empty\n"));
    EXPECT_THAT(shown.out, HasSubstr("Currency symbol: $\n"));
    EXPECT_THAT(shown.out, HasSubstr("Shipping method: User Choice\n"));
    EXPECT_THAT(shown.out, HasSubstr("User choices: Standard Ground = $5;, Second Day = $15;"));
    EXPECT_THAT(shown.out, HasSubstr("Handling: disabled (Flat Rate, base 0.00"));
    EXPECT_THAT(shown.out, HasSubstr("Cart colours: never set\n"));
}

TEST_F(SettingsCliTest, JsonCarriesTheStoredValuesEscaped) {
    cli({"set", "OTax", "Ohio = 6%\r\nTexas\r\n"});
    cli({"set", "OCnf", "Thanks \"friend\"\r\nBye"});
    cli({"set", "OSta", "4"});
    cli({"set", "RateChartChoices", "Ground\r\n"});
    cli({"set", "MRateChartData", "Ground;0-5;10-7.5;\n"});
    cli({"set", "shopcolors", "255,-1"});
    const Result shown = cli({"settings", "--json"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_THAT(shown.out, HasSubstr("\"taxEntries\": [\"Ohio = 6%\", \"Texas\"]"));
    EXPECT_THAT(shown.out,
                HasSubstr("\"confirmationMessage\": \"Thanks \\\"friend\\\"\\r\\nBye\""));
    EXPECT_THAT(shown.out, HasSubstr("\"methodName\": \"Multiple Rate Chart\""));
    EXPECT_THAT(shown.out, HasSubstr("\"Ground\": \"0-5;10-7.5;\""));
    EXPECT_THAT(shown.out, HasSubstr("\"cartColours\": [255, -1, -1"));
    EXPECT_EQ(shown.out.front(), '{');
    EXPECT_EQ(shown.out.substr(shown.out.size() - 2), "}\n");
}

} // namespace vendaxo::test
