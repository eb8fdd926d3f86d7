#pragma once

#include "settings/shipping_settings.h"

#include <QObject>
#include <memory>

class QWidget;

namespace Ui {
class ShippingDialog;
}

namespace vendaxo {

struct AppServices;

// The shipping dialog's rate chart page, for methods 3 and 4: the grid, the
// "Zero Base Rate" edit, "Compare By:" and the chart names. It works on the
// widgets of the dialog's form; adding or removing a name writes at once.
class RateChartPage final : public QObject {
    Q_OBJECT
public:
    // `dialog` owns the page and is the parent of its prompts and windows.
    RateChartPage(AppServices& services, Ui::ShippingDialog& ui, QWidget* dialog);
    ~RateChartPage() override;

    ChartBasis chartBasis() const;
    void setValue(const ShippingSettings& s);
    // Sets the chart values of `s`; the grid's edits go to the chart of s.method.
    void fillIn(ShippingSettings& s) const;
    void setCurrency(const QString& currency);
    // Before the page shows; `freshCharts` rereads the stored charts.
    void prepare(bool single, bool freshCharts);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
