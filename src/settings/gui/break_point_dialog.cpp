#include "settings/gui/break_point_dialog.h"

#include "shell/gui/numeric_key_filter.h"
#include "shell/gui/qt_text.h"
#include "ui_break_point_dialog.h"

namespace vendaxo {

struct BreakPointDialog::Private {
    Ui::BreakPointDialog ui;
    bool modify = false;
    RateChart::Row entered;
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

void BreakPointDialog::prepareAdd(ChartBasis basis, const QString& currency) {
    showBasis(basis, currency);
    d->ui.breakPointEdit->clear();
    d->ui.chargeEdit->clear();
    showMode(false);
}

void BreakPointDialog::prepareModify(const RateChart::Row& row, ChartBasis basis,
                                     const QString& currency) {
    showBasis(basis, currency);
    d->ui.breakPointEdit->setText(toQt(row.breakPoint));
    d->ui.chargeEdit->setText(toQt(row.charge));
    showMode(true);
}

RateChart::Row BreakPointDialog::row() const {
    return d->entered;
}

void BreakPointDialog::showBasis(ChartBasis basis, const QString& currency) {
    Ui::BreakPointDialog& ui = d->ui;
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
}

void BreakPointDialog::showMode(bool modify) {
    Ui::BreakPointDialog& ui = d->ui;
    d->modify = modify;
    setWindowTitle(modify ? tr("Modify Shipping Break Point...")
                          : tr("Add New Shipping Break Point..."));
    ui.closeButton->setText(modify ? tr("Cancel") : tr("Close"));
    ui.closeAfterOkCheck->setVisible(!modify);
    ui.breakPointEdit->setEnabled(!modify);
    updateOkButton();
}

void BreakPointDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (d->modify) {
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
    Ui::BreakPointDialog& ui = d->ui;
    if (!ui.okButton->isEnabled())
        return;
    d->entered = {textOf(ui.breakPointEdit), textOf(ui.chargeEdit)};
    emit breakPointEntered();
    if (d->modify || ui.closeAfterOkCheck->isChecked()) {
        accept();
        return;
    }
    // Ready for the next break point.
    ui.breakPointEdit->clear();
    ui.chargeEdit->clear();
    ui.breakPointEdit->setFocus();
    updateOkButton();
}

} // namespace vendaxo
