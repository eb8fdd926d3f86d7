#include "settings/gui/rate_chart_page.h"

#include "settings/gui/break_point_dialog.h"
#include "settings/gui/item_keys.h"
#include "shell/gui/numeric_key_filter.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "ui_rate_chart_page.h"

#include <QScreen>
#include <algorithm>

namespace vendaxo {

namespace {

// Puts `window` beside `anchor`: to its right, or to its left when the screen
// has no room there, so the window never hides what it edits.
void placeBeside(QWidget* window, const QWidget* anchor) {
    constexpr int kGap = 8;
    window->adjustSize();
    const QWidget* host = anchor->window();
    // Before its first showing the window's frame is unknown: its owner's is alike.
    const QSize frame = host->frameGeometry().size() - host->size();
    const QSize outer = window->size() + frame;
    const QRect target(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    const QRect screen = anchor->screen()->availableGeometry();
    const int rightRoom = screen.right() - target.right() - kGap;
    const int leftRoom = target.left() - screen.left() - kGap;
    int x = target.right() + 1 + kGap;
    if (rightRoom < outer.width() && leftRoom > rightRoom)
        x = target.left() - kGap - outer.width();
    x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - outer.width()));
    const int y = std::clamp(target.top(), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - outer.height()));
    window->move(x, y);
}

} // namespace

struct RateChartPage::Private {
    Private(RateChartPage* q, Prompts& prompts) : q(q), prompts(prompts) {}

    RateChartPage* q;
    Prompts& prompts;
    Ui::RateChartPage ui;
    BreakPointDialog* breakPoints = nullptr; // made on first use
    QString currency = QStringLiteral("$");
    RateCharts charts;
    bool single = true;
    std::size_t shownChart = 0; // the named chart in the grid

    // The chart in the grid; none while the multiple chart has no name.
    RateChart* shown() {
        if (single)
            return &charts.single;
        return shownChart < charts.named.size() ? &charts.named[shownChart] : nullptr;
    }

    void showGrid(int currentRow);
    void showZeroCharge(bool zeroIfEmpty);
    void showNamedChart(int index);
    void activateRow(int row);
    void addChart();
    void removeChart();
    void renameChart(QListWidgetItem* item);
    bool acceptableChartName(const QString& name);
    void openBreakPoints(const RateChart::Row* modified);
    void enterBreakPoint();
    void removeRate();
};

RateChartPage::RateChartPage(Prompts& prompts, QWidget* parent)
    : QWidget(parent), d(std::make_unique<Private>(this, prompts)) {
    Ui::RateChartPage& ui = d->ui;
    ui.setupUi(this);
    for (std::string_view name : kChartBasisNames)
        ui.compareByCombo->addItem(toQt(name));

    connect(NumericKeyFilter::install(ui.zeroRateEdit), &NumericKeyFilter::keyReleased, this,
            [this] {
                if (RateChart* chart = d->shown()) {
                    chart->setZeroCharge(textOf(d->ui.zeroRateEdit));
                    d->showGrid(d->ui.chartGrid->currentRow());
                }
            });
    connect(ui.compareByCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        d->charts.basis = static_cast<ChartBasis>(std::max(index, 0));
        d->showGrid(d->ui.chartGrid->currentRow());
    });
    connect(ui.chartGrid, &QTableWidget::currentCellChanged, this,
            [this](int row) { d->ui.removeRateButton->setEnabled(row >= 2); });
    connect(ui.chartGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { d->activateRow(row); });
    onItemKeys(ui.chartGrid, [this](int row) { d->activateRow(row); });
    connect(ui.addRateButton, &QPushButton::clicked, this, [this] { d->openBreakPoints(nullptr); });
    connect(ui.removeRateButton, &QPushButton::clicked, this, [this] { d->removeRate(); });

    connect(ui.chartNameList, &QListWidget::currentRowChanged, this, [this](int row) {
        d->ui.removeChartButton->setEnabled(row >= 0);
        if (row >= 0)
            d->showNamedChart(row);
    });
    connect(ui.chartNameList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { d->renameChart(item); });
    onItemKeys(ui.chartNameList,
               [this](int row) { d->renameChart(d->ui.chartNameList->item(row)); });
    connect(ui.addChartButton, &QPushButton::clicked, this, [this] { d->addChart(); });
    connect(ui.removeChartButton, &QPushButton::clicked, this, [this] { d->removeChart(); });
}

