#include "snippets/gui/option_lists_editor.h"

#include "base/error.h"
#include "shell/gui/app_services.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "snippets/gui/option_dialog.h"
#include "snippets/option_file.h"
#include "ui_option_lists_editor.h"

#include <QFileInfo>
#include <QScreen>
#include <QSignalBlocker>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <limits>

namespace vendaxo {

namespace {

constexpr int kNormalWidth = 201;
constexpr int kNormalGridWidth = 185;
constexpr int kGridInset = kNormalWidth - kNormalGridWidth;
constexpr int kWideWidth = 560;
constexpr int kWideGridWidth = 540;
constexpr int kWideGridInset = kWideWidth - kWideGridWidth;
constexpr int kWideFrom = 300;

using Widgets = std::initializer_list<QWidget*>;

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
    // The lists are shown with `currentColumn` current when given.
    template <typename Command> void change(Command&& command, int currentColumn = -1) {
        OptionGrid changed = grid;
        try {
            command(changed);
        } catch (const Error& error) {
            showError(error);
            return;
        }
        grid = std::move(changed);
        ui.optionGrid->showGrid(grid, currentColumn);
        q.setChanged(true);
        refreshCommands();
    }

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
    QString lastFile; // loaded or saved
};

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

// Wide, as far as the screen has room beside the rest of the window.
void OptionListsEditor::Private::setWide(bool wide) {
    int width = normalWidth;
    if (wide) {
        const int besides = q.window()->frameGeometry().width() - q.width();
        const int room = q.screen()->availableGeometry().width() - besides;
        width = std::clamp(room, normalWidth, kWideWidth);
    }
    q.setFixedWidth(width);
    ui.optionGrid->setFixedWidth(width - (wide ? kWideGridInset : kGridInset));
    ui.optionGrid->fitColumns();
}

void OptionListsEditor::Private::addList() {
    const auto title = services.prompts.inputText(&q, tr("New Option List..."),
                                                  tr("Enter the option list title:"), QString());
    if (!title || title->isEmpty())
        return;
    // The new list, the last one, becomes current, so "Add Option..." fills it.
    change([&](OptionGrid& lists) { lists.addList(title->toStdString()); },
           std::numeric_limits<int>::max());
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
    if (!answer || *answer == title)
        return;
    change([&](OptionGrid& lists) { lists.renameList(column(), answer->toStdString()); });
}

void OptionListsEditor::Private::editItem(OptionDialog::Mode mode) {
    const std::string symbol = services.profile.currencySymbol;
    optionDialog->prepare(mode, toQt(symbol));
    optionDialog->setValue(mode == OptionDialog::Mode::Edit
                               ? OptionItem::parse(grid.cell(column(), row()), symbol)
                               : OptionItem{});
    if (optionDialog->exec() != QDialog::Accepted)
        return;
    const std::string text = optionDialog->value().text(symbol);
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

void OptionListsEditor::Private::listMoved(int from, int to) {
    grid.moveList(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    ui.optionGrid->showGrid(grid);
    q.setChanged(true);
}

void OptionListsEditor::Private::load() {
    if (!q.settleChanges())
        return;
    const QString name = services.prompts.openFileName(
        &q, tr("Load Option List from Disk"), tr("VDX Option File (*.vdx *.VDX);;All Files (*)"));
    if (name.isEmpty())
        return;
    OptionGrid loaded = grid;
    try {
        loaded.rebuild(readOptionFile(toPath(name)));
    } catch (const Error& error) {
        showError(error);
        return;
    }
    grid = std::move(loaded);
    lastFile = name;
    ui.optionGrid->showGrid(grid);
    q.setChanged(false);
    followEnableBox();
}

bool OptionListsEditor::Private::save() {
    QString name = services.prompts.saveFileName(&q, tr("Save Current Product Options..."),
                                                 tr("Vdx Option File (*.vdx *.VDX)"), lastFile);
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
        writeOptionFile(toPath(name), grid);
    } catch (const Error& error) {
        showError(error);
        return false;
    }
    lastFile = name;
    q.setChanged(false);
    return true;
}

OptionListsEditor::OptionListsEditor(AppServices& services, QWidget* parent)
    : QGroupBox(parent), d(std::make_unique<Private>(*this, services)) {
    Ui::OptionListsEditor& ui = d->ui;
    ui.setupUi(this);
    setObjectName(QStringLiteral("optionListsEditor"));
    setTitle(tr("Enter Product Options (ex: colors, sizes)"));
    ui.maximizeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarMaxButton));
    ui.loadButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    ui.saveButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    ui.styleCombo->setCurrentIndex(static_cast<int>(OptionStyle::None));
    // Hidden speed buttons keep their row, so the group keeps its height.
    for (QWidget* widget : d->speedControls()) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    // Flat buttons draw no focus of their own; Tab must show where it is.
    for (QToolButton* button : {ui.maximizeButton, ui.loadButton, ui.saveButton})
        button->setStyleSheet(
            QStringLiteral("QToolButton:focus { border: 1px solid palette(highlight); }"));
    // Two lines for the hint, so a long item does not move the buttons.
    ui.hintLabel->setMinimumHeight(2 * fontMetrics().lineSpacing());
    // Wider than the usual width where the caption needs it, so it is not cut.
    d->setWide(false);
    d->normalWidth = std::clamp(minimumSizeHint().width(), kNormalWidth, kWideFrom - 1);
    d->setWide(false);
    for (QWidget* widget : Widgets{ui.addListButton, ui.removeListButton, ui.renameListButton,
                                   ui.addOptionButton, ui.removeOptionButton})
        widget->setFixedWidth(d->normalWidth - kGridInset);
    ui.optionGrid->showGrid(d->grid);

