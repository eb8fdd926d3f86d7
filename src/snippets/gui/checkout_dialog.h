#pragma once

#include "snippets/checkout_choices.h"
#include "snippets/gui/insert_target.h"

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

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
    // Runs the dialog on the choices of a checkout form read from the page,
    // with Insert replacing that form through `replacement`. A form without
    // payment rows (`paymentsShown` false) keeps the payment boxes as loaded.
    // Afterwards the dialog holds what it held before.
    int editChoices(const CheckoutChoices& choices, bool paymentsShown,
                    PageEditorBridge& replacement);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void load();
    void setLinkPointMode(bool on);
    void updateInsertButton();
    void insert();

    // What an edited form shows over the loaded values.
    struct EditedForm {
        CheckoutChoices choices;
        bool paymentsShown;
    };

    AppServices& m_services;
    InsertTarget m_target;
    std::optional<EditedForm> m_edited;
    std::unique_ptr<Ui::CheckoutDialog> m_ui;
    // In box order, which is the order of the stored codes.
    std::array<QCheckBox*, kPaymentOptionCount> m_paymentBoxes;
    std::array<QCheckBox*, kRequiredValueCount> m_requiredBoxes;
};

} // namespace vendaxo
