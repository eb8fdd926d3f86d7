#include "base/html_forms.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vendaxo {
namespace {

// Each form's elements as "name=value" ("name" alone when there is no value).
std::vector<std::vector<std::string>> elements(std::string_view html) {
    std::vector<std::vector<std::string>> forms;
    for (const HtmlForm& form : readHtmlForms(html)) {
        std::vector<std::string>& controls = forms.emplace_back();
        for (const HtmlControl& control : form.controls)
            controls.push_back(control.name + (control.value ? "=" + *control.value : ""));
    }
    return forms;
}

using Forms = std::vector<std::vector<std::string>>;

TEST(HtmlFormsTest, GivesAFormTheControlsUpToItsEndTag) {
    // A form start tag inside a form is ignored; closing an element around the
    // form does not end it, its end tag does.
    EXPECT_EQ(elements("<div><form action=1><form action=2><input name=a></div>"
                       "<input name=b value=2></form><input name=c><form><input name=d></form>"),
              (Forms{{"a", "b=2"}, {"d"}}));
    EXPECT_EQ(elements("<table><form><tr><td><input name=a></td></tr>"
                       "<input type=hidden name=h value=x></form><tr><td><input name=z></table>"),
              (Forms{{"a", "h=x"}}));
    const std::vector<HtmlForm> forms = readHtmlForms("<p>a<FORM Action='x'>b</Form >c<form>");
    ASSERT_EQ(forms.size(), 2U);
    EXPECT_EQ(forms[0].begin, 4U);
    EXPECT_EQ(forms[0].end, 30U);
    EXPECT_EQ(*forms[0].attribute("action"), "x");
    EXPECT_EQ(forms[1].end, std::nullopt);
}

TEST(HtmlFormsTest, ListsTheElementsABrowserLists) {
    EXPECT_EQ(elements("<form><input type=IMAGE name=i><fieldset name=f></fieldset>"
                       "<output name=o>out</output><object name=ob></object>"
                       "<button name=b value=v></button><textarea name=t>\r\nline</textarea>"
                       "<input type=radio name=r value=1><keygen name=k></form>"),
              (Forms{{"f", "o=out", "ob", "b=v", "t=line", "r=1"}}));
    // A control that names another form belongs to that one.
    EXPECT_EQ(elements("<form id=a><input name=x form=b><input name=y form=a></form>"),
              (Forms{{"y"}}));
}

TEST(HtmlFormsTest, FindsNoFormInCommentsScriptsTemplatesOrSvg) {
    EXPECT_EQ(elements("<!-- <form><input name=a></form> -->"
                       "<script>document.write('<form><input name=b></form>')</script>"
                       "<template><form><input name=c></form></template>"
                       "<svg><form><input name=d></form></svg>"
                       "<textarea><form></textarea><form><input name=e></form>"),
              (Forms{{"e"}}));
}

TEST(HtmlFormsTest, KeepsTheCommentsInsideAForm) {
    const std::vector<HtmlForm> forms =
        readHtmlForms("<!--before--><form><table><!--vdx_a=1--><tr><td><!-- b --></td></tr>"
                      "</table><template><!--t--></template></form><!--after--><form></form>");
    ASSERT_EQ(forms.size(), 2U);
    EXPECT_THAT(forms[0].comments, ::testing::ElementsAre("vdx_a=1", " b "));
    EXPECT_TRUE(forms[1].comments.empty());
}

TEST(HtmlFormsTest, GivesASelectTheValueItShows) {
    EXPECT_EQ(elements("<form><select name=a><option value=1>x<option selected>  two \n "
                       "words </option><option selected value=3>y</select>"
                       "<select name=b><option disabled value=1><option value=2></select>"
                       "<select name=c multiple><option value=1><option value=2 selected>"
                       "<option value=3 selected></select>"
                       "<select name=d size=3><option value=1></select>"
                       "<select name=e></select></form>"),
              (Forms{{"a=3", "b=2", "c=2", "d=", "e="}}));
    const std::vector<HtmlForm> forms =
        readHtmlForms("<form><select name=s><option> <b>Large</b> (add $2)<script>x</script>"
                      "<option value='v'>&amp; more</select></form>");
    ASSERT_EQ(forms.size(), 1U);
    const std::vector<HtmlOption>& options = forms[0].controls[0].options;
    ASSERT_EQ(options.size(), 2U);
    EXPECT_EQ(options[0].text, " Large (add $2)");
    EXPECT_EQ(options[0].value, "Large (add $2)");
    EXPECT_EQ(options[1].text, "& more");
    EXPECT_EQ(options[1].value, "v");
}

TEST(HtmlFormsTest, EndsASelectWhereABrowserDoes) {
    // An input or another select ends the open select; a form end tag inside
    // it does not end the form.
    EXPECT_EQ(elements("<form><select name=a><option>1<input name=b><option>2</select>"
                       "<select name=c><option>3<select name=d><option>4</select>"
                       "<select name=e><option>5</form><input name=f></select></form>"
                       "<input name=g>"),
              (Forms{{"a=1", "b", "c=3", "e=5", "f"}}));
}

TEST(HtmlFormsTest, TakesTheTextAfterARadioButtonAsItsLabel) {
    const std::vector<HtmlForm> forms =
        readHtmlForms("<form><p><input type=Radio name=r value=1>Small&nbsp;&nbsp;"
                      "<input type=radio name=r value=2><b>Large</b> (add $2)</p>after"
                      "<input type=radio name=s value=3>x<br>y</form>");
    ASSERT_EQ(forms.size(), 1U);
    const std::vector<HtmlControl>& radios = forms[0].controls;
    ASSERT_EQ(radios.size(), 3U);
    EXPECT_EQ(radios[0].type, "radio");
    EXPECT_EQ(radios[0].followingText, "Small\u00A0\u00A0");
    EXPECT_EQ(radios[1].followingText, "Large (add $2)");
    EXPECT_EQ(radios[2].followingText, "x");
}

} // namespace
} // namespace vendaxo
