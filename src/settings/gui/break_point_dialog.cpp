#include "settings/gui/break_point_dialog.h"

#include "shell/gui/numeric_key_filter.h"
#include "ui_break_point_dialog.h"

namespace vendaxo {

struct BreakPointDialog::Private {
    Ui::BreakPointDialog ui;
    Mode mode = Mode::Add;
    RateChart* chart = nullptr;
    std::size_t current = 0;
};

BreakPointDialog::BreakPointDialog(QWidget* parent)
    : QDialog(parent), d(std::make_unique<Private>()) {
    d->ui.setupUi(this);
    for (QLineEdit* edit : {d->ui.breakPointEdit, d->ui.chargeEdit}) {
        connect(
            NumericKeyFilter::install(edit), &NumericKeyFilter::keyReleased, this, [this](int key) {
                updateOkButton();
                // No button is the default, so the press did nothing and
                // the release is the one Enter.
                if ((key == Qt::Key_Return || key == Qt::Key_Enter) && d->ui.okButton->isEnabled())
                    d->ui.okButton->click();
            });
    }
    connect(d->ui.okButton, &QPushButton::clicked, this, &BreakPointDialog::acceptBreakPoint);
    connect(d->ui.closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

BreakPointDialog::~BreakPointDialog() = default;

void BreakPointDialog::prepare(Mode mode, RateChart& chart, ChartBasis basis,
                               const QString& currency, std::size_t row) {
    Ui::BreakPointDialog& ui = d->ui;
    d->mode = mode;
    d->chart = &chart;
    d->current = row;
    switch (basis) {
    case ChartBasis::Dollar:
        ui.breakPointGroup->setTitle(tr("Price Break Point"));
        ui.breakPointLabel->setText(tr("Amount Break Point"));
        break;
    case ChartBasis::Weight:
        ui.breakPointGroup->setTitle(tr("Weight Break Point"));
        ui.breakPointLabel->setText(tr("Weight Break Point"));
        break;
    case ChartBasis::Quantity:
        ui.breakPointGroup->setTitle(tr("Quantity Break Point"));
        ui.breakPointLabel->setText(tr("Quantity Break Point"));
        break;
    }
    ui.chargeLabel->setText(tr("Shipping Charge Above Break Point"));
    ui.breakPointSignLabel->setText(basis == ChartBasis::Dollar ? currency : QString());
    ui.chargeSignLabel->setText(currency);

    const bool modify = mode == Mode::Modify && row < chart.rows().size();
    if (modify) {
        ui.breakPointEdit->setText(QString::fromStdString(chart.rows()[row].breakPoint));
        ui.chargeEdit->setText(QString::fromStdString(chart.rows()[row].charge));
        setWindowTitle(tr("Modify Shipping Break Point..."));
        ui.closeButton->setText(tr("Cancel"));
    } else {
        d->mode = Mode::Add;
        ui.breakPointEdit->clear();
        ui.chargeEdit->clear();
        setWindowTitle(tr("Add New Shipping Break Point..."));
        ui.closeButton->setText(tr("Close"));
    }
    ui.closeAfterOkCheck->setVisible(!modify);
    ui.breakPointEdit->setEnabled(!modify);
    updateOkButton();
}

std::size_t BreakPointDialog::currentRow() const {
    return d->current;
}

void BreakPointDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (d->mode == Mode::Modify) {
        d->ui.chargeEdit->setFocus();
        d->ui.chargeEdit->selectAll();
    } else {
        d->ui.breakPointEdit->setFocus();
    }
}

void BreakPointDialog::updateOkButton() {
    d->ui.okButton->setEnabled(!d->ui.breakPointEdit->text().isEmpty() &&
                               !d->ui.chargeEdit->text().isEmpty());
}

void BreakPointDialog::acceptBreakPoint() {
    if (!d->chart || !d->ui.okButton->isEnabled())
        return;
    d->current = d->chart->setCharge(d->ui.breakPointEdit->text().toStdString(),
                                     d->ui.chargeEdit->text().toStdString());
    emit chartChanged();
    if (d->mode == Mode::Modify || d->ui.closeAfterOkCheck->isChecked())
        accept();
}

} // namespace vendaxo
