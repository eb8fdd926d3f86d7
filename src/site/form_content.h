#pragma once

#include "base/html_forms.h"
#include "snippets/snippet_reader.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

// What a form tells the cart server, apart from how it is laid out: where it
// posts, its fields and the settings it carries in comments.
enum class FormPartKind { Action, Field, Comment };
struct FormPart {
    FormPartKind kind = FormPartKind::Field;
    std::string name; // a field's name; a comment's text before "="

    auto operator<=>(const FormPart&) const = default;
};

// Each part with what it holds, sorted by part and in page order for a name
// given to several fields. A field holds its element and type and its value,
// or a select the values of its options (the one shown is the shopper's
// choice, not a setting). Labels, layout and other comments are left out: a
// page editor or the merchant may change them without changing what the form
// does.
struct FormContentEntry {
    FormPart part;
    std::string content;

    bool operator==(const FormContentEntry&) const = default;
};
using FormContent = std::vector<FormContentEntry>;

FormContent formContent(const HtmlForm& form);

// The parts whose content differs between two forms, in part order.
std::vector<FormPart> differingParts(const FormContent& a, const FormContent& b);
// "the action", "the comment NAME", or the field's name.
std::string formPartName(const FormPart& part);
// Whether the form has the part at all.
bool hasPart(const FormContent& content, const FormPart& part);

// The settings a form carries, as the merchant knows them from the dialogs.
enum class SettingGroup {
    TaxTable,
    Shipping,
    InternationalShipping,
    CardVerification,
    MinimumOrder,
    Discount,
    Handling,
    Insurance,
    Colours,
    Confirmation,
    MainPage,
    Currency,
    CartServer,
    OrderRetrieval,
    Company,
};
// "tax table", "shipping method and rates", ...
std::string_view settingGroupName(SettingGroup group);

// The setting that decides a part of a form of this kind; none for a part the
// form decides itself (its product, payment options, required values, button)
// or one the program never writes there.
std::optional<SettingGroup> settingGroupOf(SnippetKind kind, const FormPart& part);

} // namespace vendaxo
