#pragma once

#include "base/html_tokenizer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

struct HtmlOption {
    std::string value; // the value attribute, else the text stripped and collapsed
    std::string text;  // as it stands, references decoded, script text left out
    bool selected = false;
    bool disabled = false;
};

// One entry of a form's elements list.
struct HtmlControl {
    std::string element; // input, select, textarea, button, fieldset, output or object
    std::string type;    // an input's type in lower case ("text" when not given), else ""
    std::string name;
    // An input's or button's value attribute, a select's selected option's
    // value, the text of a textarea or output; none for the others.
    std::optional<std::string> value;
    std::vector<HtmlOption> options; // a select's
    // A radio button's label: the text after it up to the next control,
    // paragraph, line break or the end of the form.
    std::string followingText;
};

struct HtmlForm {
    std::size_t begin = 0;          // the "<" of its start tag in the text
    std::optional<std::size_t> end; // just after its end tag; none when the text ends first
    std::vector<HtmlAttribute> attributes;
    std::vector<HtmlControl> controls;
    // The data of the comments inside the form, in page order: the form's own
    // settings may travel in them.
    std::vector<std::string> comments;

    const std::string* attribute(std::string_view name) const;
};

// The forms of a page in page order, each with the controls a browser gives
// it: a form start tag inside an open form is ignored and its end tag ends the
// form, whatever elements lie between; forms and controls inside svg, math and
// templates are not the document's.
std::vector<HtmlForm> readHtmlForms(std::string_view text);

} // namespace vendaxo
