#include "snippets/gui/option_dialog.h"

#include "shell/gui/field_rules.h"
#include "shell/gui/numeric_key_filter.h"
#include "shell/gui/qt_text.h"
#include "ui_option_dialog.h"

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

} // namespace

OptionDialog::OptionDialog(Prompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_ui(std::make_unique<Ui::OptionDialog>()) {
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("optionDialog"));
    // Room for two lines, so the dialog keeps its size as the example changes.
    m_ui->exampleLabel->setMinimumHeight(2 * fontMetrics().lineSpacing() +
                                         2 * m_ui->exampleLabel->margin() +
                                         2 * m_ui->exampleLabel->frameWidth());

    forbidCharacters(
        m_ui->labelEdit, OptionItem::kForbiddenInLabel, m_prompts,
        tr("You cannot enter the following characters (\" ; ( ) etc...) in this field."));
    NumericKeyFilter::install(m_ui->amountEdit);
    connect(m_ui->labelEdit, &QLineEdit::textChanged, this, &OptionDialog::updateOkButton);
    connect(m_ui->amountEdit, &QLineEdit::textChanged, this, [this] {
        updateOkButton();
        updateExample();
    });
    connect(m_ui->adjustmentCombo, &QComboBox::currentIndexChanged, this,
            &OptionDialog::updateExample);
    // OK is the default button: Enter in either field confirms while it is enabled.
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

OptionDialog::~OptionDialog() = default;

void OptionDialog::prepare(Mode mode, const QString& currency) {
    m_currency = currency;
    setWindowTitle(mode == Mode::Add ? tr("Add Option...") : tr("Edit Option..."));
    m_ui->currencyLabel->setText(currency);
    updateExample();
    m_ui->labelEdit->setFocus();
}

OptionItem OptionDialog::value() const {
    OptionItem item;
    item.label = textOf(m_ui->labelEdit);
    item.kind = kindAt(m_ui->adjustmentCombo->currentIndex());
    item.amount = textOf(m_ui->amountEdit);
    return item;
}

void OptionDialog::setValue(const OptionItem& item) {
    m_ui->labelEdit->setText(toQt(item.label));
    m_ui->amountEdit->setText(toQt(item.amount));
    m_ui->adjustmentCombo->setCurrentIndex(static_cast<int>(item.kind));
    updateOkButton();
    updateExample();
}

void OptionDialog::updateOkButton() {
    m_ui->okButton->setEnabled(!m_ui->labelEdit->text().isEmpty() &&
                               !m_ui->amountEdit->text().isEmpty());
}

void OptionDialog::updateExample() {
    const QString amount = m_currency + m_ui->amountEdit->text();
    const PriceAdjustment kind = kindAt(m_ui->adjustmentCombo->currentIndex());
    QString example;
    switch (kind) {
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
    m_ui->amountEdit->setEnabled(kind != PriceAdjustment::SamePrice);
}

} // namespace vendaxo
