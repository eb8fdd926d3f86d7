#pragma once

#include "settings/shipping_settings.h"

#include <QDialog>
#include <memory>

namespace vendaxo {

struct AppServices;

// "Select Shipping...": the six shipping methods and their settings, and the
// store-wide order charges. Each opening loads them from the store and OK
// saves them; only adding or removing a chart name is stored before OK.
class ShippingDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ShippingDialog(AppServices& services, QWidget* parent = nullptr);
    ~ShippingDialog() override;

    ShippingChoices value() const;
    void setValue(const ShippingChoices& choices);
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
