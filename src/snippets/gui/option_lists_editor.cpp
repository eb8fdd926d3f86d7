#include "snippets/gui/option_lists_editor.h"

#include "base/error.h"
#include "shell/gui/app_services.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "snippets/gui/option_dialog.h"
#include "snippets/option_file.h"
#include "ui_option_lists_editor.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

namespace vendaxo {

namespace {

constexpr int kNormalWidth = 201;
constexpr int kNormalGridWidth = 185;
constexpr int kGridInset = kNormalWidth - kNormalGridWidth;
constexpr int kWideWidth = 560;
constexpr int kWideGridWidth = 540;
constexpr int kWideFrom = 300;

using Widgets = std::initializer_list<QWidget*>;

std::filesystem::path pathOf(const QString& name) {
    return std::filesystem::path(name.toStdU16String());
}

// Titles cannot become the current cell, yet read as a header rather than as
// disabled text.
class TitleRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->widget && option->widget->isEnabled()) {
            option->state |= QStyle::State_Enabled;
            option->palette.setCurrentColorGroup(QPalette::Active);
        }
    }
};

} // namespace

struct OptionListsEditor::Private {
    Private(OptionListsEditor& editor, AppServices& appServices)
        : q(editor), services(appServices), optionDialog(new OptionDialog(services.prompts, &q)) {}

    std::size_t column() const {
        return static_cast<std::size_t>(std::max(ui.optionGrid->currentColumn(), 0));
    }
    std::size_t row() const {
        return static_cast<std::size_t>(std::max(ui.optionGrid->currentRow(), 0));
    }
    std::array<QWidget*, 4> speedControls() const {
        return {ui.maximizeButton, ui.loadButton, ui.saveButton, ui.styleCombo};
    }
    QString currency() const { return toQt(services.profile.currencySymbol); }
    void showError(const Error& error) { services.prompts.error(&q, toQt(error.what())); }

    // Runs a command on a copy of the lists, so a refused one changes nothing.
    template <typename Command> void change(Command&& command) {
        OptionGrid changed = grid;
        try {
            command(changed);
        } catch (const Error& error) {
            showError(error);
            return;
        }
        grid = std::move(changed);
        showGrid();
        q.setChanged(true);
        refreshCommands();
    }

    void showGrid(int currentColumn = -1);
    void refreshCommands();
    void followEnableBox();
    void setWide(bool wide);

    void addList();
    void removeList();
    void renameList();
    void editItem(OptionDialog::Mode mode);
    void removeItem();
    void listMoved(int from, int to);
    void load();
    bool save();

    OptionListsEditor& q;
    AppServices& services;
    Ui::OptionListsEditor ui;
    OptionDialog* optionDialog;
    OptionGrid grid;
    bool changed = false;
    int normalWidth = kNormalWidth;
};

// The table mirrors the lists; the current cell stays where it was as far as
// the new shape allows, and never on the title row.
void OptionListsEditor::Private::showGrid(int currentColumn) {
    QTableWidget* table = ui.optionGrid;
    const int oldRow = table->currentRow();
    const int oldColumn = currentColumn >= 0 ? currentColumn : table->currentColumn();
    const QSignalBlocker blocker(table);
    const int columns = static_cast<int>(grid.columnCount());
    const int rows = static_cast<int>(grid.rowCount());
    table->clearContents();
    table->setColumnCount(columns);
    table->setRowCount(rows);
    const int firstItemRow = grid.hasTitleRow() ? 1 : 0;
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            auto* item = new QTableWidgetItem(
                toQt(grid.cell(static_cast<std::size_t>(c), static_cast<std::size_t>(r))));
            if (r < firstItemRow) {
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(table->palette().button());
            }
            table->setItem(r, c, item);
        }
    }
    table->setCurrentCell(std::clamp(oldRow, firstItemRow, rows - 1),
                          std::clamp(oldColumn, 0, columns - 1));
}

void OptionListsEditor::Private::refreshCommands() {
    const std::string& title = grid.title(column());
    const std::string& cell = grid.cell(column(), row());
    ui.removeListButton->setEnabled(true);
    ui.hintLabel->setText(tr("Option List (%1) = %2").arg(toQt(title), toQt(cell)));
    ui.removeOptionButton->setEnabled(!cell.empty());
    ui.addOptionButton->setEnabled(!title.empty());
}

void OptionListsEditor::Private::followEnableBox() {
    const bool on = ui.enableOptionsCheck->isChecked();
    if (!on && q.width() > kWideFrom)
        setWide(false);
    for (QWidget* widget :
         Widgets{ui.optionGrid, ui.hintLabel, ui.addListButton, ui.renameListButton})
        widget->setEnabled(on);
    for (QWidget* widget : Widgets{ui.removeListButton, ui.addOptionButton, ui.removeOptionButton})
        widget->setEnabled(false);
    for (QWidget* widget : speedControls())
        widget->setVisible(on);
    if (on)
        refreshCommands();
}

