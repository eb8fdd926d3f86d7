#include "gui/gui_fixture.h"
#include "gui/tab_walk.h"
#include "shell/gui/app_services.h"
#include "shell/sqlite_store.h"
#include "snippets/gui/option_dialog.h"
#include "snippets/gui/option_lists_editor.h"
#include "test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;

namespace {

const QString kLabelMessage =
    QStringLiteral("You cannot enter the following characters (\" ; ( ) etc...) in this field.");

OptionGrid gridOf(const std::string& data) {
    OptionGrid grid;
    grid.rebuild(data);
    return grid;
}

} // namespace

class OptionListsEditorTest : public GuiTest {
protected:
    OptionListsEditorTest() {
        // Items take the merchant's currency, whatever dialog was opened before.
        m_profile.currencySymbol = "€";
        m_editor.show();
        QObject::connect(&m_editor, &OptionListsEditor::changedFlagChanged, &m_editor,
                         [this](bool changed) { m_flagSignals.push_back(changed); });
    }

    void start(const std::string& data, int row = 1, int column = 0) {
        m_editor.setValue({true, OptionStyle::DropDown, gridOf(data)});
        grid()->setCurrentCell(row, column);
    }
    void setLists(bool enabled, const std::string& data) {
        m_editor.setValue({enabled, OptionStyle::DropDown, gridOf(data)});
    }
    void click(const char* button) { clickIn(m_editor, button); }
    // Answers the option dialog that the next command opens.
    void inOptionDialog(std::function<void(OptionDialog&)> answer) {
        QTimer::singleShot(0, &m_editor, [this, answer] {
            auto* dialog = m_editor.findChild<OptionDialog*>();
            ASSERT_TRUE(dialog && dialog->isVisible());
            answer(*dialog);
        });
    }
    QTableWidget* grid() { return findIn<QTableWidget>(m_editor, "optionGrid"); }
    std::string data() const { return m_editor.value().grid.data(); }
    QString hint() { return findIn<QLabel>(m_editor, "hintLabel")->text(); }
    bool enabled(const char* name) { return findIn<QWidget>(m_editor, name)->isEnabled(); }
    QString file(const char* name) const {
        return QString::fromStdU16String((m_dir / name).u16string());
    }

    OptionListsEditor m_editor{m_services};
    std::vector<bool> m_flagSignals;
};

TEST_F(OptionListsEditorTest, AddListReplacesTheEmptyColumnAndIgnoresCancelAndEmptyAnswers) {
    EXPECT_EQ(m_editor.title(), QStringLiteral("Enter Product Options (ex: colors, sizes)"));
    setLists(true, "");
    m_prompts.inputs = {std::nullopt, QString(), QStringLiteral("Color"), QStringLiteral("Size")};
    click("addListButton");
    click("addListButton");
    EXPECT_EQ(data(), "\n");
    EXPECT_FALSE(m_editor.isChanged());
    click("addListButton");
    click("addListButton");
    EXPECT_EQ(data(), "Color;\nSize;\n");
    EXPECT_EQ(m_prompts.inputPrompts[0],
              QStringLiteral("New Option List...|Enter the option list title:|"));
    EXPECT_EQ(grid()->item(0, 1)->text(), QStringLiteral("Size"));
    EXPECT_FALSE(grid()->item(0, 1)->flags() & Qt::ItemIsSelectable) << "titles are fixed";
    EXPECT_THAT(m_flagSignals, ElementsAre(true));
    EXPECT_EQ(grid()->currentColumn(), 1) << "the new list is the current one";
    EXPECT_EQ(hint(), QStringLiteral("Option List (Size) = "));

    inOptionDialog([](OptionDialog& dialog) {
        QTest::keyClicks(findIn<QLineEdit>(dialog, "labelEdit"), QStringLiteral("Small"));
        QTest::keyClick(findIn<QLineEdit>(dialog, "labelEdit"), Qt::Key_Return);
    });
    click("addOptionButton");
    EXPECT_EQ(data(), "Color;\nSize;Small;\n") << "the item goes into the new list";
}

