#include "gui/gui_fixture.h"
#include "gui/tab_walk.h"
#include "shell/settings_store.h"
#include "snippets/catalogue.h"
#include "snippets/gui/catalogue_dialog.h"
#include "snippets/gui/page_window.h"
#include "snippets/page_file.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gmock/gmock.h>
#include <memory>

namespace vendaxo::test {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {

const std::string kGoodList =
    "sku;price;description;option-data;quantity-box\r\n"
    "K1;$12.50;\"Delta kite; 1.4 m\";\"Size;S;M;\n\nColour;Red;\n\";yes\r\n"
    "K2;3;Box kite;;\r\n";

const std::string kBadList = "sku;price;description;weight\n"
                             "K1;12,50;Delta kite;\n"
                             "K2;3;Box kite;1\n"
                             "K1;4;\"Sled\nwith tail\";2 kg\n";

const std::string kPage = "<html>\n<body>\n<p>Kites</p>\n<!--vendaxo:caret-->\n</body>\n</html>\n";

QStringList visibleButtons(const QDialog& dialog) {
    QStringList names;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->isVisible())
            names << button->objectName();
    }
    return names;
}

} // namespace

class CatalogueDialogTest : public GuiTest {
protected:
    CatalogueDialogTest() {
        m_profile.merchantNumber = "111";
        m_profile.companyName = "Acme";
        m_profile.cartServerAddress = "https://cart.example/cgi";
        m_profile.currencySymbol = "$";
        m_store.setMerchantNumber("111");
        m_store.write(stored::kShopColours, "FFFFFF;000080");
        m_window.setAppServices(&m_services);
        m_window.show();
    }

