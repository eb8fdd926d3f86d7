#include "app/main_window.h"

#include "settings/gui/options_dialog.h"
#include "shell/gui/app_services.h"
#include "shell/gui/command_icons.h"
#include "shell/gui/help_service.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "shell/gui/setup_needed_dialog.h"
#include "shell/gui/window_placement.h"
#include "shell/merchant_session.h"
#include "site/gui/site_menu.h"
#include "snippets/gui/button_dialog.h"
#include "snippets/gui/checkout_dialog.h"
#include "snippets/gui/option_lists_editor.h"
#include "snippets/gui/page_window.h"
#include "snippets/gui/purchase_dialog.h"
#include "snippets/snippet_reader.h"
#include "ui_main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace vendaxo {

namespace {

constexpr int kPictureHeight = 80;

// VDXDir + "\privatelabel.bmp"; off Windows the folder may use "/" instead.
QString privateLabelPicture(const QString& folder) {
    const QString asWritten = folder + QStringLiteral("\\privatelabel.bmp");
    QStringList candidates{asWritten};
#ifndef _WIN32
    candidates << QString(asWritten).replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

} // namespace

MainWindow::MainWindow(AppServices& services, PageWindow* pageWindow, QWidget* parent)
    : QWidget(parent), m_services(services), m_pageWindow(pageWindow),
      m_ui(std::make_unique<Ui::MainWindow>()) {
    m_ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    const std::pair<QToolButton*, Command> commands[] = {
        {m_ui->purchaseButton, Command::Purchase},
        {m_ui->viewCartButton, Command::ViewCart},
        {m_ui->checkoutFormButton, Command::CheckoutForm},
        {m_ui->globalOptionsButton, Command::GlobalOptions},
        {m_ui->retrieveOrdersButton, Command::RetrieveOrders},
    };
    for (const auto& [button, command] : commands)
        button->setIcon(commandIcon(command));

    // The picture spans the command row; About mode keeps the row's height.
    const QSize pictureSize(m_ui->commandPanel->sizeHint().width(), kPictureHeight);
    m_ui->pictureLabel->setFixedSize(pictureSize);
    m_ui->pictureLabel->setPixmap(builtInPicture(pictureSize, devicePixelRatioF()));
    m_ui->pictureLabel->installEventFilter(this);
    m_ui->chooserList->installEventFilter(this);
    m_ui->aboutPanel->setMinimumHeight(m_ui->commandPanel->sizeHint().height());
    m_ui->noticeLabel->setText(
        tr("Vendaxo version %1").arg(QCoreApplication::applicationVersion()));
    m_ui->aboutPanel->hide();
    m_ui->chooserPanel->hide();

    connect(m_ui->purchaseButton, &QToolButton::clicked, this, [this] { purchaseDialog().exec(); });
    connect(m_ui->viewCartButton, &QToolButton::clicked, this, [this] { viewCartDialog().exec(); });
    connect(m_ui->globalOptionsButton, &QToolButton::clicked, this,
            [this] { optionsDialog().exec(); });
    connect(m_ui->checkoutFormButton, &QToolButton::clicked, this,
            [this] { runCheckoutCommand([](CheckoutDialog& dialog) { dialog.exec(); }); });
    connect(m_ui->retrieveOrdersButton, &QToolButton::clicked, this,
            [this] { retrieveOrdersDialog().exec(); });
    connect(m_ui->doneButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->helpButton, &QPushButton::clicked, this,
            [this] { m_services.help.show(kHelpMainWindow); });
    connect(m_ui->aboutButton, &QPushButton::clicked, this, [this] { setAboutMode(true); });

    connect(m_ui->chooserList, &QListWidget::itemSelectionChanged, this,
            &MainWindow::selectChooserLine);
    connect(m_ui->chooserList, &QListWidget::itemDoubleClicked, this, &MainWindow::chooseMerchant);
    connect(m_ui->chooserOkButton, &QPushButton::clicked, this, &MainWindow::chooseMerchant);
    connect(m_ui->chooserHelpButton, &QPushButton::clicked, this,
            [this] { m_services.help.show(kHelpChooser); });
    connect(m_ui->chooserCancelButton, &QPushButton::clicked, this,
            &MainWindow::cancelMerchantChange);
    connect(m_ui->changeCompanyButton, &QPushButton::clicked, this,
            &MainWindow::offerMerchantChange);
    m_ui->chooserCancelButton->hide();
    if (m_pageWindow) {
        m_pageWindow->setSnippetEditor(this);
        m_pageWindow->setAppServices(&m_services);
        m_siteMenu = std::make_unique<SiteMenu>(services, *m_pageWindow);
    }
}

MainWindow::~MainWindow() {
    if (m_pageWindow) {
        m_pageWindow->setSnippetEditor(nullptr);
        m_pageWindow->setAppServices(nullptr);
    }
}

namespace {

// Building every dialog up front was a third of the start-up time.
template <typename Dialog, typename... Args> Dialog& once(Dialog*& dialog, Args&&... args) {
    if (!dialog)
        dialog = new Dialog(std::forward<Args>(args)...);
    return *dialog;
}

} // namespace

PurchaseDialog& MainWindow::purchaseDialog() {
    return once(m_purchaseDialog, m_services, this);
}

OptionsDialog& MainWindow::optionsDialog() {
    return once(m_optionsDialog, m_services, this);
}

ButtonDialog& MainWindow::viewCartDialog() {
    return once(m_viewCartDialog, ButtonDialog::Kind::ViewCart, m_services, this);
}

ButtonDialog& MainWindow::retrieveOrdersDialog() {
    return once(m_retrieveOrdersDialog, ButtonDialog::Kind::RetrieveOrders, m_services, this);
}

CheckoutDialog& MainWindow::checkoutDialog() {
    return once(m_checkoutDialog, m_services, this);
}

SetupNeededDialog& MainWindow::setupNeededDialog() {
    return once(m_setupNeededDialog, m_services.help, this);
}

void MainWindow::load() {
    const Installation installation = Installation::load(m_services.store);
    m_services.help.setHelpFile(toQt(installation.helpFile));
    loadPicture(installation.folder);
    m_services.session.activate(installation);
    if (m_services.session.needsChoice())
        fillChooser();
    else
        showMerchant();
}

void MainWindow::loadPicture(const std::string& folder) {
    const QString file = privateLabelPicture(toQt(folder));
    if (file.isEmpty())
        return;
    // An unreadable picture is treated like a missing one: it would otherwise
    // report itself again on every activation.
    QPixmap picture(file);
    if (picture.isNull())
        return;
    const QSize area = m_ui->pictureLabel->size();
    if (picture.width() > area.width() || picture.height() > area.height())
        picture = picture.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_ui->pictureLabel->setPixmap(picture);
}

void MainWindow::fillChooser() {
    // Filled once: every activation would otherwise append the lines again.
    if (!m_chooserFilled) {
        m_chooserFilled = true;
        for (const std::string& name : m_services.session.offeredMerchants().companyNames())
            m_ui->chooserList->addItem(toQt(name));
        m_ui->chooserOkButton->setEnabled(false);
    }
    m_ui->chooserPanel->show();
    setAboutMode(true);
    m_ui->chooserList->setFocus();
}

void MainWindow::selectChooserLine() {
    m_ui->chooserOkButton->setEnabled(!m_ui->chooserList->selectedItems().isEmpty());
}

void MainWindow::chooseMerchant() {
    const QList<QListWidgetItem*> selected = m_ui->chooserList->selectedItems();
    if (selected.isEmpty())
        return;
    const auto line = static_cast<std::size_t>(m_ui->chooserList->row(selected.front()));
    const std::vector<std::string> numbers =
        m_services.session.offeredMerchants().merchantNumbers();
    const bool switching = m_ui->chooserCancelButton->isVisible();
    if (switching && line < numbers.size() && numbers[line] != m_services.profile.merchantNumber) {
        // The option lists belong to the merchant being left.
        if (m_purchaseDialog && !m_purchaseDialog->optionLists().settleChanges())
            return;
        dropDialogs();
    }
    m_services.session.choose(line);
    m_ui->chooserCancelButton->hide();
    m_ui->chooserPanel->hide();
    setAboutMode(false);
    showMerchant();
    m_ui->purchaseButton->setFocus();
}

void MainWindow::offerMerchantChange() {
    const std::vector<std::string> numbers =
        m_services.session.offeredMerchants().merchantNumbers();
    const auto current =
        std::find(numbers.begin(), numbers.end(), m_services.profile.merchantNumber);
    if (current != numbers.end())
        m_ui->chooserList->setCurrentRow(static_cast<int>(current - numbers.begin()));
    m_ui->chooserCancelButton->show();
    m_ui->chooserPanel->show();
    setAboutMode(true);
    m_ui->chooserList->setFocus();
}

void MainWindow::cancelMerchantChange() {
    m_ui->chooserCancelButton->hide();
    m_ui->chooserPanel->hide();
    setAboutMode(true);
    m_ui->changeCompanyButton->setFocus();
}

void MainWindow::dropDialogs() {
    const auto drop = [](auto*& dialog) {
        delete dialog;
        dialog = nullptr;
    };
    drop(m_purchaseDialog);
    drop(m_optionsDialog);
    drop(m_viewCartDialog);
    drop(m_retrieveOrdersDialog);
    drop(m_checkoutDialog);
    drop(m_setupNeededDialog);
}

void MainWindow::showMerchant() {
    const MerchantProfile& profile = m_services.profile;
    m_ui->merchantNumberLabel->setText(toQt(profile.merchantNumber));
    m_ui->companyLabel->setText(tr("Company Name:   %1").arg(toQt(profile.companyName)));
    setWindowTitle(tr("Vendaxo (%1)").arg(toQt(profile.companyName)));
}

void MainWindow::setAboutMode(bool on) {
    m_aboutMode = on;
    // Before the buttons are disabled, so the focus they give up lands on it.
    m_ui->changeCompanyButton->setVisible(
        on && m_ui->chooserPanel->isHidden() &&
        m_services.session.offeredMerchants().hasSeveralMerchants());
    m_ui->commandPanel->setVisible(!on);
    m_ui->aboutPanel->setVisible(on);
    // Before a merchant is chosen the merchant's labels are empty; blank lines
    // above the chooser would only push it down.
    for (QLabel* label : {m_ui->merchantNumberLabel, m_ui->companyLabel})
        label->setVisible(!label->text().isEmpty());
    for (QPushButton* button : {m_ui->doneButton, m_ui->helpButton, m_ui->aboutButton})
        button->setEnabled(!on);

    const bool pictureLeaves = on && m_ui->chooserPanel->isHidden();
    m_ui->pictureLabel->setCursor(pictureLeaves ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

bool MainWindow::settleOptionListChanges() {
    if (!m_purchaseDialog)
        return true; // never opened: nothing changed
    OptionListsEditor& optionLists = m_purchaseDialog->optionLists();
    if (!optionLists.isChanged())
        return true;
    const auto answer = optionLists.askToSaveChanges();
    if (answer == QMessageBox::Yes)
        optionLists.saveOptionList(); // and the program keeps running
    return answer == QMessageBox::No;
}

void MainWindow::runCheckoutCommand(const std::function<void(CheckoutDialog&)>& run) {
    if (!m_services.profile.mainPageAddress.empty())
        run(checkoutDialog());
    else
        setupNeededDialog().exec();
    m_services.session.fillEmptyConfirmation();
}

void MainWindow::editSnippet(const ReadSnippet& snippet, PageEditorBridge& replacement) {
    const QString otherMerchant = otherMerchantMessage(snippet.merchant, m_services.session,
                                                       Installation::load(m_services.store));
    if (!otherMerchant.isEmpty()) {
        m_services.prompts.message(m_pageWindow.data(), QMessageBox::Information,
                                   tr("Edit Snippet"), otherMerchant, QMessageBox::Ok);
        return;
    }
    switch (snippet.kind) {
    case SnippetKind::Purchase:
        purchaseDialog().editProduct(snippet.product, replacement);
        break;
    case SnippetKind::ViewCart:
        viewCartDialog().editCaption(snippet.caption, replacement);
        break;
    case SnippetKind::RetrieveOrders:
        retrieveOrdersDialog().editCaption(snippet.caption, replacement);
        break;
    case SnippetKind::Checkout:
        runCheckoutCommand([&](CheckoutDialog& dialog) {
            dialog.editChoices(snippet.checkout.choices, snippet.checkout.cardsShown, replacement);
        });
        break;
    }
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        load();
    return QWidget::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->pictureLabel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        leaveAboutMode();
    // The list shows its focus frame on a line before any is selected; the
    // first arrow key selects that line instead of moving past it.
    QListWidget* chooser = m_ui->chooserList;
    if (watched == chooser && event->type() == QEvent::KeyPress && chooser->currentItem() &&
        chooser->selectedItems().isEmpty()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            chooser->currentItem()->setSelected(true);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::leaveAboutMode() {
    if (!m_aboutMode || m_ui->chooserPanel->isVisible())
        return;
    setAboutMode(false);
    // About mode left nothing to hold the focus; the keyboard goes on from About...
    if (!focusWidget() || !focusWidget()->isEnabled() || !focusWidget()->isVisible())
        m_ui->aboutButton->setFocus(Qt::OtherFocusReason);
}

// A plain window has no default button, so Enter is given the meaning it has
// in a dialog: it presses the focused button, else the chooser's OK.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter && event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Where the focus goes next is shown, as after Tab.
    setAttribute(Qt::WA_KeyboardFocusChange);
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if (!enter && m_ui->chooserCancelButton->isVisible()) {
        cancelMerchantChange();
        return;
    }
    if (m_aboutMode && m_ui->chooserPanel->isHidden() &&
        !(enter && button == m_ui->changeCompanyButton)) {
        leaveAboutMode();
        return;
    }
    if (enter && button && button->isEnabled() && button->isVisible())
        button->click();
    else if (enter && m_ui->chooserPanel->isVisible() && m_ui->chooserOkButton->isEnabled())
        chooseMerchant();
    else
        QWidget::keyPressEvent(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_firstShowDone)
        return;
    m_firstShowDone = true;
    // Loaded before centring, since the chooser makes the window taller.
    load();
    layout()->activate();
    centreOnScreen(*this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // "Done" and the window's close button both end the program, once the
    // page's unsaved changes are settled.
    if (!settleOptionListChanges() || (m_pageWindow && !m_pageWindow->maybeSave())) {
        event->ignore();
        return;
    }
    event->accept();
    // Settled: quitting must not ask the page window again.
    if (m_pageWindow)
        m_pageWindow->hide();
    QCoreApplication::quit();
}

} // namespace vendaxo
