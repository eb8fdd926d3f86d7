#include "site/catalogue_update.h"

#include "base/error.h"
#include "snippets/purchase_snippet.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace vendaxo {

namespace {

// A row's purchase form as the purchase command builds it now, from "<form"
// to "</form>": the line end after a form in a page is the page's own.
struct BuiltForm {
    std::string html;
    HtmlForm form;
};

BuiltForm buildRowForm(const CatalogueRow& row, const SiteSettings& settings) {
    const std::string html =
        buildPurchaseSnippet(row.product, settings.profile, settings.checkout.shopColours);
    std::vector<HtmlForm> forms = readHtmlForms(html);
    if (forms.size() != 1 || !forms[0].end)
        throw Error("the purchase form of \"" + row.product.sku + "\" could not be read back");
    std::string own = html.substr(forms[0].begin, *forms[0].end - forms[0].begin);
    return {std::move(own), std::move(forms[0])};
}

// What the form on the page says differently from its row: the settings by
// their names, the form's own fields by theirs.
std::string differences(const HtmlForm& found, const HtmlForm& built) {
    std::string text;
    std::vector<std::string> named;
    for (const FormPart& part : differingParts(formContent(found), formContent(built))) {
        const std::optional<SettingGroup> group = settingGroupOf(SnippetKind::Purchase, part);
        std::string name = group ? std::string(settingGroupName(*group)) : formPartName(part);
        if (std::find(named.begin(), named.end(), name) != named.end())
            continue;
        text += (text.empty() ? "" : ", ") + name;
        named.push_back(std::move(name));
    }
    return text.empty() ? "its layout" : text;
}

bool isMatched(const FormUpdate& form) {
    return form.outcome == FormUpdateOutcome::Updated || form.outcome == FormUpdateOutcome::InLine;
}

class PagePlanner {
public:
    PagePlanner(const RowsBySku& rows, const SiteSettings& settings, CataloguePagePlan& plan)
        : m_rows(rows), m_settings(settings), m_plan(plan) {}

    void plan() {
        if (!mayHoldForm(m_plan.read.bytes))
            return;
        const std::vector<ReadForm> forms = readSnippetForms(m_plan.read.bytes);
        std::vector<bool> rebuilt(forms.size());
        for (std::size_t i = 0; i < forms.size(); ++i) {
            if (forms[i].snippet.kind == SnippetKind::Purchase)
                rebuilt[i] = purchase(forms[i]);
        }
        if (m_replacements.empty())
            return;
        // What each form is to be once the page is written.
        std::vector<FormState> expected;
        for (std::size_t i = 0; i < forms.size(); ++i)
            expected.push_back(rebuilt[i] ? FormState::Current
                                          : judgeForm(forms[i], m_settings).state);
        m_plan.bytes =
            rebuildPage(m_plan.read.bytes, std::move(m_replacements), expected, m_settings);
    }

private:
    // Plans one purchase form; true when it is to be rebuilt.
    bool purchase(const ReadForm& form) {
        const ReadSnippet& snippet = form.snippet;
        FormUpdate& update = m_plan.forms.emplace_back();
        update.place = {m_plan.page, snippet.line};
        update.sku = snippet.product.sku;
        if (!snippet.problems.empty() ||
            snippet.merchant.merchant != m_settings.profile.merchantNumber) {
            const FormVerdict verdict = judgeForm(form, m_settings);
            update.outcome = FormUpdateOutcome::LeftAlone;
            update.details =
                (verdict.state == FormState::Damaged ? "damaged: " : "another merchant's form: ") +
                verdict.details;
            return false;
        }
        const auto row = m_rows.find(snippet.product.sku);
        if (row == m_rows.end()) {
            update.outcome = FormUpdateOutcome::NotInList;
            return false;
        }
        BuiltForm built = buildRowForm(*row->second, m_settings);
        if (!m_document)
            m_document = decodePage(m_plan.read.bytes);
        const ByteRange range = *snippet.range;
        if (std::string_view(m_plan.read.bytes).substr(range.begin, range.end - range.begin) ==
            htmlInPage(built.html, *m_document))
            return false;
        update.outcome = FormUpdateOutcome::Updated;
        update.details = differences(form.form, built.form);
        m_replacements.push_back({range.begin, range.end, std::move(built.html)});
        return true;
    }

    const RowsBySku& m_rows;
    const SiteSettings& m_settings;
    CataloguePagePlan& m_plan;
    // The page's encoding and line ends, read once a form is compared.
    std::optional<PageDocument> m_document;
    std::vector<PageReplacement> m_replacements;
};

} // namespace

RowsBySku rowsBySku(const std::vector<CatalogueRow>& rows) {
    RowsBySku bySku;
    bySku.reserve(rows.size());
    for (const CatalogueRow& row : rows)
        bySku.emplace(row.product.sku, &row);
    return bySku;
}

CataloguePagePlan planCataloguePage(const SitePage& page, std::size_t index, const RowsBySku& rows,
                                    const SiteSettings& settings) {
    CataloguePagePlan plan;
    plan.page = index;
    plan.read = PageOnDisk::read(page.file);
    try {
        PagePlanner(rows, settings, plan).plan();
    } catch (const Error& error) {
        throw Error(page.name + ": " + error.what());
    }
    return plan;
}

std::size_t CatalogueUpdateReport::count(FormUpdateOutcome outcome) const {
    return static_cast<std::size_t>(
        std::count_if(forms.begin(), forms.end(),
                      [outcome](const FormUpdate& form) { return form.outcome == outcome; }));
}

CatalogueUpdateReport updateCatalogue(const std::vector<CatalogueRow>& rows,
                                      const std::vector<std::filesystem::path>& roots,
                                      const SiteSettings& settings, RefreshMode mode,
                                      const SiteProgress& progress) {
    SitePages listed = listSitePages(roots);
    CatalogueUpdateReport report;
    report.pages = std::move(listed.pages);
    report.failures = std::move(listed.failures);
    const RowsBySku bySku = rowsBySku(rows);
    std::unordered_set<std::string> found;
    for (std::size_t i = 0; i < report.pages.size(); ++i) {
        const SitePage& page = report.pages[i];
        try {
            CataloguePagePlan plan = planCataloguePage(page, i, bySku, settings);
            for (const FormUpdate& form : plan.forms) {
                if (isMatched(form))
                    found.insert(form.sku);
            }
            if (applyPageRewrite(plan, mode, page.name, report.failures)) {
                report.pagesWritten += !plan.bytes.empty();
            } else {
                for (FormUpdate& form : plan.forms) {
                    if (form.outcome == FormUpdateOutcome::Updated) {
                        form.outcome = FormUpdateOutcome::LeftAlone;
                        form.details = "the page was not written";
                    }
                }
            }
            report.forms.insert(report.forms.end(), plan.forms.begin(), plan.forms.end());
        } catch (const Error& error) {
            report.failures.push_back({page.name, error.what()});
        }
        if (progress && !progress(i + 1, report.pages.size())) {
            report.stopped = i + 1 < report.pages.size();
            break;
        }
    }
    if (report.stopped)
        return report;
    for (const CatalogueRow& row : rows) {
        if (!found.contains(row.product.sku))
            report.missing.push_back(&row);
    }
    return report;
}

} // namespace vendaxo
