#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class SiteProblemsDialog;
}

namespace vendaxo {

struct SiteReport;

// The problems a site check found, a row each in the order the check reports
// them. Double-click or Enter on a row asks for its page to be opened at the
// form; "Refresh Site..." is offered while some form is stale.
class SiteProblemsDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SiteProblemsDialog(QWidget* parent = nullptr);
    ~SiteProblemsDialog() override;

    // The check of `folder`, its pages named from there; `outcome` says what a
    // refresh just did (empty: none).
    void setReport(const SiteReport& report, const QString& folder, const QString& outcome);

signals:
    void openRequested(const QString& file, int line);
    void refreshRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillTable(const SiteReport& report, const QString& folder);
    void openRow(int row);

    std::unique_ptr<Ui::SiteProblemsDialog> m_ui;
};

} // namespace vendaxo
