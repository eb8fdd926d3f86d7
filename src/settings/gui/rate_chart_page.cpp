#include "settings/gui/rate_chart_page.h"

#include "settings/gui/break_point_dialog.h"
#include "shell/gui/app_services.h"
#include "shell/gui/numeric_key_filter.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "shell/settings_store.h"
#include "ui_shipping_dialog.h"

#include <algorithm>

namespace vendaxo {

struct RateChartPage::Private {
    Private(RateChartPage* page, QWidget* dialog, AppServices& services, Ui::ShippingDialog& ui)
        : page(page), q(dialog), services(services), ui(ui) {}

    RateChartPage* page;
    QWidget* q; // the shipping dialog
    AppServices& services;
    Ui::ShippingDialog& ui;
    BreakPointDialog* breakPoints = nullptr; // made on first use
    QString currency = QStringLiteral("$");
    RateChart grid;        // the chart in the grid: the single chart or the shown named chart
    RateChart singleChart; // as loaded, while another method shows
    std::vector<RateChart> charts; // one per chart name; the shown one is edited in `grid`
    std::size_t shownChart = 0;

    ChartBasis chartBasis() const {
        return static_cast<ChartBasis>(std::max(ui.compareByCombo->currentIndex(), 0));
    }

    void showGrid(int currentRow);
    void takeZeroCharge(bool zeroIfEmpty);
    void captureShownChart();
    void showNamedChart(int index);
    void selectChart(int index);
    void addChart();
    void removeChart();
    void renameChart(QListWidgetItem* item);
    bool acceptableChartName(const QString& name);
    void writeChartNames();
    void openBreakPoints(BreakPointDialog::Mode mode, std::size_t row);
    void removeRate();
};

RateChartPage::RateChartPage(AppServices& services, Ui::ShippingDialog& ui, QWidget* dialog)
    : QObject(dialog), d(std::make_unique<Private>(this, dialog, services, ui)) {
    for (std::string_view name : kChartBasisNames)
        ui.compareByCombo->addItem(toQt(name));

    connect(NumericKeyFilter::install(ui.zeroRateEdit), &NumericKeyFilter::keyReleased, this,
            [this] {
                d->grid.setZeroCharge(d->ui.zeroRateEdit->text().toStdString());
                d->showGrid(d->ui.chartGrid->currentRow());
            });
    connect(ui.compareByCombo, &QComboBox::currentIndexChanged, this,
            [this] { d->showGrid(d->ui.chartGrid->currentRow()); });
    connect(ui.chartGrid, &QTableWidget::currentCellChanged, this,
            [this](int row) { d->ui.removeRateButton->setEnabled(row >= 2); });
    connect(ui.chartGrid, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (row == 1) {
            d->ui.zeroRateEdit->setFocus();
            d->ui.zeroRateEdit->selectAll();
        } else if (row > 1) {
            d->openBreakPoints(BreakPointDialog::Mode::Modify, static_cast<std::size_t>(row - 1));
        }
    });
    connect(ui.addRateButton, &QPushButton::clicked, this,
            [this] { d->openBreakPoints(BreakPointDialog::Mode::Add, 0); });
    connect(ui.removeRateButton, &QPushButton::clicked, this, [this] { d->removeRate(); });

    connect(ui.chartNameList, &QListWidget::currentRowChanged, this,
            [this](int row) { d->selectChart(row); });
    connect(ui.chartNameList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { d->renameChart(item); });
    connect(ui.addChartButton, &QPushButton::clicked, this, [this] { d->addChart(); });
    connect(ui.removeChartButton, &QPushButton::clicked, this, [this] { d->removeChart(); });
}

RateChartPage::~RateChartPage() = default;

ChartBasis RateChartPage::chartBasis() const {
    return d->chartBasis();
}

