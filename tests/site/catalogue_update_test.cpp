#include "base/text_encoding.h"
#include "site/catalogue_update.h"
#include "site/site_fixture.h"
#include "snippets/page_file.h"

#include <algorithm>
#include <gmock/gmock.h>

namespace vendaxo::test {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class CatalogueUpdateTest : public SiteTest {
protected:
    // The rows of a list as a spreadsheet exports it.
    std::vector<CatalogueRow> rows(const std::string& csv) {
        Catalogue list = readCatalogue(csv, m_dir.path());
        EXPECT_THAT(list.errors, IsEmpty());
        return list.rows;
    }
    CatalogueUpdateReport update(const std::vector<CatalogueRow>& rows,
                                 RefreshMode mode = RefreshMode::Write) {
        return updateCatalogue(rows, {site()}, settings(), mode);
    }
    // "PAGE:LINE: OUTCOME SKU: details" for each purchase form, the page as
    // named below the site.
    std::vector<std::string> outcomes(const CatalogueUpdateReport& report) const {
        static constexpr std::array<std::string_view, 4> names = {"updated", "in line",
                                                                  "left alone", "not in the list"};
        std::vector<std::string> out;
        for (const FormUpdate& form : report.forms) {
            const std::filesystem::path page =
                report.pages[form.place.page].file.lexically_relative(site());
            out.push_back(page.generic_string() + ":" + std::to_string(form.place.line) + ": " +
                          std::string(names[static_cast<std::size_t>(form.outcome)]) + " " +
                          form.sku + (form.details.empty() ? "" : ": " + form.details));
        }
        return out;
    }
    // The line of a form after `before` on a page of the site.
    static std::string lineAfter(const std::string& before) {
        return std::to_string(3 + std::count(before.begin(), before.end(), '\n'));
    }
    static std::vector<std::string> skus(const std::vector<const CatalogueRow*>& rows) {
        std::vector<std::string> out;
        for (const CatalogueRow* row : rows)
            out.push_back(std::to_string(row->line) + " " + row->product.sku);
        return out;
    }
};

TEST_F(CatalogueUpdateTest, RebuildsTheFormsThatDifferFromTheirRowsAndKeepsEveryOtherByte) {
    const std::vector<CatalogueRow> list = rows("sku,price,description,weight\n"
                                                "A1,14.00,Atlas of A1,1.5\n"
                                                "A2,12.50,Atlas of A2,1.5\n"
                                                "B1,9,Atlas of B1 (2nd ed.),1.5\n");
    const std::string between = "<p>between</p>\n" + viewCart();
    const std::string a = page("a.html", purchase("A1") + between + purchase("A2"));
    const std::string b = page("shelf/b.html", checkout() + purchase("B1", "9") + purchase("A1"));

    const CatalogueUpdateReport report = update(list);
    EXPECT_THAT(outcomes(report),
                ElementsAre("a.html:3: updated A1: price",
                            "a.html:" + lineAfter(purchase("A1") + between) + ": in line A2",
                            "shelf/b.html:" + lineAfter(checkout()) + ": updated B1: description",
                            "shelf/b.html:" + lineAfter(checkout() + purchase("B1", "9")) +
                                ": updated A1: price"));
    EXPECT_EQ(report.pagesWritten, 2U);
    EXPECT_THAT(report.missing, IsEmpty());
    EXPECT_THAT(report.failures, IsEmpty());

    // Each rebuilt form is the purchase button of its row, the line end after
    // it the page's own; the view-cart button, the checkout form, the other
    // purchase form and the text around them are as they were.
    const std::string newA1 = purchase(list[0].product);
    EXPECT_EQ(readFile(site() / "a.html"),
              std::string(head) + newA1 + between + purchase("A2") + std::string(tail));
    EXPECT_EQ(readFile(site() / "shelf/b.html"), std::string(head) + checkout() +
                                                     purchase(list[2].product) + newA1 +
                                                     std::string(tail));
    EXPECT_EQ(readFile(site() / "a.html.bak"), a);
    EXPECT_EQ(readFile(site() / "shelf/b.html.bak"), b);

    // Run again, everything is in line and nothing is written.
    std::filesystem::remove(site() / "a.html.bak");
    const CatalogueUpdateReport again = update(list);
    EXPECT_THAT(outcomes(again), Each(HasSubstr(": in line ")));
    EXPECT_EQ(again.pagesWritten, 0U);
    EXPECT_FALSE(std::filesystem::exists(site() / "a.html.bak"));
    EXPECT_THAT(check().problems, IsEmpty());
}

TEST_F(CatalogueUpdateTest, AWindows1252PageKeepsItsEncodingAndLineEnds) {
    const std::string before =
        "<html><head><meta charset=\"windows-1252\"></head><body>\r\n<p>Caf\xe9</p>\r\n" +
        encodeText(withCrlf(purchase("W1", "5")), PageEncoding::Windows1252) +
        "<p>\xe9t\xe9</p>\r\n</body></html>\r\n";
    std::filesystem::create_directories(site());
    writeFile(site() / "w.html", before);
    // The list is UTF-8; what Windows-1252 cannot hold becomes a reference.
    const std::vector<CatalogueRow> list =
        rows("sku,price,description,weight\nW1,6,Carte \u00e9t\u00e9 \u4e16,1.5\n");

    EXPECT_THAT(outcomes(update(list)), ElementsAre("w.html:3: updated W1: description, price"));
    const std::string after = readFile(site() / "w.html");
    EXPECT_EQ(decodePage(after).encoding, PageEncoding::Windows1252);
    EXPECT_TRUE(decodePage(after).crlf);
    EXPECT_EQ(outsideForms(after), outsideForms(before));
    EXPECT_THAT(after, HasSubstr("Carte \xe9t\xe9 &#19990;"));
    const std::vector<ReadSnippet> read = readSnippets(after);
    ASSERT_EQ(read.size(), 1U);
    EXPECT_EQ(read[0].product.description, "Carte \u00e9t\u00e9 \u4e16");
    // The page's own bytes for the row are what the next update compares with.
    EXPECT_THAT(outcomes(update(list)), ElementsAre("w.html:3: in line W1"));
}

TEST_F(CatalogueUpdateTest, LeavesOtherMerchantsAndDamagedFormsAloneAndNamesSkusOnOneSideOnly) {
    MerchantProfile other = settings().profile;
    other.merchantNumber = "999";
    std::string damaged = purchase("D1");
    damaged.replace(damaged.find("</form>"), 7, "");
    const std::string otherForm = buildPurchaseSnippet(product("O1", "3"), other, "");
    const std::string a = page("a.html", otherForm + purchase("Z9") + viewCart());
    const std::string z = page("z.html", damaged);
    const std::vector<CatalogueRow> list = rows("sku,price,description\n"
                                                "O1,4,Atlas of O1\n"
                                                "D1,4,Atlas of D1\n"
                                                "M1,4,Atlas of M1\n");

    const CatalogueUpdateReport report = update(list);
    EXPECT_THAT(outcomes(report),
                ElementsAre("a.html:3: left alone O1: another merchant's form: merchant 999 (Blue "
                            "Heron Books & Maps) is not installed here; the current merchant is "
                            "401122 (Blue Heron Books & Maps)",
                            "a.html:" + lineAfter(otherForm) + ": not in the list Z9",
                            "z.html:3: left alone D1: damaged: no </form>"));
    EXPECT_THAT(skus(report.missing), ElementsAre("2 O1", "3 D1", "4 M1"))
        << "a SKU only on forms that cannot be updated is not on the site";
    EXPECT_EQ(report.pagesWritten, 0U);
    EXPECT_EQ(readFile(site() / "a.html"), a);
    EXPECT_EQ(readFile(site() / "z.html"), z);
    EXPECT_FALSE(std::filesystem::exists(site() / "a.html.bak"));
    EXPECT_FALSE(std::filesystem::exists(site() / "z.html.bak"));
}

TEST_F(CatalogueUpdateTest, ADryRunWritesNothingAndReportsWhatTheUpdateDoes) {
    const std::string before = page("a.html", purchase("A1") + purchase("Z9"));
    const std::vector<CatalogueRow> list = rows("sku,price,description,weight\n"
                                                "A1,13,Atlas of A1,2\n"
                                                "M1,1,Atlas of M1,1\n");

    const CatalogueUpdateReport dry = update(list, RefreshMode::DryRun);
    EXPECT_THAT(outcomes(dry),
                ElementsAre("a.html:3: updated A1: price, weight",
                            "a.html:" + lineAfter(purchase("A1")) + ": not in the list Z9"));
    EXPECT_EQ(dry.pagesWritten, 1U);
    EXPECT_EQ(readFile(site() / "a.html"), before);
    EXPECT_FALSE(std::filesystem::exists(site() / "a.html.bak"));

    const CatalogueUpdateReport done = update(list);
    EXPECT_EQ(outcomes(done), outcomes(dry));
    EXPECT_EQ(done.pagesWritten, dry.pagesWritten);
    EXPECT_EQ(skus(done.missing), skus(dry.missing));
    EXPECT_NE(readFile(site() / "a.html"), before);
}

TEST_F(CatalogueUpdateTest, APageChangedOnDiskSinceItWasReadIsNotWritten) {
    page("a.html", purchase("A1"));
    const std::vector<CatalogueRow> list = rows("sku,price,description\nA1,20,Atlas of A1\n");
    const CataloguePagePlan plan =
        planCataloguePage({site() / "a.html", "a.html"}, 0, rowsBySku(list), settings());
    ASSERT_FALSE(plan.bytes.empty());
    const std::string edited = readFile(site() / "a.html") + "<p>typed meanwhile</p>";
    writeFile(site() / "a.html", edited);

    std::vector<SiteFailure> failures;
    EXPECT_FALSE(applyPageRewrite(plan, RefreshMode::Write, "a.html", failures));
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_EQ(failures[0].name, "a.html");
    EXPECT_THAT(failures[0].message, HasSubstr("was changed on disk since it was read"));
    EXPECT_EQ(readFile(site() / "a.html"), edited);
    EXPECT_FALSE(std::filesystem::exists(site() / "a.html.bak"));

    // A new update reads the page again: the edit stays and the form is rebuilt.
    EXPECT_THAT(outcomes(update(list)), ElementsAre("a.html:3: updated A1: price, weight"));
    EXPECT_THAT(readFile(site() / "a.html"), HasSubstr("<p>typed meanwhile</p>"));
}

} // namespace
} // namespace vendaxo::test
