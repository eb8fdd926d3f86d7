#include "snippets/gui/option_dialog.h"

#include "shell/gui/numeric_key_filter.h"
#include "shell/gui/prompts.h"
#include "snippets/option_lists.h"
#include "ui_option_dialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <algorithm>

namespace vendaxo {

namespace {

// The adjustment list holds the kinds in the order of PriceAdjustment.
PriceAdjustment kindAt(int index) {
    switch (index) {
    case 1:
        return PriceAdjustment::Add;
    case 2:
        return PriceAdjustment::Subtract;
    default:
        return PriceAdjustment::SamePrice;
    }
}

bool isForbiddenInLabel(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char(';') || c == QLatin1Char('(') ||
           c == QLatin1Char(')');
}

} // namespace

OptionDialog::OptionDialog(Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_ui(std::make_unique<Ui::OptionDialog>()) {
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("optionDialog"));
    // Room for two lines, so the dialog keeps its size as the example changes.
    m_ui->exampleLabel->setMinimumHeight(2 * fontMetrics().lineSpacing() +
                                         2 * m_ui->exampleLabel->margin() +
                                         2 * m_ui->exampleLabel->frameWidth());

    m_ui->labelEdit->installEventFilter(this);
    connect(NumericKeyFilter::install(m_ui->amountEdit), &NumericKeyFilter::keyReleased, this,
            &OptionDialog::amountKeyReleased);
    connect(m_ui->adjustmentCombo, &QComboBox::currentIndexChanged, this,
            &OptionDialog::updateExample);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

OptionDialog::~OptionDialog() = default;

void OptionDialog::prepare(Mode mode, const QString& itemText, const QString& currency) {
    m_currency = currency;
    setWindowTitle(mode == Mode::Add ? tr("Add Option...") : tr("Edit Option..."));
    const OptionItem item = mode == Mode::Edit
                                ? OptionItem::parse(itemText.toStdString(), currency.toStdString())
                                : OptionItem{};
    m_ui->labelEdit->setText(QString::fromStdString(item.label));
    m_ui->amountEdit->setText(QString::fromStdString(item.amount));
    m_ui->adjustmentCombo->setCurrentIndex(static_cast<int>(item.kind));
    m_ui->okButton->setEnabled(mode == Mode::Edit);
    m_ui->currencyLabel->setText(currency);
    updateExample();
    m_ui->labelEdit->setFocus();
}

QString OptionDialog::itemText() const {
    OptionItem item;
    item.label = m_ui->labelEdit->text().toStdString();
    item.kind = kindAt(m_ui->adjustmentCombo->currentIndex());
    item.amount = m_ui->amountEdit->text().toStdString();
    return QString::fromStdString(item.text(m_currency.toStdString()));
}

bool OptionDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->labelEdit && event->type() == QEvent::KeyRelease)
        filterLabel();
    return QDialog::eventFilter(watched, event);
}

void OptionDialog::filterLabel() {
    QString label = m_ui->labelEdit->text();
    if (std::any_of(label.cbegin(), label.cend(), isForbiddenInLabel)) {
        label.removeIf(isForbiddenInLabel);
        m_ui->labelEdit->setText(label);
        m_prompts.message(
            this, QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
            tr("You cannot enter the following characters (\" ; ( ) etc...) in this field."),
            QMessageBox::Ok);
    }
    updateOkButton();
}

void OptionDialog::amountKeyReleased(int key) {
    updateOkButton();
    updateExample();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_ui->okButton->isEnabled())
        accept();
}

void OptionDialog::updateOkButton() {
    m_ui->okButton->setEnabled(!m_ui->labelEdit->text().isEmpty() &&
                               !m_ui->amountEdit->text().isEmpty());
}

void OptionDialog::updateExample() {
    const QString amount = m_currency + m_ui->amountEdit->text();
    QString example;
    switch (kindAt(m_ui->adjustmentCombo->currentIndex())) {
    case PriceAdjustment::SamePrice:
        example = tr("The price of this item will be the same as the parent item.");
        break;
    case PriceAdjustment::Add:
        example = tr("The price of this item will be an additional %1").arg(amount);
        break;
    case PriceAdjustment::Subtract:
        example = tr("The price of this item will be %1 less.").arg(amount);
        break;
    }
    m_ui->exampleLabel->setText(example);
    m_ui->amountEdit->setEnabled(kindAt(m_ui->adjustmentCombo->currentIndex()) !=
                                 PriceAdjustment::SamePrice);
}

} // namespace vendaxo