    connect(ui.enableOptionsCheck, &QCheckBox::toggled, this, [this] { d->followEnableBox(); });
    connect(ui.optionGrid, &QTableWidget::currentCellChanged, this, [this] {
        if (d->ui.enableOptionsCheck->isChecked())
            d->refreshCommands();
    });
    connect(ui.optionGrid, &OptionGridView::editRequested, this,
            [this] { d->editItem(OptionDialog::Mode::Edit); });
    connect(ui.optionGrid, &OptionGridView::listMoved, this,
            [this](int from, int to) { d->listMoved(from, to); });
    connect(ui.maximizeButton, &QToolButton::clicked, this,
            [this] { d->setWide(width() < kWideFrom); });
    connect(ui.loadButton, &QToolButton::clicked, this, [this] { d->load(); });
    connect(ui.saveButton, &QToolButton::clicked, this, [this] { saveOptionList(); });
    connect(ui.addListButton, &QPushButton::clicked, this, [this] { d->addList(); });
    connect(ui.removeListButton, &QPushButton::clicked, this, [this] { d->removeList(); });
    connect(ui.renameListButton, &QPushButton::clicked, this, [this] { d->renameList(); });
    connect(ui.addOptionButton, &QPushButton::clicked, this,
            [this] { d->editItem(OptionDialog::Mode::Add); });
    connect(ui.removeOptionButton, &QPushButton::clicked, this, [this] { d->removeItem(); });

    d->followEnableBox();
}

OptionListsEditor::~OptionListsEditor() = default;

ProductOptions OptionListsEditor::value() const {
    OptionStyle style = OptionStyle::None;
    switch (d->ui.styleCombo->currentIndex()) {
    case 0:
        style = OptionStyle::DropDown;
        break;
    case 1:
        style = OptionStyle::Radio;
        break;
    default:
        break;
    }
    return {d->ui.enableOptionsCheck->isChecked(), style, d->grid};
}

void OptionListsEditor::setValue(const ProductOptions& options) {
    d->grid = options.grid;
    d->ui.optionGrid->showGrid(d->grid);
    d->ui.styleCombo->setCurrentIndex(static_cast<int>(options.style));
    const QSignalBlocker blocker(d->ui.enableOptionsCheck);
    d->ui.enableOptionsCheck->setChecked(options.enabled);
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
    if (d->ui.styleCombo->currentIndex() < 0)
        d->ui.styleCombo->setCurrentIndex(static_cast<int>(OptionStyle::DropDown));
    d->followEnableBox();
}

bool OptionListsEditor::saveOptionList() {
    return d->save();
}

QMessageBox::StandardButton OptionListsEditor::askToSaveChanges() {
    return d->services.prompts.message(this, QMessageBox::Question, tr("Save Changes..."),
                                       tr("Do you want to save your option list changes?"),
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

bool OptionListsEditor::settleChanges() {
    if (!d->changed)
        return true;
    switch (askToSaveChanges()) {
    case QMessageBox::Yes:
        return saveOptionList();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

} // namespace vendaxo