void RateChartPage::setValue(const ShippingSettings& s) {
    Ui::ShippingDialog& ui = d->ui;
    ui.compareByCombo->setCurrentIndex(static_cast<int>(s.chartBasis));
    {
        const QSignalBlocker blocker(ui.chartNameList);
        ui.chartNameList->clear();
        for (const std::string& name : s.chartNames)
            ui.chartNameList->addItem(toQt(name));
    }
    d->singleChart = s.singleChart;
    d->charts = s.charts;
}

void RateChartPage::fillIn(ShippingSettings& s) const {
    s.chartBasis = d->chartBasis();
    s.singleChart = s.method == ShippingMethod::SingleRateChart ? d->grid : d->singleChart;
    s.chartNames = itemTexts(d->ui.chartNameList);
    s.charts = d->charts;
    if (s.method == ShippingMethod::MultipleRateChart && d->shownChart < s.charts.size())
        s.charts[d->shownChart] = d->grid;
}

void RateChartPage::setCurrency(const QString& currency) {
    d->currency = currency;
    d->ui.zeroRateLabel->setText(tr("Zero Base Rate ") + currency);
    d->showGrid(d->ui.chartGrid->currentRow());
}

// `freshCharts`: the charts as stored, dropping edits not saved with OK; a
// load has just read them otherwise.
void RateChartPage::prepare(bool single, bool freshCharts) {
    Ui::ShippingDialog& ui = d->ui;
    ui.chartNamePanel->setVisible(!single);
    ui.chartPictureLabel->setVisible(single);
    if (freshCharts) {
        const ShippingSettings stored = ShippingSettings::load(d->services.store);
        d->singleChart = stored.singleChart;
        d->charts = stored.charts;
    }
    d->charts.resize(static_cast<std::size_t>(ui.chartNameList->count()));
    if (single) {
        d->grid = d->singleChart;
        d->showGrid(-1);
        d->takeZeroCharge(true);
    } else if (d->charts.empty()) {
        d->shownChart = 0;
        d->grid = RateChart::fromText({});
        d->showGrid(-1);
        d->takeZeroCharge(true);
    } else {
        d->showNamedChart(0);
        d->takeZeroCharge(true);
    }
}

// Row 0 of the grid carries the column captions; chart row i is grid row i + 1.
void RateChartPage::Private::showGrid(int currentRow) {
    QTableWidget* table = ui.chartGrid;
    const QSignalBlocker blocker(table);
    const std::vector<RateChart::Row>& rows = grid.rows();
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
    cell(0, 0, tr(kChartBasisNames[static_cast<std::size_t>(chartBasis())].data()));
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
}

// The "Zero Base Rate" edit shows the zero row's charge.
void RateChartPage::Private::takeZeroCharge(bool zeroIfEmpty) {
    const QString charge = toQt(grid.zeroCharge());
    ui.zeroRateEdit->setText(charge.isEmpty() && zeroIfEmpty ? QStringLiteral("0") : charge);
}

void RateChartPage::Private::captureShownChart() {
    if (shownChart < charts.size())
        charts[shownChart] = grid;
}

// Shows a named chart without capturing the one shown before.
void RateChartPage::Private::showNamedChart(int index) {
    {
        const QSignalBlocker blocker(ui.chartNameList);
        ui.chartNameList->setCurrentRow(index);
    }
    ui.removeChartButton->setEnabled(ui.chartNameList->currentRow() >= 0);
    shownChart = static_cast<std::size_t>(index);
    grid = shownChart < charts.size() ? charts[shownChart] : RateChart::fromText({});
    showGrid(-1);
    takeZeroCharge(false);
}

void RateChartPage::Private::selectChart(int index) {
    ui.removeChartButton->setEnabled(index >= 0);
    if (index < 0)
        return;
    captureShownChart();
    showNamedChart(index);
}

