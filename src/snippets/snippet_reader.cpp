#include "snippets/snippet_reader.h"

#include "shell/merchant_profile.h"
#include "snippets/page_text.h"
#include "snippets/snippet_fields.h"

#include <array>

namespace vendaxo {

namespace {

struct KindField {
    SnippetKind kind;
    std::string_view field;
};
constexpr std::array<KindField, 4> kKindFields = {{
    {SnippetKind::Purchase, "additem"},
    {SnippetKind::ViewCart, "openshopcart"},
    {SnippetKind::RetrieveOrders, "getorders"},
    {SnippetKind::Checkout, "checkout"},
}};

std::string_view fieldOf(SnippetKind kind) {
    return kKindFields[static_cast<std::size_t>(kind)].field;
}

// The kind of a Vendaxo form: its first submit field of a kind, when it also
// carries the merchant field.
std::optional<SnippetKind> kindOf(const HtmlForm& form) {
    std::optional<SnippetKind> kind;
    bool merchant = false;
    for (const HtmlControl& control : form.controls) {
        merchant = merchant || control.name == "merchant";
        for (const KindField& field : kKindFields) {
            if (!kind && control.name == field.field)
                kind = field.kind;
        }
    }
    return merchant ? kind : std::nullopt;
}

void readCommonFields(FormFields& fields) {
    SnippetMerchant& merchant = fields.snippet().merchant;
    const std::optional<std::string> number = fields.required("merchant");
    const std::optional<std::string> company = fields.required("merchantname");
    const std::string* action = fields.form().attribute("action");
    if (!action)
        fields.problem("the form has no action");
    merchant.merchant = number.value_or("");
    merchant.company = company.value_or("");
    merchant.action = action ? *action : "";
    merchant.currency = fields.optional("currency").value_or(std::string(kMoneySign));
    merchant.shopColours = fields.optional("vdx_shopcolors").value_or("");
    fields.set("merchant", number);
    fields.set("company", company);
    fields.set("action", action ? std::optional(*action) : std::nullopt);
    fields.set("currency", merchant.currency);
    fields.set("shopcolors", merchant.shopColours);
}

} // namespace

std::string_view snippetKindName(SnippetKind kind) {
    constexpr std::array<std::string_view, 4> names = {"purchase", "view-cart", "retrieve-orders",
                                                       "checkout"};
    return names[static_cast<std::size_t>(kind)];
}

MerchantProfile SnippetMerchant::profile() const {
    MerchantProfile profile;
    profile.merchantNumber = merchant;
    profile.companyName = company;
    profile.cartServerAddress = action;
    profile.orderRetrievalAddress = action;
    profile.mainPageAddress = mainPage;
    profile.confirmationMessage = confirmation;
    profile.currencySymbol = currency;
    profile.moneySign = std::string(kMoneySign);
    return profile;
}

std::string readListTitle(std::size_t list) {
    return "List " + std::to_string(list + 1);
}

const HtmlControl* FormFields::field(std::string_view name) const {
    for (const HtmlControl& control : m_form.controls) {
        if (control.name == name)
            return &control;
    }
    return nullptr;
}

std::optional<std::string> FormFields::required(std::string_view name) {
    const HtmlControl* control = field(name);
    if (!control)
        problem("no " + std::string(name) + " field");
    else if (!control->value)
        problem("the " + std::string(name) + " field has no value");
    return control ? control->value : std::nullopt;
}

std::optional<std::string> FormFields::optional(std::string_view name) {
    const HtmlControl* control = field(name);
    if (control && !control->value)
        problem("the " + std::string(name) + " field has no value");
    return control ? control->value : std::nullopt;
}

void FormFields::set(std::string_view name, SnippetValue value) {
    m_snippet.values.push_back({std::string(name), std::move(value)});
}

bool isNumberText(std::string_view text) {
    std::size_t at = 0;
    const auto digits = [&] {
        const std::size_t start = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        return at - start;
    };
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    std::size_t count = digits();
    if (at < text.size() && text[at] == '.') {
        ++at;
        count += digits();
    }
    if (count == 0)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '-' || text[at] == '+'))
            ++at;
        if (digits() == 0)
            return false;
    }
    return at == text.size();
}

std::vector<ReadForm> readSnippetForms(std::string_view pageBytes) {
    const PageText page(pageBytes);
    LineCounter lines(page.text());
    std::vector<ReadForm> read;
    for (HtmlForm& form : readHtmlForms(page.text())) {
        const std::optional<SnippetKind> kind = kindOf(form);
        if (!kind)
            continue;
        ReadSnippet& snippet = read.emplace_back().snippet;
        snippet.kind = *kind;
        snippet.line = lines.lineAt(form.begin);
        FormFields fields(form, snippet);
        if (form.end)
            snippet.range = ByteRange{page.byteOffset(form.begin), page.byteOffset(*form.end)};
        else
            fields.problem("no </form>");
        for (const KindField& other : kKindFields) {
            if (other.kind != *kind && fields.field(other.field))
                fields.problem("it also carries the " + std::string(other.field) + " field");
        }
        switch (*kind) {
        case SnippetKind::Purchase:
            readPurchase(fields);
            break;
        case SnippetKind::ViewCart:
        case SnippetKind::RetrieveOrders:
            readButton(fields, fieldOf(*kind));
            break;
        case SnippetKind::Checkout:
            readCheckout(fields);
            break;
        }
        readCommonFields(fields);
        if (form.end)
            read.back().source = page.text().substr(form.begin, *form.end - form.begin);
        read.back().form = std::move(form);
    }
    return read;
}

std::vector<ReadSnippet> readSnippets(std::string_view pageBytes) {
    std::vector<ReadSnippet> snippets;
    for (ReadForm& form : readSnippetForms(pageBytes))
        snippets.push_back(std::move(form.snippet));
    return snippets;
}

} // namespace vendaxo
