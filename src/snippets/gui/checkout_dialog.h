#pragma once

#include "snippets/checkout_choices.h"

#include <QDialog>
#include <array>
#include <memory>

class QCheckBox;

namespace Ui {
class CheckoutDialog;
}

namespace vendaxo {

struct AppServices;

// "Insert Checkout Form Area...": the payment types the shop takes, the values
// a shopper must fill in and the send button's text; Insert puts the order
// form into the page and remembers the ticked boxes.
class CheckoutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CheckoutDialog(AppServices& services, QWidget* parent = nullptr);
    ~CheckoutDialog() override;

    CheckoutChoices value() const;
    void setValue(const CheckoutChoices& choices);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void load();
    void setLinkPointMode(bool on);
    void updateInsertButton();
    void insert();

    AppServices& m_services;
    std::unique_ptr<Ui::CheckoutDialog> m_ui;
    // In box order, which is the order of the stored codes.
    std::array<QCheckBox*, kPaymentOptionCount> m_paymentBoxes;
    std::array<QCheckBox*, kRequiredValueCount> m_requiredBoxes;
};

} // namespace vendaxo