void OptionListsEditor::Private::setWide(bool wide) {
    q.setFixedWidth(wide ? kWideWidth : normalWidth);
    ui.optionGrid->setFixedWidth(wide ? kWideGridWidth : normalWidth - kGridInset);
}

void OptionListsEditor::Private::addList() {
    const auto title = services.prompts.inputText(&q, tr("New Option List..."),
                                                  tr("Enter the option list title:"), QString());
    if (!title || title->isEmpty())
        return;
    change([&](OptionGrid& lists) { lists.addList(title->toStdString()); });
}

void OptionListsEditor::Private::removeList() {
    const QString title = toQt(grid.title(column()));
    if (!services.prompts.confirm(&q, tr("Confirmation"),
                                  tr("Remove Option List (%1)?").arg(title)))
        return;
    change([&](OptionGrid& lists) { lists.removeList(column()); });
}

void OptionListsEditor::Private::renameList() {
    const QString title = toQt(grid.title(column()));
    if (title.isEmpty())
        return;
    const auto answer =
        services.prompts.inputText(&q, tr("Enter New Option List Title..."),
                                   tr("Enter the new title for the option list"), title);
    // An empty title would let the first item move up into its place.
    if (!answer || answer->isEmpty() || *answer == title)
        return;
    change([&](OptionGrid& lists) { lists.renameList(column(), answer->toStdString()); });
}

void OptionListsEditor::Private::editItem(OptionDialog::Mode mode) {
    optionDialog->prepare(mode, toQt(grid.cell(column(), row())), currency());
    if (optionDialog->exec() != QDialog::Accepted)
        return;
    const std::string text = optionDialog->itemText().toStdString();
    change([&](OptionGrid& lists) {
        if (mode == OptionDialog::Mode::Edit)
            lists.setCell(column(), row(), text);
        else
            lists.addItem(column(), text);
    });
}

void OptionListsEditor::Private::removeItem() {
    const QString text = toQt(grid.cell(column(), row()));
    if (!services.prompts.confirm(&q, tr("Confirmation"), tr("Remove Option (%1)?").arg(text)))
        return;
    change([&](OptionGrid& lists) { lists.removeItem(column(), row()); });
}

