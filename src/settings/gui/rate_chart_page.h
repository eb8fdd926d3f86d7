#pragma once

#include "settings/shipping_settings.h"

#include <QWidget>
#include <memory>

namespace vendaxo {

class Prompts;

// The shipping dialog's page for methods 3 and 4: the single chart, or the
// chart names with the chart of the chosen name; the grid, its "Zero Base
// Rate" edit and "Compare By:". Edits stay in the page's value until the
// dialog saves or drops it.
class RateChartPage final : public QWidget {
    Q_OBJECT
public:
    explicit RateChartPage(Prompts& prompts, QWidget* parent = nullptr);
    ~RateChartPage() override;

    RateCharts value() const;
    void setValue(const RateCharts& charts);
    void setCurrency(const QString& currency);
    void setPicture(const QPixmap& picture);
    // Shows the single chart with the picture, or the first named chart with
    // the list of names.
    void showCharts(bool single);

signals:
    // A name was added: the names are stored at once.
    void chartAdded();
    // A name and its chart were removed: names and charts are stored at once.
    void chartRemoved();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
