#include "settings/gui/order_charges_pages.h"

#include "base/text.h"
#include "shell/gui/app_services.h"
#include "shell/gui/numeric_key_filter.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "ui_discount_page.h"
#include "ui_handling_page.h"

#include <QEvent>

namespace vendaxo {

namespace {

void enableAll(std::initializer_list<QWidget*> widgets, bool on) {
    for (QWidget* w : widgets)
        w->setEnabled(on);
}

// The handling or the insurance controls, which follow the same rules.
struct ChargeControls {
    QString firstWording; // the base label's wording at Flat Rate
    QCheckBox* enabled;
    QLabel* typeLabel;
    QComboBox* type;
    QLabel* baseLabel;
    QLineEdit* base;
    QLabel* rateLabel;
    QLineEdit* rate;
    QLabel* minimumLabel;
    QLineEdit* minimum;
    QLabel* captionLabel;
    QLineEdit* caption;
    // Flat Rate keeps the rate label's wording of the basis chosen before.
    ChargeBasis lastRated = ChargeBasis::Total;

    ChargeBasis basis() const { return static_cast<ChargeBasis>(type->currentIndex()); }

    void applyTypeRule(const QString& currency) {
        const ChargeBasis chosen = basis();
        const bool flat = chosen == ChargeBasis::FlatRate;
        if (!flat)
            lastRated = chosen;
        baseLabel->setText((flat ? firstWording : OrderChargesPages::tr("Base Charge: ")) +
                           currency);
        const QString rateWording =
            lastRated == ChargeBasis::Weight     ? OrderChargesPages::tr("Rate per Pound: ")
            : lastRated == ChargeBasis::Quantity ? OrderChargesPages::tr("Rate per Unit: ")
                                                 : OrderChargesPages::tr("Rate per Dollar: ");
        rateLabel->setText(rateWording + currency);
        minimumLabel->setText(OrderChargesPages::tr("Minimum Charge: ") + currency);
        enableAll({rateLabel, rate, minimumLabel, minimum}, !flat);
    }

    void applyRules(const QString& currency) {
        applyTypeRule(currency);
        const bool on = enabled->isChecked();
        enableAll({typeLabel, type, baseLabel, captionLabel, base, caption}, on);
        if (!on)
            enableAll({rateLabel, rate, minimumLabel, minimum}, false);
    }

    Charge value() const {
        return {enabled->isChecked(),          basis(),
                base->text().toStdString(),    rate->text().toStdString(),
                minimum->text().toStdString(), caption->text().toStdString()};
    }

    void setValue(const Charge& charge) {
        enabled->setChecked(charge.enabled);
        type->setCurrentIndex(static_cast<int>(charge.basis));
        base->setText(toQt(charge.base));
        rate->setText(toQt(charge.rate));
        minimum->setText(toQt(charge.minimum));
        caption->setText(toQt(charge.label));
    }
};

} // namespace

struct OrderChargesPages::Private {
    explicit Private(AppServices& services) : services(services) {}

    AppServices& services;
    QWidget* handlingPage = nullptr;
    QWidget* discountPage = nullptr;
    Ui::HandlingPage handlingUi;
    Ui::DiscountPage discountUi;
    ChargeControls handling{};
    ChargeControls insurance{};
    QString currency;

    void applyDiscountRules() {
        Ui::DiscountPage& ui = discountUi;
        const bool on = ui.discountEnabledCheck->isChecked();
        enableAll({ui.percentDiscountRadio, ui.flatDiscountRadio, ui.discountBasisLabel,
                   ui.discountBasisCombo, ui.discountExceedsLabel, ui.discountThresholdEdit,
                   ui.discountRateLabel, ui.discountRateEdit, ui.discountSignLabel,
                   ui.discountCaptionLabel, ui.discountCaptionEdit},
                  on);
        ui.discountSignLabel->setText(ui.flatDiscountRadio->isChecked() ? currency
                                                                        : QStringLiteral("%"));
    }