// A dragged column: the lists take the new order and the table returns to
// showing them in their own order, each keeping its width.
void OptionListsEditor::Private::listMoved(int from, int to) {
    QHeaderView* header = ui.optionGrid->horizontalHeader();
    std::vector<int> widths;
    for (int visual = 0; visual < header->count(); ++visual)
        widths.push_back(header->sectionSize(header->logicalIndex(visual)));
    const int current = header->visualIndex(ui.optionGrid->currentColumn());
    {
        const QSignalBlocker blocker(header);
        header->moveSection(to, from);
    }
    grid.moveList(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    showGrid(current);
    for (int c = 0; c < static_cast<int>(widths.size()); ++c)
        header->resizeSection(c, widths[static_cast<std::size_t>(c)]);
    q.setChanged(true);
    refreshCommands();
}

void OptionListsEditor::Private::load() {
    const QString name = services.prompts.openFileName(
        &q, tr("Load Option List from Disk"), tr("VDX Option File (*.vdx *.VDX);;All Files (*)"));
    if (name.isEmpty())
        return;
    OptionGrid loaded = grid;
    try {
        loaded.rebuild(readOptionFile(pathOf(name)));
    } catch (const Error& error) {
        showError(error);
        return;
    }
    grid = std::move(loaded);
    showGrid();
    q.setChanged(false);
    followEnableBox();
}

bool OptionListsEditor::Private::save() {
    QString name = services.prompts.saveFileName(&q, tr("Save Current Product Options..."),
                                                 tr("Vdx Option File (*.vdx *.VDX)"));
    if (name.isEmpty())
        return false;
    if (QFileInfo(name).suffix().isEmpty()) {
        // The dialog asked about the name as typed, not about the one written.
        name += name.endsWith(QLatin1Char('.')) ? QStringLiteral("vdx") : QStringLiteral(".vdx");
        if (QFileInfo::exists(name) &&
            !services.prompts.confirm(&q, tr("Confirmation"),
                                      tr("%1 already exists.\nDo you want to replace it?")
                                          .arg(QFileInfo(name).fileName())))
            return false;
    }
    try {
        writeOptionFile(pathOf(name), grid);
    } catch (const Error& error) {
        showError(error);
        return false;
    }
    q.setChanged(false);
    return true;
}

OptionListsEditor::OptionListsEditor(AppServices& services, QWidget* parent)
    : QGroupBox(parent), d(std::make_unique<Private>(*this, services)) {
    d->ui.setupUi(this);
    setObjectName(QStringLiteral("optionListsEditor"));
    setTitle(tr("Enter Product Options (ex: colors, sizes)"));
    d->ui.maximizeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarMaxButton));
    d->ui.loadButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    d->ui.saveButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    d->ui.styleCombo->setCurrentIndex(static_cast<int>(OptionStyle::None));
    // Hidden speed buttons keep their row, so the group keeps its height.
    for (QWidget* widget : d->speedControls()) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    d->ui.optionGrid->horizontalHeader()->setSectionsMovable(true);
    d->ui.optionGrid->setItemDelegate(new TitleRowDelegate(d->ui.optionGrid));
    d->ui.optionGrid->verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() + 8);
    // Two lines for the hint, so a long item does not move the buttons.
    d->ui.hintLabel->setMinimumHeight(2 * fontMetrics().lineSpacing());
    // Wider than the usual width where the caption needs it, so it is not cut.
    d->setWide(false);
    d->normalWidth = std::clamp(minimumSizeHint().width(), kNormalWidth, kWideFrom - 1);
    d->setWide(false);
    for (QWidget* widget :
         Widgets{d->ui.addListButton, d->ui.removeListButton, d->ui.renameListButton,
                 d->ui.addOptionButton, d->ui.removeOptionButton})
        widget->setFixedWidth(d->normalWidth - kGridInset);
    d->showGrid();

    connect(d->ui.enableOptionsCheck, &QCheckBox::toggled, this, [this] { d->followEnableBox(); });
    connect(d->ui.optionGrid, &QTableWidget::currentCellChanged, this, [this] {
        if (d->ui.enableOptionsCheck->isChecked())
            d->refreshCommands();
    });
    connect(d->ui.optionGrid, &QTableWidget::cellDoubleClicked, this,
            [this] { d->editItem(OptionDialog::Mode::Edit); });
    connect(d->ui.optionGrid->horizontalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int from, int to) { d->listMoved(from, to); });
    connect(d->ui.maximizeButton, &QToolButton::clicked, this,
            [this] { d->setWide(width() < kWideFrom); });
    connect(d->ui.loadButton, &QToolButton::clicked, this, [this] { d->load(); });
    connect(d->ui.saveButton, &QToolButton::clicked, this, [this] { saveOptionList(); });
    connect(d->ui.addListButton, &QPushButton::clicked, this, [this] { d->addList(); });
    connect(d->ui.removeListButton, &QPushButton::clicked, this, [this] { d->removeList(); });
    connect(d->ui.renameListButton, &QPushButton::clicked, this, [this] { d->renameList(); });
    connect(d->ui.addOptionButton, &QPushButton::clicked, this,
            [this] { d->editItem(OptionDialog::Mode::Add); });
    connect(d->ui.removeOptionButton, &QPushButton::clicked, this, [this] { d->removeItem(); });

    d->followEnableBox();
}

OptionListsEditor::~OptionListsEditor() = default;

bool OptionListsEditor::optionsEnabled() const {
    return d->ui.enableOptionsCheck->isChecked();
}

void OptionListsEditor::setOptionsEnabled(bool enabled) {
    const QSignalBlocker blocker(d->ui.enableOptionsCheck);
    d->ui.enableOptionsCheck->setChecked(enabled);
    d->followEnableBox();
}

OptionStyle OptionListsEditor::optionStyle() const {
    switch (d->ui.styleCombo->currentIndex()) {
    case 0:
        return OptionStyle::DropDown;
    case 1:
        return OptionStyle::Radio;
    default:
        return OptionStyle::None;
    }
}

void OptionListsEditor::setOptionStyle(OptionStyle style) {
    d->ui.styleCombo->setCurrentIndex(static_cast<int>(style));
}

const OptionGrid& OptionListsEditor::grid() const {
    return d->grid;
}

void OptionListsEditor::setGrid(const OptionGrid& grid) {
    d->grid = grid;
    d->showGrid();
    d->followEnableBox();
}

bool OptionListsEditor::isChanged() const {
    return d->changed;
}

void OptionListsEditor::setChanged(bool changed) {
    if (changed == d->changed)
        return;
    d->changed = changed;
    emit changedFlagChanged(changed);
}

void OptionListsEditor::prepareForShow() {
    if (optionStyle() == OptionStyle::None)
        setOptionStyle(OptionStyle::DropDown);
    d->followEnableBox();
}

bool OptionListsEditor::saveOptionList() {
    return d->save();
}

} // namespace vendaxo
