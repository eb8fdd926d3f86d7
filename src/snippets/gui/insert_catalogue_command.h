#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace vendaxo {

struct AppServices;
class PageWindow;
class Prompts;

// The page window's "Insert Catalogue...": a product list is chosen and shown
// as read; its Insert puts one purchase button per row at the caret, as one
// undo step. Enabled while a page is open and a merchant is chosen. Kept by
// the window, which it must not outlive.
class InsertCatalogueCommand final : public QObject {
public:
    InsertCatalogueCommand(PageWindow& window, Prompts& prompts);

    // Adds the command to the menu, where it is brought up to date before showing.
    void addTo(QMenu* menu);
    // The current merchant and the help; without them the command is disabled.
    void setServices(AppServices* services);
    // For a page just opened or closed.
    void update();

private:
    bool isPossible() const;
    void insertCatalogue();

    PageWindow& m_window;
    Prompts& m_prompts;
    AppServices* m_services = nullptr;
    QAction* m_action;
};

} // namespace vendaxo
