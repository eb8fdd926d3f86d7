#include "snippets/gui/insert_catalogue_command.h"

#include "shell/gui/app_services.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "shell/settings_store.h"
#include "snippets/catalogue.h"
#include "snippets/gui/catalogue_dialog.h"
#include "snippets/gui/page_window.h"

#include <QAction>
#include <QMenu>

namespace vendaxo {

InsertCatalogueCommand::InsertCatalogueCommand(PageWindow& window, Prompts& prompts)
    : m_window(window), m_prompts(prompts),
      m_action(new QAction(PageWindow::tr("Insert &Catalogue..."), &window)) {
    m_action->setObjectName(QStringLiteral("insertCatalogueAction"));
    connect(m_action, &QAction::triggered, this,
            [this] { m_prompts.run(&m_window, [this] { insertCatalogue(); }); });
    update();
}

void InsertCatalogueCommand::addTo(QMenu* menu) {
    menu->addAction(m_action);
    // A merchant may have been chosen in the main window since.
    connect(menu, &QMenu::aboutToShow, this, [this] { update(); });
}

void InsertCatalogueCommand::setServices(AppServices* services) {
    m_services = services;
    update();
}

void InsertCatalogueCommand::update() {
    m_action->setEnabled(isPossible());
}

bool InsertCatalogueCommand::isPossible() const {
    return m_window.hasPage() && m_services && !m_services->session.needsChoice();
}

void InsertCatalogueCommand::insertCatalogue() {
    if (!isPossible())
        return;
    const QString file =
        m_prompts.openFileName(&m_window, PageWindow::tr("Insert Catalogue"),
                               PageWindow::tr("Product lists (*.csv);;All files (*)"));
    if (file.isEmpty())
        return;
    const Catalogue catalogue = readCatalogueFile(toPath(file));
    CatalogueDialog dialog(file, catalogue, m_services->help, &m_window);
    if (dialog.exec() != QDialog::Accepted || !catalogue.errors.empty())
        return;
    // The same buttons as the command line's catalogue for the same store.
    m_window.insertAtCaret(buildCatalogueSnippets(catalogue.rows, m_services->profile,
                                                  m_services->store.read(stored::kShopColours)));
}

} // namespace vendaxo
