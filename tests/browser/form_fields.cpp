// Prints the forms of a page as the snippet reader sees them, for the browser
// test to hold against what Chromium makes of the same page: one JSON array,
// per form its fields as [name, value] pairs in order, value null when the
// element has none. Usage: form_fields PAGE
#include "base/file_io.h"
#include "base/html_forms.h"
#include "base/json.h"
#include "snippets/page_text.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    using namespace vendaxo;
    if (argc != 2) {
        std::fputs("usage: form_fields PAGE\n", stderr);
        return 2;
    }
    try {
        const std::string bytes = readFileBytes(argv[1]);
        const PageText page(bytes);
        std::vector<std::string> forms;
        for (const HtmlForm& form : readHtmlForms(page.text())) {
            std::vector<std::string> fields;
            for (const HtmlControl& control : form.controls)
                fields.push_back(jsonArray({jsonString(control.name),
                                            control.value ? jsonString(*control.value) : "null"}));
            forms.push_back(jsonArray(fields));
        }
        const std::string text = jsonArray(forms) + "\n";
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "form_fields: %s\n", error.what());
        return 1;
    }
}