RateChartPage::~RateChartPage() = default;

RateCharts RateChartPage::value() const {
    return d->charts;
}

void RateChartPage::setValue(const RateCharts& charts) {
    d->charts = charts;
    d->charts.named.resize(d->charts.names.size());
    {
        const QSignalBlocker blocker(d->ui.compareByCombo);
        d->ui.compareByCombo->setCurrentIndex(static_cast<int>(charts.basis));
    }
    {
        const QSignalBlocker blocker(d->ui.chartNameList);
        showItems(d->ui.chartNameList, charts.names);
    }
    showCharts(d->single);
}

void RateChartPage::setCurrency(const QString& currency) {
    d->currency = currency;
    d->ui.zeroRateLabel->setText(tr("Zero Base Rate ") + currency);
    d->showGrid(d->ui.chartGrid->currentRow());
}

void RateChartPage::setPicture(const QPixmap& picture) {
    d->ui.chartPictureLabel->setPixmap(picture);
}

void RateChartPage::showCharts(bool single) {
    Ui::RateChartPage& ui = d->ui;
    d->single = single;
    ui.chartNamePanel->setVisible(!single);
    ui.chartPictureLabel->setVisible(single);
    if (single) {
        d->showGrid(-1);
        d->showZeroCharge(true);
    } else {
        d->showNamedChart(d->charts.names.empty() ? -1 : 0);
        d->showZeroCharge(true);
    }
}

// Row 0 of the grid carries the column captions; chart row i is grid row i + 1.
void RateChartPage::Private::showGrid(int currentRow) {
    QTableWidget* table = ui.chartGrid;
    const QSignalBlocker blocker(table);
    const RateChart empty;
    const RateChart* chart = shown();
    const std::vector<RateChart::Row>& rows = (chart ? *chart : empty).rows();
    table->clearContents();
    table->setRowCount(static_cast<int>(rows.size()) + 1);
    const auto cell = [table](int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        if (row == 0) {
            item->setFlags(Qt::ItemIsEnabled);
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
            item->setBackground(table->palette().button());
        }
        table->setItem(row, column, item);
    };
    cell(0, 0, tr(kChartBasisNames[static_cast<std::size_t>(charts.basis)].data()));
    cell(0, 1, tr("Rate (%1)").arg(currency));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        cell(static_cast<int>(i) + 1, 0, toQt(rows[i].breakPoint));
        cell(static_cast<int>(i) + 1, 1, toQt(rows[i].charge));
    }
    if (currentRow > 0 && currentRow < table->rowCount())
        table->setCurrentCell(currentRow, 0);
    else
        table->setCurrentCell(-1, -1);
    ui.removeRateButton->setEnabled(table->currentRow() >= 2);
    // Without a chart name there is no chart to keep an edit in.
    for (QWidget* w : std::initializer_list<QWidget*>{table, ui.addRateButton, ui.zeroRateEdit})
        w->setEnabled(chart != nullptr);
}

// The "Zero Base Rate" edit shows the zero row's charge.
void RateChartPage::Private::showZeroCharge(bool zeroIfEmpty) {
    const RateChart* chart = shown();
    const QString charge = chart ? toQt(chart->zeroCharge()) : QString();
    ui.zeroRateEdit->setText(charge.isEmpty() && zeroIfEmpty ? QStringLiteral("0") : charge);
}

void RateChartPage::Private::showNamedChart(int index) {
    {
        const QSignalBlocker blocker(ui.chartNameList);
        ui.chartNameList->setCurrentRow(index);
    }
    ui.removeChartButton->setEnabled(index >= 0);
    shownChart = static_cast<std::size_t>(std::max(index, 0));
    showGrid(-1);
    showZeroCharge(false);
}

