#pragma once

#include "settings/rate_chart.h"
#include "settings/shipping_settings.h"

#include <QDialog>
#include <memory>

namespace vendaxo {

class Prompts;

// Adds a break point to a rate chart or changes the charge of one.
class BreakPointDialog final : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add, Modify };

    explicit BreakPointDialog(QWidget* parent = nullptr);
    ~BreakPointDialog() override;

    // Works on `chart`, which must outlive the opening; `row` is the row to
    // modify (Modify mode). After OK, currentRow() is the row that holds the
    // entered break point.
    void prepare(Mode mode, RateChart& chart, ChartBasis basis, const QString& currency,
                 std::size_t row = 0);
    std::size_t currentRow() const;

signals:
    // After each OK, so the shipping dialog can refresh its grid while the
    // window stays open.
    void chartChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateOkButton();
    void acceptBreakPoint();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