bool RateChartPage::Private::acceptableChartName(const QString& name) {
    // Names and charts are stored one a line, the chart after the name and ";".
    if (!name.contains(QLatin1Char(';')) && !name.contains(QLatin1Char('\n')) &&
        !name.contains(QLatin1Char('\r')))
        return true;
    services.prompts.message(q, QMessageBox::Warning, tr("Vendaxo"),
                             tr("A rate chart name cannot contain \";\" or a line break."),
                             QMessageBox::Ok);
    return false;
}

void RateChartPage::Private::addChart() {
    const QString name = services.prompts
                             .inputText(q, tr("Enter New User Selectable Shipping Item..."),
                                        tr("Enter the new user selectable shipping item"), {})
                             .value_or(QString());
    if (name.isEmpty() || !acceptableChartName(name))
        return;
    captureShownChart();
    ui.chartNameList->blockSignals(true);
    ui.chartNameList->addItem(name);
    ui.chartNameList->blockSignals(false);
    charts.resize(static_cast<std::size_t>(ui.chartNameList->count()) - 1);
    charts.push_back(RateChart::fromText({}));
    showNamedChart(ui.chartNameList->count() - 1);
    writeChartNames();
}

void RateChartPage::Private::removeChart() {
    const int row = ui.chartNameList->currentRow();
    if (row < 0)
        return;
    const QString name = ui.chartNameList->item(row)->text();
    if (!services.prompts.confirm(q, tr("Confirmation"),
                                  tr("Remove Shipping Item (%1)?").arg(name)))
        return;
    ui.removeChartButton->setEnabled(false);
    captureShownChart();
    if (static_cast<std::size_t>(row) < charts.size())
        charts.erase(charts.begin() + row);
    {
        const QSignalBlocker blocker(ui.chartNameList);
        delete ui.chartNameList->takeItem(row);
    }
    const std::vector<std::string> names = itemTexts(ui.chartNameList);
    charts.resize(names.size());
    ShippingSettings::saveNamedCharts(services.store, names, charts);
    shownChart = 0;
    if (charts.empty()) {
        grid = RateChart::fromText({});
        showGrid(-1);
        takeZeroCharge(false);
    } else {
        showNamedChart(0);
    }
    writeChartNames();
}

void RateChartPage::Private::renameChart(QListWidgetItem* item) {
    const QString name =
        services.prompts
            .inputText(q, tr("Edit Rate Chart Name..."),
                       tr("Enter the new name for rate chart %1").arg(item->text()), item->text())
            .value_or(QString());
    if (!name.isEmpty() && acceptableChartName(name))
        item->setText(name);
}

void RateChartPage::Private::writeChartNames() {
    ShippingSettings::saveChartNames(services.store, itemTexts(ui.chartNameList));
}

void RateChartPage::Private::openBreakPoints(BreakPointDialog::Mode mode, std::size_t row) {
    if (!breakPoints) {
        breakPoints = new BreakPointDialog(q);
        connect(breakPoints, &BreakPointDialog::chartChanged, page, [this] {
            const std::size_t current = breakPoints->currentRow();
            showGrid(static_cast<int>(current) + 1);
            if (current == 0)
                takeZeroCharge(false);
        });
    }
    breakPoints->prepare(mode, grid, chartBasis(), currency, row);
    breakPoints->exec();
}

void RateChartPage::Private::removeRate() {
    const int row = ui.chartGrid->currentRow();
    if (row < 2 || static_cast<std::size_t>(row) > grid.rows().size())
        return;
    const RateChart::Row& shown = grid.rows()[static_cast<std::size_t>(row) - 1];
    const QString text =
        tr("Remove %1 (%2 = %3%4)?")
            .arg(tr(kChartBasisNames[static_cast<std::size_t>(chartBasis())].data()),
                 toQt(shown.breakPoint), currency, toQt(shown.charge));
    if (!services.prompts.confirm(q, tr("Confirmation"), text))
        return;
    grid.removeRow(static_cast<std::size_t>(row) - 1);
    showGrid(-1);
}

} // namespace vendaxo
