#pragma once

#include "snippets/gui/snippet_editor.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace Ui {
class MainWindow;
}

namespace vendaxo {

struct AppServices;
class ButtonDialog;
class CheckoutDialog;
class OptionsDialog;
class PageWindow;
class PurchaseDialog;
class SetupNeededDialog;
class SiteMenu;

// The program's one top-level window: the picture, the five commands, the
// merchant chooser and About mode. It loads the merchant profile every time it
// becomes active and owns every dialog, so they keep their contents; it opens
// them also for the page window's "Edit Snippet...".
class MainWindow final : public QWidget, public SnippetEditor {
    Q_OBJECT
public:
    // pageWindow may be null (when snippets go elsewhere).
    MainWindow(AppServices& services, PageWindow* pageWindow, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs when the window is first shown and on every activation.
    void load();

    bool isAboutMode() const { return m_aboutMode; }
    // Each dialog is made when first needed and then kept, so it keeps its contents.
    PurchaseDialog& purchaseDialog();
    OptionsDialog& optionsDialog();
    ButtonDialog& viewCartDialog();
    ButtonDialog& retrieveOrdersDialog();
    CheckoutDialog& checkoutDialog();
    SetupNeededDialog& setupNeededDialog();

    // The current merchant's forms only; another's opens nothing but a message.
    void editSnippet(const ReadSnippet& snippet, PageEditorBridge& replacement) override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void loadPicture(const std::string& folder);
    void fillChooser();
    void selectChooserLine();
    void chooseMerchant();
    // About mode's way back to the chooser when several merchants are installed.
    void offerMerchantChange();
    void cancelMerchantChange();
    // The dialogs hold the last merchant's values; they are made anew when next
    // opened, as at start-up.
    void dropDialogs();
    void showMerchant();
    void setAboutMode(bool on);
    // What a click on the picture does: About mode ends unless a merchant must be chosen.
    void leaveAboutMode();
    // Done's question about unsaved option lists; false keeps the program running.
    bool settleOptionListChanges();
    // The checkout command: its dialog run by `run`, or the setup-needed one
    // without a main page.
    void runCheckoutCommand(const std::function<void(CheckoutDialog&)>& run);

    AppServices& m_services;
    // Either window may go first.
    QPointer<PageWindow> m_pageWindow;
    // The page window's "Site" menu, while there is a page window.
    std::unique_ptr<SiteMenu> m_siteMenu;
    std::unique_ptr<Ui::MainWindow> m_ui;
    PurchaseDialog* m_purchaseDialog = nullptr;
    ButtonDialog* m_viewCartDialog = nullptr;
    ButtonDialog* m_retrieveOrdersDialog = nullptr;
    SetupNeededDialog* m_setupNeededDialog = nullptr;
    OptionsDialog* m_optionsDialog = nullptr;
    CheckoutDialog* m_checkoutDialog = nullptr;

    bool m_chooserFilled = false;
    bool m_aboutMode = false;
    bool m_firstShowDone = false;
};

} // namespace vendaxo
