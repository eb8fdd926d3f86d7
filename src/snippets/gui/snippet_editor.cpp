#include "snippets/gui/snippet_editor.h"

#include "shell/gui/qt_text.h"
#include "shell/merchant_session.h"
#include "snippets/snippet_reader.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace vendaxo {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("vendaxo::SnippetEditor", text);
}

QString kindText(SnippetKind kind) {
    switch (kind) {
    case SnippetKind::Purchase:
        return tr("purchase button");
    case SnippetKind::ViewCart:
        return tr("view-cart button");
    case SnippetKind::RetrieveOrders:
        return tr("retrieve-orders button");
    case SnippetKind::Checkout:
        break;
    }
    return tr("checkout form");
}

} // namespace

QString otherMerchantMessage(const SnippetMerchant& form, const MerchantSession& session,
                             const Installation& installation) {
    const MerchantProfile& current = session.profile();
    if (form.merchant.empty())
        return tr("This form names no merchant, so Vendaxo cannot tell whose it is.");
    if (!session.needsChoice() && form.merchant == current.merchantNumber)
        return {};
    const std::vector<std::string> numbers = installation.merchantNumbers();
    const auto installed = std::find(numbers.begin(), numbers.end(), form.merchant);
    if (installed == numbers.end())
        return tr("This form belongs to merchant %1, who is not installed here. Vendaxo edits "
                  "only the forms of the current merchant.")
            .arg(toQt(form.merchant));
    const std::vector<std::string> companies = installation.companyNames();
    const auto index = static_cast<std::size_t>(installed - numbers.begin());
    const QString owner =
        tr("%1 (merchant %2)")
            .arg(toQt(index < companies.size() ? companies[index] : ""), toQt(form.merchant));
    if (session.needsChoice())
        return tr("This form belongs to %1. Choose that merchant in the Vendaxo window to edit it.")
            .arg(owner);
    return tr("This form belongs to %1, not to the current merchant %2 (merchant %3). Vendaxo "
              "edits only the forms of the current merchant.")
        .arg(owner, toQt(current.companyName), toQt(current.merchantNumber));
}

QString damagedFormMessage(const ReadSnippet& snippet) {
    QStringList problems;
    for (const std::string& problem : snippet.problems)
        problems << QStringLiteral("- ") + toQt(problem);
    return tr("The %1 on line %2 is damaged, so it cannot be edited:\n%3")
        .arg(kindText(snippet.kind))
        .arg(static_cast<qulonglong>(snippet.line))
        .arg(problems.join(QLatin1Char('\n')));
}

} // namespace vendaxo
