#pragma once

#include "base/html_forms.h"
#include "snippets/snippet_reader.h"

#include <optional>
#include <string>
#include <string_view>

namespace vendaxo {

// Reading one recognised form: its fields by name, and what the reading finds
// written into the snippet as named values and problems.
class FormFields {
public:
    FormFields(const HtmlForm& form, ReadSnippet& snippet) : m_form(form), m_snippet(snippet) {}

    const HtmlForm& form() const { return m_form; }
    ReadSnippet& snippet() { return m_snippet; }

    // The first control of that name; nullptr when there is none.
    const HtmlControl* field(std::string_view name) const;
    // A field the kind always carries: its value, or a problem and none.
    std::optional<std::string> required(std::string_view name);
    // A field that may be left out: its value, or none when it is not there.
    std::optional<std::string> optional(std::string_view name);

    void problem(std::string text) { m_snippet.problems.push_back(std::move(text)); }
    void set(std::string_view name, SnippetValue value);
    template <typename T> void set(std::string_view name, const std::optional<T>& value) {
        if (value)
            set(name, SnippetValue(*value));
        else
            set(name, SnippetValue());
    }

private:
    const HtmlForm& m_form;
    ReadSnippet& m_snippet;
};

void readPurchase(FormFields& fields);
// The caption of a view-cart or retrieve-orders button.
void readButton(FormFields& fields, std::string_view buttonField);
void readCheckout(FormFields& fields);

// The option lists of a purchase button as option data text, with their
// style; none when they cannot be read (the problems say why).
struct ReadOptionLists {
    OptionStyle style = OptionStyle::None;
    std::optional<std::string> data; // none also when the form has no lists
};
ReadOptionLists readOptionLists(FormFields& fields);

// Whether a text is a decimal number as the price normaliser writes one.
bool isNumberText(std::string_view text);

} // namespace vendaxo
