#include "site/form_content.h"

#include <algorithm>
#include <array>

namespace vendaxo {

namespace {

// The minimum order group travels in comments: "vdx_minimumrate=25".
constexpr std::string_view kSettingCommentPrefix = "vdx_";
constexpr std::string_view kMinimumCommentPrefix = "vdx_minimum";

// A comment's value with each run of white space as one blank: a page
// editor may turn its line ends into others.
std::string collapsedSpace(std::string_view text) {
    std::string out;
    bool space = false;
    for (char c : text) {
        const bool isSpace = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
        if (!isSpace && space && !out.empty())
            out += ' ';
        if (!isSpace)
            out += c;
        space = isSpace;
    }
    return out;
}

std::string fieldText(const HtmlControl& control) {
    std::string text = control.element + " " + control.type;
    if (control.element == "select") {
        for (const HtmlOption& option : control.options)
            text += '\n' + option.value;
    } else if (control.value) {
        text += '=' + *control.value;
    }
    return text;
}

struct FieldGroup {
    std::string_view name; // a whole name, or a prefix when it ends in "_"
    SettingGroup group;
};

// The checkout form's fields that the store's settings decide. A name ending
// in "*" is the same field, required.
constexpr std::array<FieldGroup, 29> kCheckoutFields = {{
    {"billstate", SettingGroup::TaxTable},
    {"shipstate", SettingGroup::TaxTable},
    {"ziptaxes", SettingGroup::TaxTable},
    {"tax_shipping", SettingGroup::TaxTable},
    {"shipping", SettingGroup::Shipping},
    {"baseshiprate", SettingGroup::Shipping},
    {"shiprate", SettingGroup::Shipping},
    {"shipmessage", SettingGroup::Shipping},
    {"vdx_minimumship", SettingGroup::Shipping},
    {"vdx_ratecomparison", SettingGroup::Shipping},
    {"ups_", SettingGroup::Shipping},
    // The UPS form is sent to another function of the cart server.
    {"function", SettingGroup::Shipping},
    {"vdxaction", SettingGroup::Shipping},
    {"billcountry", SettingGroup::InternationalShipping},
    {"shipcountry", SettingGroup::InternationalShipping},
    // LinkPoint takes the card details itself: the form has no payment rows.
    {"cardtype", SettingGroup::CardVerification},
    {"cardnumber", SettingGroup::CardVerification},
    {"cardexpire", SettingGroup::CardVerification},
    {"ACCTNO", SettingGroup::CardVerification},
    {"ABACODE", SettingGroup::CardVerification},
    {"BANKNAME", SettingGroup::CardVerification},
    {"vdx_discount_", SettingGroup::Discount},
    {"vdx_handling_", SettingGroup::Handling},
    {"vdx_insurance_", SettingGroup::Insurance},
    {"vdx_shopcolors", SettingGroup::Colours},
    {"confirmmessage", SettingGroup::Confirmation},
    {"mainurl", SettingGroup::MainPage},
    {"currency", SettingGroup::Currency},
    {"merchantname", SettingGroup::Company},
}};

// What the buttons carry from the store: the rest is the button's own.
constexpr std::array<FieldGroup, 3> kButtonFields = {{
    {"vdx_shopcolors", SettingGroup::Colours},
    {"currency", SettingGroup::Currency},
    {"merchantname", SettingGroup::Company},
}};

bool matches(std::string_view pattern, std::string_view name) {
    return pattern.ends_with('_') ? name.starts_with(pattern) : name == pattern;
}

template <std::size_t N>
std::optional<SettingGroup> lookUp(const std::array<FieldGroup, N>& table, std::string_view name) {
    if (name.ends_with('*'))
        name.remove_suffix(1);
    for (const FieldGroup& field : table) {
        if (matches(field.name, name))
            return field.group;
    }
    return std::nullopt;
}

} // namespace

FormContent formContent(const HtmlForm& form) {
    FormContent content;
    content.reserve(form.controls.size() + form.comments.size() + 1);
    if (const std::string* action = form.attribute("action"))
        content.push_back({{FormPartKind::Action, {}}, *action});
    for (const HtmlControl& control : form.controls) {
        if (!control.name.empty())
            content.push_back({{FormPartKind::Field, control.name}, fieldText(control)});
    }
    for (const std::string& comment : form.comments) {
        if (!comment.starts_with(kSettingCommentPrefix))
            continue;
        const std::size_t equals = comment.find('=');
        content.push_back({{FormPartKind::Comment, comment.substr(0, equals)},
                           equals == std::string::npos
                               ? std::string()
                               : collapsedSpace(std::string_view(comment).substr(equals + 1))});
    }
    std::stable_sort(
        content.begin(), content.end(),
        [](const FormContentEntry& a, const FormContentEntry& b) { return a.part < b.part; });
    return content;
}

std::vector<FormPart> differingParts(const FormContent& a, const FormContent& b) {
    // The entries of one part, from `at` on.
    const auto partEnd = [](const FormContent& content, FormContent::const_iterator at) {
        const FormPart& part = at->part;
        while (at != content.end() && at->part == part)
            ++at;
        return at;
    };
    std::vector<FormPart> parts;
    auto left = a.begin();
    auto right = b.begin();
    while (left != a.end() || right != b.end()) {
        if (right == b.end() || (left != a.end() && left->part < right->part)) {
            parts.push_back(left->part);
            left = partEnd(a, left);
        } else if (left == a.end() || right->part < left->part) {
            parts.push_back(right->part);
            right = partEnd(b, right);
        } else {
            const auto leftEnd = partEnd(a, left);
            const auto rightEnd = partEnd(b, right);
            if (!std::equal(left, leftEnd, right, rightEnd))
                parts.push_back(left->part);
            left = leftEnd;
            right = rightEnd;
        }
    }
    return parts;
}

std::string formPartName(const FormPart& part) {
    switch (part.kind) {
    case FormPartKind::Action:
        return "the action";
    case FormPartKind::Comment:
        return "the comment " + part.name;
    case FormPartKind::Field:
        break;
    }
    return part.name;
}

bool hasPart(const FormContent& content, const FormPart& part) {
    return std::binary_search(
        content.begin(), content.end(), FormContentEntry{part, {}},
        [](const FormContentEntry& a, const FormContentEntry& b) { return a.part < b.part; });
}

std::string_view settingGroupName(SettingGroup group) {
    constexpr std::array<std::string_view, 15> names = {"tax table",
                                                        "shipping method and rates",
                                                        "international shipping",
                                                        "card verification",
                                                        "minimum order",
                                                        "discount",
                                                        "handling",
                                                        "insurance",
                                                        "colours",
                                                        "confirmation message",
                                                        "main page address",
                                                        "currency",
                                                        "cart server address",
                                                        "order retrieval address",
                                                        "company"};
    return names[static_cast<std::size_t>(group)];
}

std::optional<SettingGroup> settingGroupOf(SnippetKind kind, const FormPart& part) {
    if (part.kind == FormPartKind::Action)
        return kind == SnippetKind::RetrieveOrders ? SettingGroup::OrderRetrieval
                                                   : SettingGroup::CartServer;
    if (part.kind == FormPartKind::Comment)
        return kind == SnippetKind::Checkout && part.name.starts_with(kMinimumCommentPrefix)
                   ? std::optional(SettingGroup::MinimumOrder)
                   : std::nullopt;
    if (kind == SnippetKind::Checkout)
        return lookUp(kCheckoutFields, part.name);
    return lookUp(kButtonFields, part.name);
}

} // namespace vendaxo