    void applyMinimumRules() {
        Ui::DiscountPage& ui = discountUi;
        const bool on = ui.minimumEnabledCheck->isChecked();
        enableAll({ui.minimumBasisLabel, ui.minimumAmountLabel, ui.minimumBasisCombo,
                   ui.minimumAmountEdit, ui.minimumMessageLabel, ui.minimumMessageEdit},
                  on);
        switch (static_cast<MinimumBasis>(ui.minimumBasisCombo->currentIndex())) {
        case MinimumBasis::Weight:
            ui.minimumAmountLabel->setText(tr("Required Minimum Order Weight:"));
            break;
        case MinimumBasis::Quantity:
            ui.minimumAmountLabel->setText(tr("Required Minimum Order Quantity:"));
            break;
        default:
            ui.minimumAmountLabel->setText(tr("Required Minimum Order Total: ") + currency);
        }
    }

    void capPercent() {
        QLineEdit* rate = discountUi.discountRateEdit;
        if (!discountUi.percentDiscountRadio->isChecked())
            return;
        const QString capped = toQt(cappedPercent(rate->text().toStdString()));
        if (capped != rate->text())
            rate->setText(capped);
    }

    void applyAll() {
        handling.applyRules(currency);
        insurance.applyRules(currency);
        applyDiscountRules();
        applyMinimumRules();
    }
};

OrderChargesPages::OrderChargesPages(AppServices& services, QWidget* parent)
    : QObject(parent), d(std::make_unique<Private>(services)) {
    d->currency = toQt(services.profile.currencySymbol);
    d->handlingPage = new QWidget(parent);
    d->handlingUi.setupUi(d->handlingPage);
    d->discountPage = new QWidget(parent);
    d->discountUi.setupUi(d->discountPage);

    const Ui::HandlingPage& h = d->handlingUi;
    d->handling = {tr("Handling Charge: "), h.handlingEnabledCheck, h.handlingTypeLabel,
                   h.handlingTypeCombo,     h.handlingBaseLabel,    h.handlingBaseEdit,
                   h.handlingRateLabel,     h.handlingRateEdit,     h.handlingMinimumLabel,
                   h.handlingMinimumEdit,   h.handlingCaptionLabel, h.handlingCaptionEdit};
    d->insurance = {tr("Insurance Charge: "), h.insuranceEnabledCheck, h.insuranceTypeLabel,
                    h.insuranceTypeCombo,     h.insuranceBaseLabel,    h.insuranceBaseEdit,
                    h.insuranceRateLabel,     h.insuranceRateEdit,     h.insuranceMinimumLabel,
                    h.insuranceMinimumEdit,   h.insuranceCaptionLabel, h.insuranceCaptionEdit};
    for (ChargeControls* charge : {&d->handling, &d->insurance}) {
        const auto apply = [this, charge] {
            charge->applyRules(d->currency);
        };
        connect(charge->enabled, &QCheckBox::toggled, this, apply);
        connect(charge->type, &QComboBox::currentIndexChanged, this, apply);
        for (QLineEdit* amount : {charge->base, charge->rate, charge->minimum})
            NumericKeyFilter::install(amount);
    }

    const Ui::DiscountPage& u = d->discountUi;
    connect(u.discountEnabledCheck, &QCheckBox::toggled, this, [this] { d->applyDiscountRules(); });
    connect(u.flatDiscountRadio, &QRadioButton::toggled, this, [this] { d->applyDiscountRules(); });
    NumericKeyFilter::install(u.discountThresholdEdit);
    connect(NumericKeyFilter::install(u.discountRateEdit), &NumericKeyFilter::keyReleased, this,
            [this] { d->capPercent(); });
    connect(u.minimumEnabledCheck, &QCheckBox::toggled, this, [this] { d->applyMinimumRules(); });
    connect(u.minimumBasisCombo, &QComboBox::currentIndexChanged, this,
            [this] { d->applyMinimumRules(); });
    NumericKeyFilter::install(u.minimumAmountEdit);
    u.minimumMessageEdit->installEventFilter(this);

    d->applyAll();
}

OrderChargesPages::~OrderChargesPages() = default;

QWidget* OrderChargesPages::handlingPage() const {
    return d->handlingPage;
}

QWidget* OrderChargesPages::discountPage() const {
    return d->discountPage;
}

OrderCharges OrderChargesPages::value() const {
    const Ui::DiscountPage& ui = d->discountUi;
    OrderCharges c;
    c.minimumEnabled = ui.minimumEnabledCheck->isChecked();
    c.minimumBasis = static_cast<MinimumBasis>(ui.minimumBasisCombo->currentIndex());
    c.minimumAmount = ui.minimumAmountEdit->text().toStdString();
    // The store keeps the message's lines joined by CR LF, as every memo.
    c.minimumMessage = ui.minimumMessageEdit->toPlainText()
                           .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))
                           .toStdString();
    c.discountEnabled = ui.discountEnabledCheck->isChecked();
    c.discountType = ui.flatDiscountRadio->isChecked() ? DiscountType::Flat : DiscountType::Percent;
    c.discountBasis = static_cast<DiscountBasis>(ui.discountBasisCombo->currentIndex());
    c.discountThreshold = ui.discountThresholdEdit->text().toStdString();
    c.discountRate = ui.discountRateEdit->text().toStdString();
    c.discountLabel = ui.discountCaptionEdit->text().toStdString();
    c.handling = d->handling.value();
    c.insurance = d->insurance.value();
    return c;
}

