#include "snippets/gui/catalogue_dialog.h"

#include "shell/gui/help_service.h"
#include "shell/gui/qt_text.h"
#include "shell/gui/window_placement.h"
#include "snippets/catalogue.h"
#include "ui_catalogue_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <algorithm>

namespace vendaxo {

namespace {

// How many rows or error lines the dialog opens with, within these bounds.
constexpr int kFewestLines = 4;
constexpr int kMostLines = 14;
// An error wider than this wraps.
constexpr int kWidestError = 760;

enum Column : int { kLineColumn, kSkuColumn, kPriceColumn, kDescriptionColumn, kOptionsColumn };

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

int shownLines(std::size_t count) {
    return std::clamp(static_cast<int>(std::min<std::size_t>(count, kMostLines)), kFewestLines,
                      kMostLines);
}

} // namespace

CatalogueDialog::CatalogueDialog(const QString& listFile, const Catalogue& catalogue,
                                 HelpService& help, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CatalogueDialog>()) {
    m_ui->setupUi(this);
    keepAboveMainWindow(*this);
    setObjectName(QStringLiteral("catalogueDialog"));
    m_ui->listLabel->setToolTip(QDir::toNativeSeparators(listFile));
    const QString fileName = QFileInfo(listFile).fileName();
    const bool usable = catalogue.errors.empty();
    m_ui->rowsTable->setVisible(usable);
    m_ui->insertButton->setVisible(usable);
    m_ui->cancelButton->setVisible(usable);
    m_ui->helpButton->setVisible(usable);
    m_ui->errorsView->setVisible(!usable);
    m_ui->closeButton->setVisible(!usable);
    m_ui->closeButton->setDefault(!usable);
    if (usable) {
        m_ui->listLabel->setText(tr("The products of %1, one purchase button each:").arg(fileName));
        showRows(catalogue.rows);
    } else {
        m_ui->listLabel->setText(
            tr("The list %1 cannot be inserted. Mend it and choose it again:").arg(fileName));
        showErrors(catalogue.errors, fileName.toStdString());
    }

    connect(m_ui->insertButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->helpButton, &QPushButton::clicked, this, [&help] { help.show(kHelpCatalogue); });
}

CatalogueDialog::~CatalogueDialog() = default;

void CatalogueDialog::showRows(const std::vector<CatalogueRow>& rows) {
    QTableWidget* table = m_ui->rowsTable;
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table->rowCount(); ++r) {
        const Product& product = rows[static_cast<std::size_t>(r)].product;
        const std::size_t lists = product.optionLists().shownLists();
        table->setItem(
            r, kLineColumn,
            cell(QString::number(rows[static_cast<std::size_t>(r)].line), Qt::AlignRight));
        table->setItem(r, kSkuColumn, cell(toQt(product.sku)));
        table->setItem(r, kPriceColumn, cell(toQt(product.price), Qt::AlignRight));
        table->setItem(r, kDescriptionColumn, cell(toQt(product.description)));
        table->setItem(r, kOptionsColumn,
                       cell(lists == 0 ? tr("no") : QString::number(lists), Qt::AlignRight));
    }
    table->resizeColumnsToContents();
    const int frame = 2 * table->frameWidth();
    fitTo(*table, {table->horizontalHeader()->length() + frame +
                       table->verticalScrollBar()->sizeHint().width(),
                   table->horizontalHeader()->sizeHint().height() + frame +
                       shownLines(rows.size()) * table->verticalHeader()->defaultSectionSize()});
    m_ui->summaryLabel->setText(rows.size() == 1 ? tr("1 product")
                                                 : tr("%1 products").arg(rows.size()));
}

void CatalogueDialog::showErrors(const std::vector<CatalogueError>& errors,
                                 const std::string& fileName) {
    QPlainTextEdit* view = m_ui->errorsView;
    QStringList lines;
    int widest = 0;
    for (const CatalogueError& error : errors) {
        lines << toQt(error.text(fileName));
        widest = std::max(widest, view->fontMetrics().horizontalAdvance(lines.back()));
    }
    view->setPlainText(lines.join(QLatin1Char('\n')));
    const int margins = 2 * (view->frameWidth() + qRound(view->document()->documentMargin()));
    fitTo(*view,
          {std::min(widest, kWidestError) + margins + view->verticalScrollBar()->sizeHint().width(),
           shownLines(errors.size()) * view->fontMetrics().lineSpacing() + margins});
    m_ui->summaryLabel->setText(
        errors.size() == 1 ? tr("1 error in the list; nothing was inserted.")
                           : tr("%1 errors in the list; nothing was inserted.").arg(errors.size()));
}

void CatalogueDialog::fitTo(const QWidget& shown, const QSize& wanted) {
    layout()->activate();
    const QSize grown = sizeHint() + (wanted - shown.sizeHint()).expandedTo(QSize(0, 0));
    const QSize screenRoom = screen()->availableGeometry().size();
    resize(grown.boundedTo(QSize(screenRoom.width() * 9 / 10, screenRoom.height() * 9 / 10)));
}

void CatalogueDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Over the page the buttons go into.
    if (parentWidget())
        centreOver(*this, *parentWidget()->window());
    else
        centreOnScreen(*this);
}

} // namespace vendaxo
