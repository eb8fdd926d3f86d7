#include "gui/gui_fixture.h"
#include "gui/tab_walk.h"
#include "shell/reg_file.h"
#include "site/gui/site_menu.h"
#include "site/gui/site_problems_dialog.h"
#include "site/site_check.h"
#include "snippets/button_snippets.h"
#include "snippets/checkout_data.h"
#include "snippets/gui/page_window.h"
#include "snippets/purchase_snippet.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gmock/gmock.h>

namespace vendaxo::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

constexpr std::string_view kHead = "<html><head><title>Atlases</title></head><body>\n"
                                   "<p>Maps &amp; atlases</p>\n";
constexpr std::string_view kTail = "<p>Thank you.</p>\n</body></html>\n";

// Presses Cancel in the site's progress dialog once it shows `pages` pages done.
class CancelAfter final : public QObject {
public:
    explicit CancelAfter(int pages) : m_pages(pages) { qApp->installEventFilter(this); }
    ~CancelAfter() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QProgressDialog*>(watched);
        if (dialog && event->type() == QEvent::Show) {
            connect(dialog->findChild<QProgressBar*>(), &QProgressBar::valueChanged, dialog,
                    [this, dialog](int value) {
                        if (value == m_pages)
                            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
                    });
        }
        return false;
    }

private:
    int m_pages;
};

// A bookshop's store (merchant 401122) with a page window and its Site menu,
// and a site in a folder of its own with forms made as Insert makes them.
class SiteMenuTest : public GuiTest {
protected:
    SiteMenuTest() {
        importRegFile(m_store, readFile(checkoutData("store.reg")));
        m_session.activate(Installation::load(m_store));
        m_window.resize(700, 400);
        m_window.show();
    }

    std::string purchase(const std::string& sku, const std::string& price) {
        Product product;
        product.sku = sku;
        product.price = price;
        product.description = "Atlas of " + sku;
        const SiteSettings now = SiteSettings::load(m_session);
        return buildPurchaseSnippet(product, now.profile, now.checkout.shopColours);
    }
    std::string viewCart() {
        const SiteSettings now = SiteSettings::load(m_session);
        return buildViewCartSnippet(kViewCartCaption, now.profile, now.checkout.shopColours);
    }
    std::string viewCartOf(const std::string& merchant) {
        MerchantProfile other = SiteSettings::load(m_session).profile;
        other.merchantNumber = merchant;
        return buildViewCartSnippet(kViewCartCaption, other, "");
    }
    // A page of the site holding the forms; its bytes.
    std::string page(const std::string& name, const std::string& forms) {
        const std::string bytes = std::string(kHead) + forms + std::string(kTail);
        fs::create_directories((site() / name).parent_path());
        writeFile(site() / name, bytes);
        return bytes;
    }
    fs::path site() const { return m_dir / "site"; }
    QString pageFile(const std::string& name) const {
        return QString::fromStdU16String((site() / name).u16string());
    }
    // Every form drawn in the cart colours no longer matches the settings.
    void changeColours() { m_store.writeMerchant("shopcolors", ""); }

    // Site > Check Site... on the site's folder: the list it shows.
    SiteProblemsDialog* checkSite() {
        m_prompts.folderNames.push_back(QString::fromStdU16String(site().u16string()));
        findIn<QAction>(m_window, "checkSiteAction")->trigger();
        return m_menu.problemsDialog();
    }
    // "page|line|form|problem" for each row.
    static std::vector<std::string> rows(const SiteProblemsDialog& list) {
        const auto* table = findIn<QTableWidget>(list, "problemsTable");
        std::vector<std::string> out;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < 4; ++column)
                cells << table->item(row, column)->text();
            out.push_back(cells.join(QLatin1Char('|')).toStdString());
        }
        return out;
    }
    static QString text(const SiteProblemsDialog& list, const char* label) {
        return findIn<QLabel>(list, label)->text();
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const QString& text : m_prompts.texts())
            texts.push_back(text.toStdString());
        return texts;
    }
    int caretLine() const { return m_window.editor()->textCursor().blockNumber() + 1; }

    PageWindow m_window{m_prompts};
    SiteMenu m_menu{m_services, m_window};
};