// What a double click on a grid row does: the zero row's charge is the edit's,
// every other row opens the break-point window on it.
void RateChartPage::Private::activateRow(int row) {
    const RateChart* chart = shown();
    if (row == 1) {
        ui.zeroRateEdit->setFocus();
        ui.zeroRateEdit->selectAll();
    } else if (chart && row > 1 && static_cast<std::size_t>(row) <= chart->rows().size()) {
        const RateChart::Row modified = chart->rows()[static_cast<std::size_t>(row) - 1];
        openBreakPoints(&modified);
    }
}

bool RateChartPage::Private::acceptableChartName(const QString& name) {
    if (RateCharts::acceptableName(name.toStdString()))
        return true;
    prompts.message(q, QMessageBox::Warning, tr("Vendaxo"),
                    tr("A rate chart name cannot contain \";\" or a line break."), QMessageBox::Ok);
    return false;
}

void RateChartPage::Private::addChart() {
    const QString name = prompts
                             .inputText(q, tr("Enter New User Selectable Shipping Item..."),
                                        tr("Enter the new user selectable shipping item"), {})
                             .value_or(QString());
    if (name.isEmpty() || !acceptableChartName(name))
        return;
    charts.addNamed(name.toStdString());
    {
        const QSignalBlocker blocker(ui.chartNameList);
        ui.chartNameList->addItem(name);
    }
    showNamedChart(ui.chartNameList->count() - 1);
    emit q->chartAdded();
}

void RateChartPage::Private::removeChart() {
    const int row = ui.chartNameList->currentRow();
    if (row < 0)
        return;
    const QString name = ui.chartNameList->item(row)->text();
    if (!prompts.confirm(q, tr("Confirmation"), tr("Remove Shipping Item (%1)?").arg(name)))
        return;
    charts.removeNamed(static_cast<std::size_t>(row));
    {
        const QSignalBlocker blocker(ui.chartNameList);
        delete ui.chartNameList->takeItem(row);
    }
    showNamedChart(charts.names.empty() ? -1 : 0);
    emit q->chartRemoved();
}

void RateChartPage::Private::renameChart(QListWidgetItem* item) {
    const QString name =
        prompts
            .inputText(q, tr("Edit Rate Chart Name..."),
                       tr("Enter the new name for rate chart %1").arg(item->text()), item->text())
            .value_or(QString());
    if (name.isEmpty() || !acceptableChartName(name))
        return;
    charts.names.at(static_cast<std::size_t>(ui.chartNameList->row(item))) = name.toStdString();
    item->setText(name);
}

// `modified`: the row whose charge is to change; none adds a break point.
void RateChartPage::Private::openBreakPoints(const RateChart::Row* modified) {
    if (!shown())
        return;
    if (!breakPoints) {
        breakPoints = new BreakPointDialog(q);
        connect(breakPoints, &BreakPointDialog::breakPointEntered, q,
                [this] { enterBreakPoint(); });
    }
    if (modified)
        breakPoints->prepareModify(*modified, charts.basis, currency);
    else
        breakPoints->prepareAdd(charts.basis, currency);
    placeBeside(breakPoints, ui.chartGrid);
    breakPoints->exec();
}

void RateChartPage::Private::enterBreakPoint() {
    RateChart* chart = shown();
    if (!chart)
        return;
    const RateChart::Row entered = breakPoints->row();
    const std::size_t at = chart->setCharge(entered.breakPoint, entered.charge);
    showGrid(static_cast<int>(at) + 1);
    if (at == 0)
        showZeroCharge(false);
}

void RateChartPage::Private::removeRate() {
    const RateChart* chart = shown();
    const int row = ui.chartGrid->currentRow();
    if (!chart || row < 2 || static_cast<std::size_t>(row) > chart->rows().size())
        return;
    const RateChart::Row& removed = chart->rows()[static_cast<std::size_t>(row) - 1];
    const QString text =
        tr("Remove %1 (%2 = %3%4)?")
            .arg(tr(kChartBasisNames[static_cast<std::size_t>(charts.basis)].data()),
                 toQt(removed.breakPoint), currency, toQt(removed.charge));
    if (!prompts.confirm(q, tr("Confirmation"), text))
        return;
    shown()->removeRow(static_cast<std::size_t>(row) - 1);
    showGrid(-1);
}

} // namespace vendaxo
