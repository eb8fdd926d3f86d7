#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QMenu;
class QWidget;

namespace vendaxo {

struct AppServices;
class PageWindow;
class SiteProblemsDialog;
struct SiteReport;
struct SiteSettings;

// The page window's "Site" menu. "Check Site..." checks every form of the
// pages of a folder against what Insert would write now and lists the
// problems; "Refresh Site..." rebuilds the stale forms in place once the
// merchant agrees, and reads the open page again when it was rewritten.
class SiteMenu final : public QObject {
    Q_OBJECT
public:
    SiteMenu(AppServices& services, PageWindow& window);
    ~SiteMenu() override;

    // The menu's commands: each asks for the folder first.
    void checkSite();
    void refreshSite();

    // The list of the last check; null before the first.
    SiteProblemsDialog* problemsDialog() const;

private:
    QString chooseFolder(const QString& caption);
    SiteSettings loadSettings() const;
    // The check with its progress dialog, which can stop it between pages.
    SiteReport check(const QString& folder, const SiteSettings& settings);
    void refresh(const QString& folder);
    QWidget* frontWindow() const;
    void showReport(const SiteReport& report, const QString& outcome = {});
    void openProblem(const QString& file, int line);

    AppServices& m_services;
    QPointer<PageWindow> m_window;
    QPointer<QMenu> m_menu;
    QPointer<SiteProblemsDialog> m_problems; // a window of its own, deleted here
    QString m_folder;                        // the one last checked
};

} // namespace vendaxo