    fs::path write(const char* name, const std::string& bytes) {
        writeFile(m_dir / name, bytes);
        return m_dir / name;
    }
    void openPage() {
        ASSERT_TRUE(m_window.openPage(QString::fromStdString(write("shop.html", kPage).string())));
    }
    QString pageText() const {
        return m_window.editor()->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
    }
    QAction* command() const {
        return m_window.findChild<QAction*>(QStringLiteral("insertCatalogueAction"));
    }
    // As the Edit menu does before it shows.
    bool offeredInMenu() {
        emit m_window.findChild<QMenu*>(QStringLiteral("editMenu"))->aboutToShow();
        return command()->isEnabled();
    }
    // Runs the command on the list, with `inDialog` run in the dialog it opens;
    // false when none opened. A dialog the action leaves open is cancelled, so a
    // fault fails the test instead of hanging it.
    bool runOn(const fs::path& list, const std::function<void(CatalogueDialog&)>& inDialog) {
        m_prompts.fileNames.push_back(QString::fromStdString(list.string()));
        auto opened = std::make_shared<bool>(false);
        QTimer::singleShot(0, &m_window, [opened, inDialog] {
            auto* dialog = qobject_cast<CatalogueDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            *opened = true;
            inDialog(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        command()->trigger();
        // Without a dialog the check is still waiting.
        QCoreApplication::processEvents();
        return *opened;
    }
    static void press(QDialog& dialog, Qt::Key key) {
        QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, key);
    }

    PageWindow m_window{m_prompts};
};

TEST_F(CatalogueDialogTest, IsOfferedWithAPageOpenAndAMerchantChosen) {
    EXPECT_FALSE(offeredInMenu()) << "no page";
    openPage();
    EXPECT_TRUE(offeredInMenu());

    Installation several;
    several.serial = "111;222";
    several.company = "Acme;Kites Inc";
    m_session.activate(several);
    EXPECT_FALSE(offeredInMenu()) << "no merchant chosen";
    m_session.choose(0);
    EXPECT_TRUE(offeredInMenu());

    m_window.setAppServices(nullptr);
    EXPECT_FALSE(command()->isEnabled()) << "no main window";
    m_window.setAppServices(&m_services);
    m_window.close();
    EXPECT_FALSE(command()->isEnabled()) << "page closed";
}

// The page ends up with the bytes the command line's catalogue gives it for
// the same list and store, the buttons selected and taken out by one undo.
TEST_F(CatalogueDialogTest, AGoodListIsShownAndInsertedAtTheCaretAsOneUndoStep) {
    const fs::path list = write("kites.csv", kGoodList);
    openPage();
    const QString before = pageText();
    const Catalogue catalogue = readCatalogueFile(list);
    ASSERT_TRUE(catalogue.errors.empty());
    const std::string buttons = buildCatalogueSnippets(catalogue.rows, m_profile, "FFFFFF;000080");

    QStringList shown;
    ASSERT_TRUE(runOn(list, [&](CatalogueDialog& dialog) {
        const auto* table = findIn<QTableWidget>(dialog, "rowsTable");
        for (int r = 0; r < table->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(r, c)->text();
            shown << cells.join(QLatin1Char('|'));
        }
        shown << findIn<QLabel>(dialog, "summaryLabel")->text();
        EXPECT_THAT(visibleButtons(dialog),
                    ::testing::UnorderedElementsAre(QStringLiteral("insertButton"),
                                                    QStringLiteral("cancelButton"),
                                                    QStringLiteral("helpButton")));
        // The table passes Enter on to the dialog's default button.
        QTest::keyClick(findIn<QTableWidget>(dialog, "rowsTable"), Qt::Key_Return);
    }));
    EXPECT_THAT(shown,
                ElementsAre(QStringLiteral("2|K1|$12.50|Delta kite; 1.4 m|2"),
                            QStringLiteral("6|K2|3|Box kite|no"), QStringLiteral("2 products")));

    const QString inserted = QString::fromStdString(buttons);
    EXPECT_EQ(
        m_window.editor()->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n'),
        inserted);
    const qsizetype caret = before.indexOf(QStringLiteral("<!--vendaxo:caret-->"));
    EXPECT_EQ(pageText(), before.left(caret) + inserted + before.mid(caret));
    m_window.editor()->undo();
    EXPECT_EQ(pageText(), before) << "one undo takes every button out";

    m_window.editor()->redo();
    ASSERT_TRUE(m_window.save());
    EXPECT_EQ(readFile(m_dir / "shop.html"), insertIntoPage(kPage, buttons));
}

TEST_F(CatalogueDialogTest, AListWithErrorsShowsEveryErrorAndInsertsNothing) {
    const fs::path list = write("bad.csv", kBadList);
    openPage();
    const QString before = pageText();
    QStringList shown;
    ASSERT_TRUE(runOn(list, [&](CatalogueDialog& dialog) {
        shown = findIn<QPlainTextEdit>(dialog, "errorsView")->toPlainText().split(u'\n');
        shown << findIn<QLabel>(dialog, "summaryLabel")->text();
        EXPECT_THAT(visibleButtons(dialog), ElementsAre(QStringLiteral("closeButton")));
        EXPECT_FALSE(findIn<QTableWidget>(dialog, "rowsTable")->isVisible());
        press(dialog, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible()) << "Enter closes";
    }));
    EXPECT_THAT(shown,
                ElementsAre(QStringLiteral("bad.csv, line 2, column 2 (price): \"12,50\" is not a "
                                           "plain amount: digits with one \".\" at most (as "
                                           "12.50), no thousands separator, no sign"),
                            QStringLiteral("bad.csv, line 4, column 1 (sku): the SKU is already "
                                           "on line 2"),
                            QStringLiteral("bad.csv, line 5, column 4 (weight): \"2 kg\" is not a "
                                           "plain number: digits with one \".\" at most (as 1.5), "
                                           "no unit, no sign"),
                            QStringLiteral("3 errors in the list; nothing was inserted.")));
    EXPECT_EQ(pageText(), before);
    EXPECT_FALSE(m_window.isModified());

    // A list that cannot be read opens no dialog: the error box says why.
    EXPECT_FALSE(runOn(m_dir / "missing.csv", [](CatalogueDialog&) {}));
    ASSERT_EQ(m_prompts.messages.size(), 1u);
    EXPECT_TRUE(m_prompts.messages.front().text.contains(QStringLiteral("missing.csv")));
    EXPECT_EQ(pageText(), before);
}

TEST_F(CatalogueDialogTest, CancelInsertsNothing) {
    const fs::path list = write("kites.csv", kGoodList);
    openPage();
    const QString before = pageText();
    EXPECT_TRUE(runOn(list, [](CatalogueDialog& dialog) { press(dialog, Qt::Key_Escape); }));
    EXPECT_TRUE(runOn(list, [](CatalogueDialog& dialog) { clickIn(dialog, "cancelButton"); }));
    // Choosing no file ends the command there.
    m_prompts.fileNames.push_back(QString());
    command()->trigger();
    EXPECT_TRUE(m_prompts.fileNames.empty());
    EXPECT_EQ(pageText(), before);
    EXPECT_FALSE(m_window.isModified());
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(CatalogueDialogTest, TabReachesEveryControlAndHelpHasItsTopic) {
    const fs::path good = write("kites.csv", kGoodList);
    CatalogueDialog rows(QString::fromStdString(good.string()), readCatalogueFile(good), m_help);
    rows.show();
    EXPECT_TRUE(tabReachesEverything(*findIn<QWidget>(rows, "rowsTable")));
    clickIn(rows, "helpButton");
    EXPECT_THAT(m_help.shown, ElementsAre(1100));

    const fs::path bad = write("bad.csv", kBadList);
    CatalogueDialog errors(QString::fromStdString(bad.string()), readCatalogueFile(bad), m_help);
    errors.show();
    EXPECT_TRUE(tabReachesEverything(*findIn<QWidget>(errors, "errorsView")));
}

} // namespace vendaxo::test
