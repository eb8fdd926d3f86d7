#include "site/form_verdict.h"

#include "shell/merchant_session.h"
#include "snippets/button_snippets.h"
#include "snippets/purchase_snippet.h"

#include <algorithm>

namespace vendaxo {

namespace {

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : std::string(separator)) + part;
    return text;
}

std::string merchantText(std::string_view number, std::string_view company) {
    return "merchant " + std::string(number) +
           (company.empty() ? std::string() : " (" + std::string(company) + ")");
}

// Whose form it is, by the merchants installed here when it is one of them.
std::string otherMerchant(const SnippetMerchant& form, const SiteSettings& settings) {
    const std::vector<std::string> numbers = settings.installation.merchantNumbers();
    const std::vector<std::string> companies = settings.installation.companyNames();
    const auto installed = std::find(numbers.begin(), numbers.end(), form.merchant);
    const std::string current =
        settings.profile.merchantNumber + (settings.profile.companyName.empty()
                                               ? std::string()
                                               : " (" + settings.profile.companyName + ")");
    if (installed == numbers.end())
        return merchantText(form.merchant, form.company) +
               " is not installed here; the current merchant is " + current;
    const auto index = static_cast<std::size_t>(installed - numbers.begin());
    return merchantText(form.merchant, index < companies.size() ? companies[index] : "") +
           " is another merchant installed here; the current merchant is " + current;
}

std::string freshHtml(const ReadSnippet& form, const SiteSettings& settings) {
    const MerchantProfile& profile = settings.profile;
    switch (form.kind) {
    case SnippetKind::Purchase:
        return buildPurchaseSnippet(
            productInCurrency(form.product, form.merchant.currency, profile.currencySymbol),
            profile, settings.checkout.shopColours);
    case SnippetKind::ViewCart:
        return buildViewCartSnippet(form.caption, profile, settings.checkout.shopColours);
    case SnippetKind::RetrieveOrders:
        return buildRetrieveOrdersSnippet(form.caption, profile);
    case SnippetKind::Checkout:
        break;
    }
    return buildCheckoutSnippet(form.checkout.choices, settings.checkout, profile);
}

// Sorts the differing parts of a stale form: settings, fields only the found
// form has and the program does not write, and the form's own values.
void compare(const FormContent& found, const FormContent& fresh, SnippetKind kind,
             FormVerdict& verdict) {
    std::vector<std::string> ownChanges;
    for (const FormPart& part : differingParts(found, fresh)) {
        if (const std::optional<SettingGroup> group = settingGroupOf(kind, part)) {
            if (std::find(verdict.groups.begin(), verdict.groups.end(), *group) ==
                verdict.groups.end())
                verdict.groups.push_back(*group);
        } else if (part.kind == FormPartKind::Field && !hasPart(fresh, part)) {
            verdict.dropped.push_back(part.name);
        } else {
            ownChanges.push_back(formPartName(part));
        }
    }
    std::sort(verdict.groups.begin(), verdict.groups.end());
    if (verdict.groups.empty())
        return;
    verdict.state = FormState::Stale;
    if (!ownChanges.empty())
        verdict.notRefreshable = "rebuilding it would also change what the form says itself (" +
                                 joined(ownChanges, ", ") + "); insert it again instead";
}

} // namespace

SiteSettings SiteSettings::load(MerchantSession& session) {
    SiteSettings settings;
    settings.checkout = CheckoutSettings::load(session.store());
    // What the checkout's Insert does first.
    settings.checkout.options.applyTo(session);
    settings.profile = session.profile();
    settings.installation = Installation::load(session.store());
    return settings;
}

Product productInCurrency(Product product, std::string_view from, std::string_view to) {
    if (from == to)
        return product;
    OptionGrid& grid = product.options;
    for (std::size_t c = 0; c < grid.columnCount(); ++c) {
        for (std::size_t r = 1; r < grid.rowCount(); ++r) {
            if (!grid.cell(c, r).empty())
                grid.setCell(c, r, OptionItem::parse(grid.cell(c, r), from).text(to));
        }
    }
    return product;
}

FormVerdict judgeForm(const ReadForm& form, const SiteSettings& settings) {
    const ReadSnippet& snippet = form.snippet;
    FormVerdict verdict;
    if (!snippet.problems.empty()) {
        verdict.state = FormState::Damaged;
        verdict.details = joined(snippet.problems, "; ");
        return verdict;
    }
    if (snippet.merchant.merchant != settings.profile.merchantNumber) {
        verdict.state = FormState::OtherMerchant;
        verdict.details = otherMerchant(snippet.merchant, settings);
        return verdict;
    }
    // The builders write UTF-8: the fresh form needs no page decoding, and the
    // refresh reads every rebuilt form back as a snippet before it writes.
    std::string html = freshHtml(snippet, settings);
    // Most forms stand as Insert wrote them.
    if (std::string_view(html).substr(0, html.size() - 1) == form.source && html.ends_with('\n'))
        return verdict;
    const std::vector<HtmlForm> fresh = readHtmlForms(html);
    const bool readable = fresh.size() == 1 && fresh[0].end;
    compare(formContent(form.form), readable ? formContent(fresh[0]) : FormContent(), snippet.kind,
            verdict);
    if (verdict.state != FormState::Stale)
        return verdict;
    // From "<form" to "</form>", as the range it replaces: the line end after
    // it is the page's own.
    if (readable)
        html = html.substr(fresh[0].begin, *fresh[0].end - fresh[0].begin);
    verdict.refreshed = std::move(html);
    if (!readable)
        verdict.notRefreshable = "the form Insert would write now could not be read back";
    else if (snippet.kind == SnippetKind::Checkout && settings.profile.mainPageAddress.empty())
        verdict.notRefreshable = "the main page address is not set in the options";
    return verdict;
}

} // namespace vendaxo
