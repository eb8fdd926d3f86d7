#include "shell/cli_fixture.h"
#include "snippets/checkout_data.h"

#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::HasSubstr;
using ::testing::Not;

class CheckoutCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ASSERT_EQ(cli({"import", checkoutData("store.reg").string()}).exitCode, 0);
    }
    std::string stored(const std::string& name) { return cli({"get", name}).out; }
};

TEST_F(CheckoutCliTest, BuildsTheDialogsFormForEveryShippingMethod) {
    for (const CheckoutCase& c : kCheckoutCases) {
        SCOPED_TRACE(std::string(c.expected));
        ASSERT_EQ(cli({"set", "OSta", std::string(c.method)}).exitCode, 0);
        const Result result = cli({"checkout", "--cards", std::string(kCheckoutCards), "--require",
                                   std::string(kCheckoutRequired)});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, readFile(checkoutData(std::string(c.expected))));
    }
}

TEST_F(CheckoutCliTest, StartsFromTheStoredChoicesAndStoresWhatItUsed) {
    // Never stored: every card, nothing required.
    Result result = cli({"checkout", "--button", "Order"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("<option value=\"JCB\">Carte Blanche</option>"));
    EXPECT_THAT(result.out, HasSubstr("value=\"Order\" name=\"checkout\""));
    EXPECT_THAT(result.out, HasSubstr("<select name=\"cardtype\" size=\"1\">"));
    EXPECT_THAT(result.out, Not(HasSubstr("billname*")));
    EXPECT_EQ(stored("ccCards"), "1234567\n");
    EXPECT_EQ(stored("ccVerify"), "\n");

    ASSERT_EQ(cli({"set", "ccCards", "135"}).exitCode, 0);
    ASSERT_EQ(cli({"set", "ccVerify", "1"}).exitCode, 0);
    result = cli({"checkout", "--require", "9B"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, Not(HasSubstr("\"MasterCard\"")));
    EXPECT_THAT(result.out, HasSubstr("name=\"shipphone1*\""));
    EXPECT_THAT(result.out, HasSubstr("name=\"cardnumber*\""));
    EXPECT_THAT(result.out, Not(HasSubstr("billname*")));
    EXPECT_EQ(stored("ccCards"), "135\n");
    EXPECT_EQ(stored("ccVerify"), "9b\n");
}

TEST_F(CheckoutCliTest, GoesIntoAPageAtItsCaret) {
    writeFile(m_dir / "order.html", "<html><body>\n<!--vendaxo:caret--></body></html>\n");
    const Result result =
        cli({"checkout", "--cards", std::string(kCheckoutCards), "--require",
             std::string(kCheckoutRequired), "--into", (m_dir / "order.html").string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readFile(m_dir / "order.html"), "<html><body>\n" +
                                                  readFile(checkoutData("user_choice.html")) +
                                                  "<!--vendaxo:caret--></body></html>\n");
}

TEST_F(CheckoutCliTest, RefusesWithoutAMainPageOrWithBadCodes) {
    ASSERT_EQ(cli({"set", "OURL", ""}).exitCode, 0);
    Result result = cli({"checkout"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err, HasSubstr("vendaxo-cli: You need to enter the Main Page URL in the "
                                      "VDX Options section before you can insert this component."));
    EXPECT_EQ(stored("ccCards"), "\n");

    ASSERT_EQ(cli({"set", "OURL", "http://www.blueheron.example/"}).exitCode, 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"checkout", "--cards", "128"},
          std::vector<std::string>{"checkout", "--require", "1z"},
          std::vector<std::string>{"checkout", "--button", ""}}) {
        result = cli(args);
        EXPECT_EQ(result.exitCode, 2) << args[1];
        EXPECT_EQ(result.out, "");
        EXPECT_THAT(result.err, HasSubstr(args[1]));
    }
    EXPECT_EQ(stored("ccCards"), "\n");
}

} // namespace vendaxo::test