TEST_F(SiteMenuTest, CheckListsEachProblemWithItsPageLineAndKind) {
    std::string damaged = viewCart();
    damaged.replace(damaged.find("</form>"), 7, "");
    page("index.html", purchase("K1", "10") + viewCart());
    page("shop/maps.htm", "\n\n" + purchase("K1", "11") + damaged);
    page("shop/other.html", viewCartOf("999"));
    page("clean.html", viewCart());
    ASSERT_TRUE(m_window.openPage(pageFile("shop/maps.htm")));

    SiteProblemsDialog* list = checkSite();
    ASSERT_NE(list, nullptr);
    EXPECT_THAT(m_prompts.startFolders,
                ElementsAre(QString::fromStdU16String((site() / "shop").u16string())))
        << "the folder dialog starts on the open page's folder";
    EXPECT_TRUE(list->isVisible());
    EXPECT_THAT(rows(*list), ElementsAre("index.html|3|purchase|sku-conflict",
                                         "shop/maps.htm|5|purchase|sku-conflict",
                                         "shop/maps.htm|16|view-cart|damaged",
                                         "shop/other.html|3|view-cart|other-merchant"));
    const auto* table = findIn<QTableWidget>(*list, "problemsTable");
    EXPECT_EQ(table->item(2, 4)->text(), QStringLiteral("no </form>"));
    EXPECT_THAT(table->item(0, 4)->toolTip().toStdString(), HasSubstr("price differs"));
    EXPECT_THAT(text(*list, "summaryLabel").toStdString(),
                HasSubstr("4 pages, 6 forms: 0 stale-checkout, 0 stale-common, 1 other-merchant, "
                          "2 sku-conflict, 1 damaged"));
    EXPECT_FALSE(findIn<QPushButton>(*list, "refreshButton")->isEnabled()) << "nothing is stale";

    // Checked again once the colours change: every form of this merchant is stale.
    changeColours();
    m_prompts.folderNames.push_back(QString::fromStdU16String(site().u16string()));
    findIn<QAction>(m_window, "checkSiteAction")->trigger();
    EXPECT_THAT(rows(*list), Contains("clean.html|3|view-cart|stale-common"));
    EXPECT_TRUE(findIn<QPushButton>(*list, "refreshButton")->isEnabled());
}

TEST_F(SiteMenuTest, CancellingTheProgressStopsTheCheckAndSaysSo) {
    for (const char* name : {"a.html", "b.html", "c.html", "d.html", "e.html"})
        page(name, purchase(name, "1"));
    changeColours();
    const CancelAfter cancel(2);
    SiteProblemsDialog* list = checkSite();
    ASSERT_NE(list, nullptr);
    EXPECT_THAT(rows(*list),
                ElementsAre("a.html|3|purchase|stale-common", "b.html|3|purchase|stale-common"));
    EXPECT_THAT(text(*list, "summaryLabel").toStdString(),
                HasSubstr("The check was stopped: it covers the 2 pages checked of 5."));
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<const QProgressDialog*>(window), nullptr) << "the progress is gone";
}

TEST_F(SiteMenuTest, OpeningAProblemAsksAboutUnsavedChangesThenPutsTheCaretAtItsForm) {
    page("a.html", viewCartOf("999"));
    page("b.html", "\n\n\n" + viewCartOf("999"));
    ASSERT_TRUE(m_window.openPage(pageFile("a.html")));
    m_window.editor()->appendPlainText(QStringLiteral("typed"));
    SiteProblemsDialog* list = checkSite();
    ASSERT_NE(list, nullptr);
    auto* table = findIn<QTableWidget>(*list, "problemsTable");
    const QPoint second = table->visualRect(table->model()->index(1, 0)).center();
    const auto doubleClick = [&] {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, second);
    };

    m_prompts.answers.push_back(QMessageBox::Cancel);
    doubleClick();
    EXPECT_THAT(shownTexts(), ElementsAre(HasSubstr("unsaved changes")));
    EXPECT_EQ(m_window.pageFile(), pageFile("a.html")) << "Cancel keeps the page";
    EXPECT_TRUE(m_window.editor()->toPlainText().endsWith(QStringLiteral("typed")));

    m_prompts.answers.push_back(QMessageBox::No);
    doubleClick();
    EXPECT_EQ(m_window.pageFile(), pageFile("b.html"));
    EXPECT_EQ(caretLine(), 6);

    // Enter opens the current row, here the open page itself: only the caret moves.
    m_window.editor()->moveCursor(QTextCursor::End);
    table->setCurrentCell(1, 0);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(caretLine(), 6);
    EXPECT_TRUE(list->isVisible()) << "Enter presses no button of the list";
    EXPECT_EQ(m_prompts.messages.size(), 2U);
}

