#include "site/gui/site_menu.h"

#include "base/error.h"
#include "shell/gui/app_services.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "shell/gui/window_placement.h"
#include "site/gui/site_problems_dialog.h"
#include "site/site_text.h"
#include "snippets/gui/page_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <algorithm>
#include <climits>

namespace vendaxo {

namespace {

// Left-alone forms named above the list after a refresh; the list shows the rest.
constexpr std::size_t kLeftAloneNamed = 5;

int progressValue(std::size_t count) {
    return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

// Runs work(progress) in this thread under a progress dialog: `text` takes
// the pages done and the pages in all. The window keeps answering, and
// Cancel (or Escape) makes the progress return false, which stops the work
// between two pages; nothing else takes input meanwhile.
auto withProgress(QWidget* parent, const QString& text, const auto& work) {
    QProgressDialog dialog(parent);
    keepAboveMainWindow(dialog);
    dialog.setObjectName(QStringLiteral("siteProgressDialog"));
    dialog.setWindowTitle(SiteMenu::tr("Vendaxo"));
    dialog.setLabelText(SiteMenu::tr("Finding the pages..."));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumDuration(0);
    dialog.setRange(0, 0); // busy until the pages are known
    dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(text.arg(99999).arg(99999)) * 2);
    dialog.show();
    // Shown again only when the percentage moves: painting after every page of
    // a large site would take longer than checking it.
    std::size_t shownPercent = 101;
    const SiteProgress progress = [&](std::size_t done, std::size_t total) {
        const std::size_t percent = done * 100 / total;
        if (percent != shownPercent || done == total) {
            shownPercent = percent;
            dialog.setLabelText(text.arg(done).arg(total));
            dialog.setMaximum(progressValue(total));
            dialog.setValue(progressValue(done));
        }
        QCoreApplication::processEvents();
        return !dialog.wasCanceled();
    };
    return work(progress);
}

QString countedForms(std::size_t count) {
    return count == 1 ? SiteMenu::tr("1 form") : SiteMenu::tr("%1 forms").arg(count);
}

QString countedPages(std::size_t count) {
    return count == 1 ? SiteMenu::tr("1 page") : SiteMenu::tr("%1 pages").arg(count);
}

// What a refresh did, and what it left alone and why.
QString outcomeText(const SiteReport& check, const RefreshReport& refresh) {
    QString text = toQt(refreshSummary(refresh, RefreshMode::Write)) + QLatin1Char('.');
    if (refresh.stopped)
        text += QLatin1Char(' ') +
                SiteMenu::tr("The refresh was stopped: the pages it had not reached are as they "
                             "were.");
    for (const SiteFailure& failure : refresh.failures)
        text += QLatin1Char('\n') + toQt(failure.message);
    std::size_t named = 0;
    for (const FormRefresh& form : refresh.forms) {
        if (!form.refreshed && named++ < kLeftAloneNamed)
            text += QLatin1Char('\n') + toQt(formRefreshLine(check, form, RefreshMode::Write));
    }
    if (named > kLeftAloneNamed)
        text +=
            QLatin1Char('\n') +
            SiteMenu::tr("...and %1 more left alone, listed below.").arg(named - kLeftAloneNamed);
    return text;
}

} // namespace

SiteMenu::SiteMenu(AppServices& services, PageWindow& window)
    : m_services(services), m_window(&window) {
    m_menu = window.menuBar()->addMenu(tr("&Site"));
    m_menu->setObjectName(QStringLiteral("siteMenu"));
    QAction* checkAction = m_menu->addAction(tr("&Check Site..."));
    checkAction->setObjectName(QStringLiteral("checkSiteAction"));
    QAction* refreshAction = m_menu->addAction(tr("&Refresh Site..."));
    refreshAction->setObjectName(QStringLiteral("refreshSiteAction"));
    connect(checkAction, &QAction::triggered, this, [this] { checkSite(); });
    connect(refreshAction, &QAction::triggered, this, [this] { refreshSite(); });
}

SiteMenu::~SiteMenu() {
    delete m_problems;
    delete m_menu;
}

SiteProblemsDialog* SiteMenu::problemsDialog() const {
    return m_problems;
}

void SiteMenu::checkSite() {
    const QString folder = chooseFolder(tr("Check Site"));
    if (!folder.isEmpty())
        m_services.prompts.run(m_window, [&] { showReport(check(folder, loadSettings())); });
}

void SiteMenu::refreshSite() {
    const QString folder = chooseFolder(tr("Refresh Site"));
    if (!folder.isEmpty())
        m_services.prompts.run(m_window, [&] { refresh(folder); });
}

// The open page's folder, or the one last checked when the page lies in it.
QString SiteMenu::chooseFolder(const QString& caption) {
    QString start = m_folder.isEmpty() ? QDir::homePath() : m_folder;
    if (m_window->hasPage()) {
        const QString pageFolder = QFileInfo(m_window->pageFile()).absolutePath();
        if (m_folder.isEmpty() ||
            QDir(m_folder).relativeFilePath(pageFolder).startsWith(QStringLiteral("..")))
            start = pageFolder;
    }
    const QString folder = m_services.prompts.folderName(m_window, caption, start);
    return folder.isEmpty() ? folder : QFileInfo(folder).absoluteFilePath();
}

SiteSettings SiteMenu::loadSettings() const {
    if (m_services.session.needsChoice())
        throw Error(tr("Choose your company in the Vendaxo window first.").toStdString());
    return SiteSettings::load(m_services.session);
}

SiteReport SiteMenu::check(const QString& folder, const SiteSettings& settings) {
    m_folder = folder;
    return withProgress(frontWindow(), tr("Checked %1 of %2 pages"),
                        [&](const SiteProgress& progress) {
                            return vendaxo::checkSite({toPath(folder)}, settings, progress);
                        });
}

void SiteMenu::refresh(const QString& folder) {
    const SiteSettings settings = loadSettings();
    const SiteReport before = check(folder, settings);
    if (before.stopped) {
        showReport(before, tr("The check was stopped: nothing was refreshed."));
        return;
    }
    const RefreshReport planned = withProgress(
        frontWindow(), tr("Prepared %1 of %2 pages for the refresh"), [&](const SiteProgress& p) {
            return vendaxo::refreshSite(before, settings, RefreshMode::DryRun, p);
        });
    QString outcome;
    if (planned.stopped)
        outcome = tr("Stopped: nothing was refreshed.");
    else if (planned.refreshedCount() == 0)
        outcome = tr("No form can be refreshed: nothing was written.");
    else if (!m_services.prompts.confirm(
                 frontWindow(), tr("Refresh Site"),
                 tr("Refresh %1 in %2? Each page's previous version is kept beside it, with "
                    "\".bak\" added to its name.")
                     .arg(countedForms(planned.refreshedCount()),
                          countedPages(planned.pagesWritten))))
        outcome = tr("Nothing was refreshed.");
    if (!outcome.isEmpty()) {
        showReport(before, outcome);
        return;
    }
    const RefreshReport done =
        withProgress(frontWindow(), tr("Refreshed %1 of %2 pages"), [&](const SiteProgress& p) {
            return vendaxo::refreshSite(before, settings, RefreshMode::Write, p);
        });
    m_window->reloadIfChangedOnDisk();
    showReport(check(folder, settings), outcomeText(before, done));
}

// The list while it is shown, else the page window.
QWidget* SiteMenu::frontWindow() const {
    if (m_problems && m_problems->isVisible())
        return m_problems;
    return m_window;
}

void SiteMenu::showReport(const SiteReport& report, const QString& outcome) {
    const bool first = !m_problems;
    if (first) {
        // A window of its own, beside the page window where the forms it
        // lists open, so that neither hides the other.
        m_problems = new SiteProblemsDialog();
        m_problems->setObjectName(QStringLiteral("siteProblemsDialog"));
        connect(m_problems, &SiteProblemsDialog::openRequested, this, &SiteMenu::openProblem);
        connect(m_problems, &SiteProblemsDialog::refreshRequested, this, [this] {
            const QString folder = m_folder;
            m_services.prompts.run(m_problems, [&] { refresh(folder); });
        });
    }
    m_problems->setReport(report, m_folder, outcome);
    if (first) {
        if (m_window)
            placeBeside(*m_problems, *m_window, m_problems->size());
        else
            centreOnScreen(*m_problems);
    }
    m_problems->show();
    m_problems->raise();
    m_problems->activateWindow();
}

void SiteMenu::openProblem(const QString& file, int line) {
    m_window->openPageAt(file, line);
}

} // namespace vendaxo
