#pragma once

#include "settings/order_charges.h"
#include "settings/shipping_settings.h"

#include <QDialog>
#include <memory>

namespace vendaxo {

struct AppServices;

// "Select Shipping...": the six shipping methods and their settings, and the
// store-wide order charges. Every opening reloads from the store; OK writes.
class ShippingDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ShippingDialog(AppServices& services, QWidget* parent = nullptr);
    ~ShippingDialog() override;

    ShippingSettings shipping() const;
    OrderCharges charges() const;
    // The currency character shown beside amounts; the options dialog sets it
    // from its currency edit before opening this dialog.
    void setCurrency(const QString& currency);
    // The summary the options dialog shows after OK.
    QString summary() const;

protected:
    void showEvent(QShowEvent* event) override;
    // A click on the user-choice page beside the list deselects it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