TEST_F(SiteMenuTest, RefreshAsksWithTheCountsThenListsWhatItLeftAlone) {
    const std::string a = page("a.html", purchase("A1", "1") + viewCart());
    page("b.html", viewCart() + viewCartOf("999"));
    changeColours();
    SiteProblemsDialog* list = checkSite();
    ASSERT_NE(list, nullptr);
    auto* refresh = findIn<QPushButton>(*list, "refreshButton");

    m_prompts.answers.push_back(QMessageBox::No);
    QTest::mouseClick(refresh, Qt::LeftButton);
    EXPECT_THAT(shownTexts(),
                ElementsAre(HasSubstr("Refresh 3 forms in 2 pages? Each page's previous version "
                                      "is kept beside it")));
    EXPECT_EQ(readFile(site() / "a.html"), a);
    EXPECT_FALSE(fs::exists(site() / "a.html.bak"));

    m_prompts.answers.push_back(QMessageBox::Yes);
    QTest::mouseClick(refresh, Qt::LeftButton);
    EXPECT_EQ(readFile(site() / "a.html.bak"), a);
    // The refreshed form above it is a line shorter without the colours.
    EXPECT_THAT(rows(*list), ElementsAre("b.html|8|view-cart|other-merchant"));
    EXPECT_FALSE(refresh->isEnabled()) << "nothing is stale any more";
    const QString outcome = text(*list, "outcomeLabel");
    EXPECT_THAT(outcome.toStdString(), HasSubstr("3 forms refreshed on 2 pages, 1 left alone."));
    EXPECT_THAT(outcome.toStdString(),
                HasSubstr("b.html:9: left alone view-cart: another merchant's form"));
}

TEST_F(SiteMenuTest, TheOpenPageIsReadAgainWhenTheRefreshRewroteIt) {
    page("a.html", "\n\n\n\n" + viewCart());
    page("b.html", viewCart());
    changeColours();
    ASSERT_TRUE(m_window.openPage(pageFile("a.html")));
    m_window.openPageAt(pageFile("a.html"), 4);

    m_prompts.folderNames.push_back(QString::fromStdU16String(site().u16string()));
    m_prompts.answers.push_back(QMessageBox::Yes); // refresh
    findIn<QAction>(m_window, "refreshSiteAction")->trigger();
    EXPECT_EQ(m_window.editor()->toPlainText().toStdString(), readFile(site() / "a.html"));
    EXPECT_FALSE(m_window.isModified());
    EXPECT_EQ(caretLine(), 4) << "the caret stays on its line";
    EXPECT_EQ(m_prompts.messages.size(), 1U) << "no question without unsaved changes";
}

TEST_F(SiteMenuTest, AnOpenPageWithUnsavedChangesIsReadAgainOnlyWhenTheMerchantSaysSo) {
    const std::string stale = page("a.html", viewCart());
    changeColours();
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        writeFile(site() / "a.html", stale);
        ASSERT_TRUE(m_window.openPage(pageFile("a.html")));
        m_window.editor()->appendPlainText(QStringLiteral("typed"));
        const QString typed = m_window.editor()->toPlainText();
        m_prompts.messages.clear();
        m_prompts.folderNames.push_back(QString::fromStdU16String(site().u16string()));
        m_prompts.answers.push_back(QMessageBox::Yes); // refresh
        m_prompts.answers.push_back(answer);           // read the page again
        findIn<QAction>(m_window, "refreshSiteAction")->trigger();
        ASSERT_EQ(m_prompts.messages.size(), 2U);
        EXPECT_THAT(m_prompts.messages[1].text.toStdString(),
                    HasSubstr("a.html was changed on disk, and it has unsaved changes here"));
        if (answer == QMessageBox::No) {
            EXPECT_EQ(m_window.editor()->toPlainText(), typed) << "No keeps the text";
            EXPECT_TRUE(m_window.isModified());
            // Its next save asks before the refreshed page is replaced.
            m_prompts.answers.push_back(QMessageBox::Cancel);
            EXPECT_FALSE(m_window.save());
            m_window.editor()->document()->setModified(false);
        } else {
            EXPECT_EQ(m_window.editor()->toPlainText().toStdString(), readFile(site() / "a.html"));
        }
    }
}

TEST_F(SiteMenuTest, TheListIsWorkedFromTheKeyboard) {
    page("a.html", viewCart());
    changeColours();
    SiteProblemsDialog* list = checkSite();
    ASSERT_NE(list, nullptr);
    auto* table = findIn<QTableWidget>(*list, "problemsTable");
    EXPECT_TRUE(tabReachesEverything(*table));
    EXPECT_EQ(tabStops(*list),
              (QStringList{QStringLiteral("problemsTable"), QStringLiteral("refreshButton"),
                           QStringLiteral("closeButton")}));
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
}

} // namespace
} // namespace vendaxo::test