TEST_F(OptionListsEditorTest, RemoveListAsksAndTheLastOneLeavesASingleEmptyCell) {
    start("Color;Red;\nSize;S;\n", 1, 1);
    m_prompts.answers = {QMessageBox::No, QMessageBox::Yes};
    click("removeListButton");
    EXPECT_EQ(data(), "Color;Red;\nSize;S;\n");
    EXPECT_FALSE(m_editor.isChanged());
    click("removeListButton");
    EXPECT_EQ(data(), "Color;Red;\n");
    ASSERT_EQ(m_prompts.messages.size(), 2u);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Confirmation"));
    EXPECT_EQ(m_prompts.messages[0].text, QStringLiteral("Remove Option List (Size)?"));
    EXPECT_EQ(m_prompts.messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(m_prompts.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(m_editor.isChanged());

    m_prompts.answers = {QMessageBox::Yes};
    click("removeListButton");
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(grid()->columnCount(), 1);
    EXPECT_FALSE(m_editor.value().grid.hasTitleRow());
    EXPECT_TRUE(grid()->item(0, 0)->flags() & Qt::ItemIsSelectable);
}

TEST_F(OptionListsEditorTest, RenameChangesOnlyOnADifferentAnswerAndSaysWhyItRefuses) {
    start("Color;Red;\n");
    m_prompts.inputs = {std::nullopt, QStringLiteral("Color"), QStringLiteral("Co;lor"), QString(),
                        QStringLiteral("Colour")};
    for (int i = 0; i < 4; ++i)
        click("renameListButton");
    EXPECT_EQ(data(), "Color;Red;\n");
    EXPECT_FALSE(m_editor.isChanged());
    EXPECT_EQ(m_prompts.inputPrompts[0],
              QStringLiteral(
                  "Enter New Option List Title...|Enter the new title for the option list|Color"));
    ASSERT_EQ(m_prompts.messages.size(), 2u);
    for (const ShownMessage& shown : m_prompts.messages)
        EXPECT_EQ(shown.caption, QStringLiteral("Vendaxo"));
    EXPECT_THAT(m_prompts.texts(),
                ElementsAre(QStringLiteral("An option list title cannot contain \";\" or a line "
                                           "break."),
                            QStringLiteral("An option list title cannot be empty.")));
    click("renameListButton");
    EXPECT_EQ(data(), "Colour;Red;\n");
    EXPECT_TRUE(m_editor.isChanged());

    m_prompts.inputs = {QStringLiteral("Size\nWidth")};
    click("addListButton");
    EXPECT_EQ(data(), "Colour;Red;\n");
    EXPECT_EQ(m_prompts.messages.size(), 3u);

    setLists(true, "");
    click("renameListButton"); // no title: no input box (an unscripted one would fail)
    EXPECT_EQ(m_prompts.inputPrompts.size(), 6u);
}

TEST_F(OptionListsEditorTest, AddEditAndRemoveOptionsThroughTheOptionDialog) {
    start("Size;S;\n");
    inOptionDialog([](OptionDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Option..."));
        QTest::keyClicks(findIn<QLineEdit>(dialog, "labelEdit"), QStringLiteral("Large"));
        findIn<QComboBox>(dialog, "adjustmentCombo")->setCurrentIndex(1);
        findIn<QLineEdit>(dialog, "amountEdit")->setText(QStringLiteral("2.50"));
        QTest::mouseClick(findIn<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    click("addOptionButton");
    EXPECT_EQ(data(), "Size;S;Large (add €2.50);\n");
    EXPECT_TRUE(m_editor.isChanged());

    m_editor.setChanged(false);
    inOptionDialog([](OptionDialog& dialog) { dialog.reject(); });
    click("addOptionButton");
    EXPECT_EQ(data(), "Size;S;Large (add €2.50);\n");
    EXPECT_FALSE(m_editor.isChanged());

    inOptionDialog([](OptionDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Option..."));
        EXPECT_EQ(findIn<QLineEdit>(dialog, "labelEdit")->text(), QStringLiteral("Large"));
        EXPECT_EQ(findIn<QComboBox>(dialog, "adjustmentCombo")->currentText(),
                  QStringLiteral("Add"));
        EXPECT_EQ(findIn<QLineEdit>(dialog, "amountEdit")->text(), QStringLiteral("2.50"));
        EXPECT_TRUE(findIn<QPushButton>(dialog, "okButton")->isEnabled());
        findIn<QComboBox>(dialog, "adjustmentCombo")->setCurrentIndex(2);
        QTest::mouseClick(findIn<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    QWidget* viewport = grid()->viewport();
    const QPoint large = grid()->visualItemRect(grid()->item(2, 0)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, large);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, large);
    EXPECT_EQ(data(), "Size;S;Large (subtract €2.50);\n");
    EXPECT_TRUE(m_editor.isChanged());

    grid()->setCurrentCell(1, 0);
    m_prompts.answers = {QMessageBox::No, QMessageBox::Yes};
    click("removeOptionButton");
    EXPECT_EQ(data(), "Size;S;Large (subtract €2.50);\n");
    click("removeOptionButton");
    EXPECT_EQ(data(), "Size;Large (subtract €2.50);\n");
    EXPECT_EQ(m_prompts.messages.at(0).text, QStringLiteral("Remove Option (S)?"));
}

TEST_F(OptionListsEditorTest, EnablingFollowsTheBoxAndTheCurrentCell) {
    const char* const commands[] = {"optionGrid",        "hintLabel",        "addListButton",
                                    "removeListButton",  "renameListButton", "addOptionButton",
                                    "removeOptionButton"};
    EXPECT_EQ(hint(), QStringLiteral("Double Click any cell to edit..."));
    for (const char* name : commands)
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_FALSE(findIn<QWidget>(m_editor, "loadButton")->isVisible());

    setLists(false, "Color;Red;\nSize;S;M;\n");
    QTest::mouseClick(findIn<QCheckBox>(m_editor, "enableOptionsCheck"), Qt::LeftButton);
    EXPECT_TRUE(findIn<QWidget>(m_editor, "styleCombo")->isVisible());
    EXPECT_EQ(hint(), QStringLiteral("Option List (Color) = Red"));
    EXPECT_TRUE(enabled("removeOptionButton") && enabled("addOptionButton"));

    // Row 2 of the first list is empty; the title row cannot become current.
    for (const QPoint cell : {QPoint(0, 2), QPoint(1, 0)})
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualItemRect(grid()->item(cell.y(), cell.x())).center());
    EXPECT_EQ(grid()->currentRow(), 2);
    EXPECT_EQ(hint(), QStringLiteral("Option List (Color) = "));
    EXPECT_FALSE(enabled("removeOptionButton"));
    EXPECT_TRUE(enabled("addOptionButton"));

    setLists(true, "");
    EXPECT_FALSE(enabled("addOptionButton")) << "a list without title takes no items";
    EXPECT_TRUE(enabled("removeListButton"));

    setLists(false, "Color;Red;\n");
    for (const char* name : commands)
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_FALSE(findIn<QWidget>(m_editor, "saveButton")->isVisible());
    EXPECT_EQ(data(), "Color;Red;\n");
}

TEST_F(OptionListsEditorTest, MaximiseTogglesTheWidthAndUncheckingRestoresIt) {
    setLists(true, "");
    const auto widths = [this] {
        return std::pair(m_editor.width(), grid()->width());
    };
    // 201 wide, or wider where the font needs it for the caption, always below 300.
    const auto [normal, normalGrid] = widths();
    EXPECT_GE(normal, 201);
    EXPECT_LT(normal, 300);
    EXPECT_EQ(normalGrid, normal - 16);
    EXPECT_LT(m_editor.fontMetrics().horizontalAdvance(m_editor.title()), normal);
    click("maximizeButton");
    EXPECT_EQ(widths(), std::pair(560, 540));
    click("maximizeButton");
    EXPECT_EQ(widths(), std::pair(normal, normalGrid));
    click("maximizeButton");
    setLists(false, "");
    EXPECT_EQ(widths(), std::pair(normal, normalGrid));
}

TEST_F(OptionListsEditorTest, ColumnsWidenToTheirTextsAndShowItWhole) {
    start("Colour;Red;Rainbow (add $2.50);\nSize;S;\n");
    const QFontMetrics metrics = grid()->fontMetrics();
    const int rainbow = metrics.horizontalAdvance(QStringLiteral("Rainbow (add $2.50)"));
    EXPECT_GE(grid()->columnWidth(0), rainbow);
    EXPECT_LE(grid()->columnWidth(0), std::max(grid()->viewport()->width(), 84));
    EXPECT_EQ(grid()->columnWidth(1), 84) << "a narrow list keeps the usual width";
    EXPECT_EQ(grid()->item(2, 0)->toolTip(), QStringLiteral("Rainbow (add $2.50)"));
}

TEST_F(OptionListsEditorTest, StyleAndShowPreparation) {
    EXPECT_EQ(m_editor.value().style, OptionStyle::None);
    m_editor.prepareForShow();
    EXPECT_EQ(m_editor.value().style, OptionStyle::DropDown);
    m_editor.setValue({false, OptionStyle::Radio, {}});
    m_editor.prepareForShow();
    EXPECT_EQ(findIn<QComboBox>(m_editor, "styleCombo")->currentText(),
              QStringLiteral("Radio Button"));
}

TEST_F(OptionListsEditorTest, DraggingAColumnMovesTheListAndSetsTheFlag) {
    start("Color;Red;\nSize;S;\nFit;Slim;\n");
    grid()->horizontalHeader()->moveSection(0, 2); // as a drag ends
    EXPECT_EQ(data(), "Size;S;\nFit;Slim;\nColor;Red;\n");
    EXPECT_EQ(grid()->item(0, 2)->text(), QStringLiteral("Color"));
    EXPECT_EQ(grid()->horizontalHeader()->visualIndex(2), 2);
    EXPECT_EQ(grid()->currentColumn(), 2) << "the current list moves along";
    EXPECT_TRUE(m_editor.isChanged());
}

TEST_F(OptionListsEditorTest, SaveAndLoadGiveBackTheListsAndClearTheFlag) {
    const std::string lists = "Coloré;Red;Blue (add €1);\nSize;S;\n";
    start(lists);
    m_editor.setChanged(true);
    m_prompts.fileNames = {file("lists")};
    click("saveButton");
    EXPECT_EQ(readFile(m_dir / "lists.vdx"), lists + "\n");
    EXPECT_FALSE(m_editor.isChanged());

    start("Other;\n");
    m_editor.setChanged(true);
    m_prompts.answers = {QMessageBox::No}; // not saving the changes first
    m_prompts.fileNames = {file("lists.vdx")};
    click("loadButton");
    EXPECT_EQ(data(), lists);
    EXPECT_FALSE(m_editor.isChanged());
    m_prompts.messages.clear();
    EXPECT_EQ(hint(), QStringLiteral("Option List (Coloré) = Red"));

    // The extension is added after the save dialog asked: ask again.
    start("Other;\n");
    m_editor.setChanged(true);
    m_prompts.fileNames = {file("lists")};
    m_prompts.answers = {QMessageBox::No};
    EXPECT_FALSE(m_editor.saveOptionList());
    EXPECT_EQ(readFile(m_dir / "lists.vdx"), lists + "\n");
    EXPECT_TRUE(m_editor.isChanged());
    EXPECT_THAT(m_prompts.texts(), ElementsAre(QStringLiteral(
                                       "lists.vdx already exists.\nDo you want to replace it?")));
    EXPECT_THAT(m_prompts.proposedFiles, ElementsAre(QString(), file("lists.vdx")))
        << "the save dialog proposes the file last loaded or saved";
}

TEST_F(OptionListsEditorTest, LoadingOverUnsavedListsAsksFirst) {
    writeFile(m_dir / "kite.vdx", "Tail;Short;Long;\n\n");
    const auto loadAnswering = [&](QMessageBox::StandardButton answer) {
        start("Colour;Red;\n");
        m_editor.setChanged(true);
        m_prompts.messages.clear();
        m_prompts.answers = {answer};
        click("loadButton");
        ASSERT_EQ(m_prompts.messages.size(), 1u);
        const ShownMessage& question = m_prompts.messages[0];
        EXPECT_EQ(question.icon, QMessageBox::Question);
        EXPECT_EQ(question.caption, QStringLiteral("Save Changes..."));
        EXPECT_EQ(question.text, QStringLiteral("Do you want to save your option list changes?"));
        EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    };

    loadAnswering(QMessageBox::Cancel);
    EXPECT_EQ(data(), "Colour;Red;\n") << "no open dialog either (it was not scripted)";
    EXPECT_TRUE(m_editor.isChanged());

    m_prompts.fileNames = {file("kite.vdx")};
    loadAnswering(QMessageBox::No);
    EXPECT_EQ(data(), "Tail;Short;Long;\n");
    EXPECT_FALSE(m_editor.isChanged());

    m_prompts.fileNames = {file("colours.vdx"), file("kite.vdx")};
    loadAnswering(QMessageBox::Yes);
    EXPECT_EQ(readFile(m_dir / "colours.vdx"), "Colour;Red;\n\n") << "saved first";
    EXPECT_EQ(data(), "Tail;Short;Long;\n");
    EXPECT_EQ(m_prompts.proposedFiles.back(), file("kite.vdx")) << "the file last loaded";

    m_prompts.fileNames = {QString()};
    loadAnswering(QMessageBox::Yes);
    EXPECT_EQ(data(), "Colour;Red;\n") << "a cancelled save loads nothing";
    EXPECT_TRUE(m_editor.isChanged());

    m_editor.setChanged(false);
    m_prompts.messages.clear();
    m_prompts.fileNames = {file("kite.vdx")};
    click("loadButton");
    EXPECT_TRUE(m_prompts.messages.empty()) << "nothing to save, nothing asked";
    EXPECT_EQ(data(), "Tail;Short;Long;\n");
}

TEST_F(OptionListsEditorTest, AFocusedSpeedButtonShowsItsFocus) {
    start("Size;S;\n");
    m_editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_editor));
    auto* maximize = findIn<QToolButton>(m_editor, "maximizeButton");
    grid()->setFocus(Qt::TabFocusReason);
    const QImage unfocused = maximize->grab().toImage();
    maximize->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(maximize->hasFocus());
    EXPECT_NE(maximize->grab().toImage(), unfocused);
}

TEST_F(OptionListsEditorTest, EnterAndF2EditTheCurrentCellAsADoubleClickDoes) {
    start("Size;S;M;\n", 2);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_F2}) {
        inOptionDialog([](OptionDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Option..."));
            QLineEdit* label = findIn<QLineEdit>(dialog, "labelEdit");
            EXPECT_EQ(label->text(), QStringLiteral("M"));
            QTest::keyClick(label, Qt::Key_Escape);
        });
        QTest::keyClick(grid(), key);
    }
    EXPECT_EQ(data(), "Size;S;M;\n");
    EXPECT_FALSE(m_editor.isChanged());
}

TEST_F(OptionListsEditorTest, FailedLoadsAndSavesReportAndKeepGridAndFlag) {
    start("Color;Red;\n");
    m_editor.setChanged(true);
    std::string tooMany;
    for (int i = 0; i < 1001; ++i)
        tooMany += "L;\n";
    writeFile(m_dir / "many.vdx", tooMany);
    m_prompts.fileNames = {file("missing.vdx"), file("many.vdx"), file("no-folder/x.vdx"),
                           QString()};
    m_prompts.answers = {QMessageBox::No, QMessageBox::No}; // load without saving first
    click("loadButton");
    click("loadButton");
    EXPECT_FALSE(m_editor.saveOptionList());
    EXPECT_FALSE(m_editor.saveOptionList()) << "cancelled";
    EXPECT_EQ(data(), "Color;Red;\n");
    EXPECT_TRUE(m_editor.isChanged());
    std::vector<QString> errors;
    for (const ShownMessage& shown : m_prompts.messages) {
        if (shown.caption == QStringLiteral("Vendaxo"))
            errors.push_back(shown.text);
    }
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(m_prompts.messages.size(), 5u) << "and the two questions";
    EXPECT_EQ(errors[1], QStringLiteral("A product can have at most 1000 option lists."));
}

class OptionDialogTest : public ::testing::Test {
protected:
    OptionDialogTest() { m_dialog.show(); }
    QLineEdit* label() { return findIn<QLineEdit>(m_dialog, "labelEdit"); }
    QLineEdit* amount() { return findIn<QLineEdit>(m_dialog, "amountEdit"); }
    QComboBox* kind() { return findIn<QComboBox>(m_dialog, "adjustmentCombo"); }
    QString example() { return findIn<QLabel>(m_dialog, "exampleLabel")->text(); }
    bool okEnabled() { return findIn<QPushButton>(m_dialog, "okButton")->isEnabled(); }

    ScriptedPrompts m_prompts;
    OptionDialog m_dialog{m_prompts};
};

TEST_F(OptionDialogTest, AddModeStartsEmptyAndTheExampleFollowsKindAndAmount) {
    m_dialog.prepare(OptionDialog::Mode::Add, QStringLiteral("€"));
    m_dialog.setValue({});
    EXPECT_EQ(label()->text(), QString());
    EXPECT_EQ(amount()->text(), QStringLiteral("0"));
    EXPECT_EQ(findIn<QLabel>(m_dialog, "currencyLabel")->text(), QStringLiteral("€"));
    EXPECT_FALSE(okEnabled());
    EXPECT_FALSE(amount()->isEnabled());
    EXPECT_EQ(example(),
              QStringLiteral("The price of this item will be the same as the parent item."));

    QTest::keyClicks(label(), QStringLiteral("Small"));
    EXPECT_TRUE(okEnabled());
    kind()->setCurrentIndex(1);
    EXPECT_TRUE(amount()->isEnabled());
    amount()->selectAll();
    QTest::keyClick(amount(), Qt::Key_Backspace);
    EXPECT_FALSE(okEnabled()) << "an empty amount";
    QTest::keyClicks(amount(), QStringLiteral("1.5"));
    EXPECT_EQ(example(), QStringLiteral("The price of this item will be an additional €1.5"));
    kind()->setCurrentIndex(2);
    EXPECT_EQ(example(), QStringLiteral("The price of this item will be €1.5 less."));
    EXPECT_EQ(m_dialog.value(), (OptionItem{"Small", PriceAdjustment::Subtract, "1.5"}));
    EXPECT_TRUE(m_prompts.messages.empty());
}

TEST_F(OptionDialogTest, EditModeShowsTheItemWithOkEnabled) {
    m_dialog.prepare(OptionDialog::Mode::Edit, QStringLiteral("$"));
    m_dialog.setValue({"Large", PriceAdjustment::Add, "2.50"});
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Edit Option..."));
    EXPECT_EQ(label()->text(), QStringLiteral("Large"));
    EXPECT_EQ(kind()->currentText(), QStringLiteral("Add"));
    EXPECT_EQ(amount()->text(), QStringLiteral("2.50"));
    EXPECT_TRUE(okEnabled());
    EXPECT_EQ(example(), QStringLiteral("The price of this item will be an additional $2.50"));
}

TEST_F(OptionDialogTest, LabelFilterRemovesTheSeparatorsWithANoticeAndNoKeyIsLost) {
    m_dialog.prepare(OptionDialog::Mode::Add, QStringLiteral("$"));
    m_dialog.setValue({});
    QTest::keyClicks(label(), QStringLiteral("a\"b;c(d)e"));
    EXPECT_EQ(label()->text(), QStringLiteral("abcde"));
    const QString notice = QStringLiteral("labelEdit|") + kLabelMessage;
    EXPECT_THAT(m_prompts.notices, ElementsAre(notice, notice, notice, notice));
    EXPECT_TRUE(m_prompts.messages.empty()) << "nothing takes the keyboard";
    EXPECT_TRUE(okEnabled());

    label()->setCursorPosition(2);
    QTest::keyClicks(label(), QStringLiteral(";x"));
    EXPECT_EQ(label()->text(), QStringLiteral("abxcde")) << "the caret stays where it was";
}

TEST_F(OptionDialogTest, EnterConfirmsWhileOkIsEnabledAndOnCancelCancels) {
    m_dialog.prepare(OptionDialog::Mode::Add, QStringLiteral("$"));
    m_dialog.setValue({});
    kind()->setCurrentIndex(1);
    QTest::keyClick(amount(), Qt::Key_Return);
    QTest::keyClick(label(), Qt::Key_Return);
    EXPECT_TRUE(m_dialog.isVisible()) << "OK is not enabled yet";
    QTest::keyClicks(label(), QStringLiteral("S"));
    QTest::keyClick(amount(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog.value().text("$"), "S (add $0)");

    for (const char* field : {"labelEdit", "okButton"}) {
        m_dialog.show();
        m_dialog.setResult(QDialog::Rejected);
        QTest::keyClick(findIn<QWidget>(m_dialog, field), Qt::Key_Return);
        EXPECT_EQ(m_dialog.result(), QDialog::Accepted) << field;
    }
    m_dialog.show();
    QTest::keyClick(findIn<QWidget>(m_dialog, "cancelButton"), Qt::Key_Return);
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected) << "Enter on Cancel cancels";
}

TEST_F(OptionDialogTest, TabReachesEveryFieldAndButtonInBothModes) {
    for (const bool edit : {false, true}) {
        m_dialog.prepare(edit ? OptionDialog::Mode::Edit : OptionDialog::Mode::Add,
                         QStringLiteral("$"));
        m_dialog.setValue(edit ? OptionItem{"Large", PriceAdjustment::Add, "2.50"} : OptionItem{});
        EXPECT_TRUE(tabReachesEverything(*label())) << edit;
    }
}

} // namespace vendaxo::test
