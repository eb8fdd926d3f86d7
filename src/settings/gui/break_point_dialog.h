#pragma once

#include "settings/rate_chart.h"
#include "settings/shipping_settings.h"

#include <QDialog>
#include <memory>

namespace vendaxo {

// Asks for a break point of a rate chart and its charge, or for a new charge
// of an existing one. The chart itself decides where the row goes.
class BreakPointDialog final : public QDialog {
    Q_OBJECT
public:
    explicit BreakPointDialog(QWidget* parent = nullptr);
    ~BreakPointDialog() override;

    // Both fields empty, for a new break point.
    void prepareAdd(ChartBasis basis, const QString& currency);
    // `row` shown; only its charge can change.
    void prepareModify(const RateChart::Row& row, ChartBasis basis, const QString& currency);
    // The break point and charge of the last OK.
    RateChart::Row row() const;

signals:
    // At each OK; with "Close Window After OK" unchecked the window stays
    // open for the next break point.
    void breakPointEntered();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showBasis(ChartBasis basis, const QString& currency);
    void showMode(bool modify);
    void updateOkButton();
    void acceptBreakPoint();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
