#include "snippets/gui/checkout_dialog.h"

#include "settings/store_options.h"
#include "shell/gui/app_services.h"
#include "shell/gui/help_service.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "shell/gui/window_placement.h"
#include "snippets/checkout_snippet.h"
#include "ui_checkout_dialog.h"

#include <QShowEvent>

namespace vendaxo {

CheckoutDialog::CheckoutDialog(AppServices& services, QWidget* parent)
    : QDialog(parent), m_services(services), m_target(services.editor),
      m_ui(std::make_unique<Ui::CheckoutDialog>()) {
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("checkoutDialog"));
    m_paymentBoxes = {m_ui->visaCheck,
                      m_ui->masterCardCheck,
                      m_ui->discoverCheck,
                      m_ui->americanExpressCheck,
                      m_ui->dinersClubCheck,
                      m_ui->carteBlancheCheck,
                      m_ui->electronicCheckPaymentCheck};
    m_requiredBoxes = {m_ui->billNameCheck,
                       m_ui->billCompanyCheck,
                       m_ui->billAddressCheck,
                       m_ui->billPhoneCheck,
                       m_ui->billEmailCheck,
                       m_ui->shipNameCheck,
                       m_ui->shipCompanyCheck,
                       m_ui->shipAddressCheck,
                       m_ui->shipPhoneCheck,
                       m_ui->paymentTypeCheck,
                       m_ui->cardNumberCheck,
                       m_ui->cardExpirationCheck,
                       m_ui->electronicCheckRequiredCheck};
    setValue(CheckoutChoices{});
    setLinkPointMode(false);

    m_ui->buttonTextEdit->installEventFilter(this);
    connect(m_ui->insertButton, &QPushButton::clicked, this,
            [this] { m_services.prompts.run(this, [this] { insert(); }); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->helpButton, &QPushButton::clicked, this,
            [this] { m_services.help.show(kHelpCheckout); });
}

CheckoutDialog::~CheckoutDialog() = default;

CheckoutChoices CheckoutDialog::value() const {
    CheckoutChoices choices;
    for (std::size_t i = 0; i < kPaymentOptionCount; ++i)
        choices.payments[i] = m_paymentBoxes[i]->isChecked();
    for (std::size_t i = 0; i < kRequiredValueCount; ++i)
        choices.required[i] = m_requiredBoxes[i]->isChecked();
    choices.buttonText = textOf(m_ui->buttonTextEdit);
    return choices;
}

void CheckoutDialog::setValue(const CheckoutChoices& choices) {
    for (std::size_t i = 0; i < kPaymentOptionCount; ++i)
        m_paymentBoxes[i]->setChecked(choices.payments[i]);
    for (std::size_t i = 0; i < kRequiredValueCount; ++i)
        m_requiredBoxes[i]->setChecked(choices.required[i]);
    m_ui->buttonTextEdit->setText(toQt(choices.buttonText));
    updateInsertButton();
}

int CheckoutDialog::editChoices(const CheckoutChoices& choices, bool paymentsShown,
                                PageEditorBridge& replacement) {
    const CheckoutChoices before = value();
    m_edited = EditedForm{choices, paymentsShown};
    const int result = m_target.execReplacing(*this, replacement);
    m_edited.reset();
    setValue(before);
    return result;
}

bool CheckoutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->buttonTextEdit && event->type() == QEvent::KeyRelease)
        updateInsertButton();
    return QDialog::eventFilter(watched, event);
}

void CheckoutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A restore from the task bar is no new opening: it keeps the ticks.
    if (event->spontaneous())
        return;
    load();
    // LinkPoint mode changes the dialog's height; centre it as it now is.
    layout()->activate();
    centreOnScreen(*this);
}

void CheckoutDialog::load() {
    SettingsStore& store = m_services.store;
    // An empty stored value keeps the boxes as they were left.
    setValue(CheckoutChoices::load(store, value()));
    if (m_edited) {
        CheckoutChoices shown = m_edited->choices;
        if (!m_edited->paymentsShown)
            shown.payments = value().payments;
        setValue(shown);
    }
    CheckoutSettings settings;
    settings.options = StoreOptions::load(store);
    settings.options.applyTo(m_services.session);
    setLinkPointMode(settings.linkPointMode());
}

void CheckoutDialog::setLinkPointMode(bool on) {
    // Hidden boxes keep their ticks: Insert stores them all the same.
    for (QCheckBox* box : m_paymentBoxes)
        box->setVisible(!on);
    m_ui->linkPointLabel->setVisible(on);
}

void CheckoutDialog::updateInsertButton() {
    m_ui->insertButton->setEnabled(!m_ui->buttonTextEdit->text().isEmpty());
}

void CheckoutDialog::insert() {
    // Stores the ticks only once the form reached the page.
    insertCheckoutForm(m_services.session, value(), m_target.bridge());
    accept();
}

} // namespace vendaxo