void OrderChargesPages::setValue(const OrderCharges& charges) {
    Ui::DiscountPage& ui = d->discountUi;
    ui.minimumEnabledCheck->setChecked(charges.minimumEnabled);
    ui.minimumBasisCombo->setCurrentIndex(static_cast<int>(charges.minimumBasis));
    ui.minimumAmountEdit->setText(toQt(charges.minimumAmount));
    ui.minimumMessageEdit->setPlainText(
        toQt(charges.minimumMessage).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    ui.discountEnabledCheck->setChecked(charges.discountEnabled);
    (charges.discountType == DiscountType::Flat ? ui.flatDiscountRadio : ui.percentDiscountRadio)
        ->setChecked(true);
    ui.discountBasisCombo->setCurrentIndex(static_cast<int>(charges.discountBasis));
    ui.discountThresholdEdit->setText(toQt(charges.discountThreshold));
    ui.discountRateEdit->setText(toQt(charges.discountRate));
    ui.discountCaptionEdit->setText(toQt(charges.discountLabel));
    d->handling.setValue(charges.handling);
    d->insurance.setValue(charges.insurance);
    d->applyAll();
}

void OrderChargesPages::setCurrency(const QString& currency) {
    d->currency = currency;
    d->applyAll();
}

void OrderChargesPages::reapplyRules() {
    d->applyAll();
}

bool OrderChargesPages::eventFilter(QObject* watched, QEvent* event) {
    if (watched == d->discountUi.minimumMessageEdit && event->type() == QEvent::KeyRelease)
        filterMinimumMessage();
    return QObject::eventFilter(watched, event);
}

// The forbidden characters go at once, wherever they were typed or pasted;
// the caret keeps its place in the text, and the message leaves the keyboard
// with the memo so no key typed after it is lost.
void OrderChargesPages::filterMinimumMessage() {
    QPlainTextEdit* edit = d->discountUi.minimumMessageEdit;
    const QString typed = edit->toPlainText();
    const QString kept = toQt(withoutAny(typed.toStdString(), kMinimumMessageForbidden));
    if (kept == typed)
        return;
    QTextCursor cursor = edit->textCursor();
    const QString beforeCaret = typed.left(cursor.position());
    const auto caret = toQt(withoutAny(beforeCaret.toStdString(), kMinimumMessageForbidden)).size();
    edit->setPlainText(kept);
    cursor.setPosition(static_cast<int>(caret));
    edit->setTextCursor(cursor);
    d->services.prompts.notice(
        edit, tr("You cannot enter qoutation marks(\") or dashes (-) in this field."));
}

} // namespace vendaxo
