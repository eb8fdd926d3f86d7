#include "site/gui/site_problems_dialog.h"

#include "shell/gui/qt_text.h"
#include "shell/gui/window_placement.h"
#include "site/site_text.h"
#include "ui_site_problems_dialog.h"

#include <QDir>
#include <QKeyEvent>

namespace vendaxo {

namespace {

enum Column { kPageColumn, kLineColumn, kFormColumn, kProblemColumn, kDetailsColumn };
// The failures named below the summary; the rest are counted.
constexpr std::size_t kFailuresNamed = 5;

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QString summaryText(const SiteReport& report) {
    QString text = toQt(siteSummary(report));
    if (report.problems.empty() && report.failures.empty())
        text = SiteProblemsDialog::tr("No problems found: %1.").arg(text);
    if (report.stopped)
        text +=
            QLatin1Char('\n') +
            SiteProblemsDialog::tr("The check was stopped: it covers the %1 pages checked of %2.")
                .arg(report.pagesChecked)
                .arg(report.pages.size());
    for (std::size_t i = 0; i < report.failures.size() && i < kFailuresNamed; ++i)
        text += QLatin1Char('\n') + toQt(report.failures[i].message);
    if (report.failures.size() > kFailuresNamed)
        text += QLatin1Char('\n') + SiteProblemsDialog::tr("...and %1 more that could not be read.")
                                        .arg(report.failures.size() - kFailuresNamed);
    return text;
}

bool hasStaleForms(const SiteReport& report) {
    return report.count(SiteProblemKind::StaleCheckout) +
               report.count(SiteProblemKind::StaleCommon) >
           0;
}

} // namespace

SiteProblemsDialog::SiteProblemsDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SiteProblemsDialog>()) {
    m_ui->setupUi(this);
    // Beside the page window, where the forms it lists are opened, and above
    // the main window.
    keepAboveMainWindow(*this);
    resize(900, 460);
    m_ui->problemsTable->installEventFilter(this);
    connect(m_ui->problemsTable, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { openRow(row); });
    connect(m_ui->refreshButton, &QPushButton::clicked, this,
            &SiteProblemsDialog::refreshRequested);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

SiteProblemsDialog::~SiteProblemsDialog() = default;

void SiteProblemsDialog::setReport(const SiteReport& report, const QString& folder,
                                   const QString& outcome) {
    setWindowTitle(tr("Site Check - %1").arg(QDir::toNativeSeparators(folder)));
    m_ui->outcomeLabel->setText(outcome);
    m_ui->outcomeLabel->setVisible(!outcome.isEmpty());
    m_ui->summaryLabel->setText(summaryText(report));
    fillTable(report, folder);
    m_ui->refreshButton->setEnabled(hasStaleForms(report));
}

void SiteProblemsDialog::fillTable(const SiteReport& report, const QString& folder) {
    QTableWidget* table = m_ui->problemsTable;
    table->setRowCount(0);
    table->setRowCount(static_cast<int>(report.problems.size()));
    const QDir root(folder);
    int row = 0;
    for (const SiteProblem& problem : report.problems) {
        const QString file =
            QString::fromStdU16String(report.pages[problem.place.page].file.u16string());
        QTableWidgetItem* page = cell(QDir::toNativeSeparators(root.relativeFilePath(file)));
        page->setData(Qt::UserRole, file);
        page->setToolTip(QDir::toNativeSeparators(file));
        QTableWidgetItem* line = cell(QString::number(problem.place.line));
        line->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QTableWidgetItem* details = cell(toQt(problem.details));
        // Rich text, so that a long text is wrapped rather than cut at the screen's edge.
        details->setToolTip(QStringLiteral("<p>%1</p>").arg(details->text().toHtmlEscaped()));
        table->setItem(row, kPageColumn, page);
        table->setItem(row, kLineColumn, line);
        table->setItem(row, kFormColumn, cell(toQt(snippetKindName(problem.form))));
        table->setItem(row, kProblemColumn, cell(toQt(siteProblemName(problem.kind))));
        table->setItem(row, kDetailsColumn, details);
        ++row;
    }
    for (int column = kPageColumn; column < kDetailsColumn; ++column)
        table->resizeColumnToContents(column);
    if (table->rowCount() > 0)
        table->setCurrentCell(0, kPageColumn);
}

void SiteProblemsDialog::openRow(int row) {
    const QTableWidgetItem* page = m_ui->problemsTable->item(row, kPageColumn);
    const QTableWidgetItem* line = m_ui->problemsTable->item(row, kLineColumn);
    if (page && line)
        emit openRequested(page->data(Qt::UserRole).toString(), line->text().toInt());
}

bool SiteProblemsDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter opens the row, as a double-click does, and presses no button.
    if (watched == m_ui->problemsTable && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_ui->problemsTable->currentRow() >= 0)
                openRow(m_ui->problemsTable->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vendaxo
