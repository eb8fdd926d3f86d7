#pragma once

#include "settings/order_charges.h"

#include <QObject>
#include <memory>

class QEvent;
class QWidget;

namespace vendaxo {

struct AppServices;

// The shipping dialog's two pages of store-wide order charges: handling and
// insurance, and the global discount with the minimum order.
class OrderChargesPages final : public QObject {
    Q_OBJECT
public:
    // The pages are created as children of `parent`; the shipping dialog puts
    // them into its page stack.
    OrderChargesPages(AppServices& services, QWidget* parent);
    ~OrderChargesPages() override;

    QWidget* handlingPage() const;
    QWidget* discountPage() const;

    OrderCharges value() const;
    void setValue(const OrderCharges& charges);
    // The currency character shown beside amounts (the options dialog's currency).
    void setCurrency(const QString& currency);
    // Showing either page reapplies its enable rules.
    void reapplyRules();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filterMinimumMessage();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
