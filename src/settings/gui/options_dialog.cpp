#include "settings/gui/options_dialog.h"

#include "settings/gui/item_keys.h"
#include "settings/gui/jpeg_picture.h"
#include "settings/gui/shipping_dialog.h"
#include "settings/gui/styles_dialog.h"
#include "shell/gui/app_services.h"
#include "shell/gui/help_service.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "ui_options_dialog.h"

#include <QShowEvent>

// The pictures are resources of the gui library, which a static library only
// links into the program when something refers to them.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace vendaxo {

namespace {

// The memo's lines as the store keeps them: joined by CR LF.
std::string memoText(const QPlainTextEdit& memo) {
    return memo.toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
}

} // namespace

struct OptionsDialog::Private {
    explicit Private(AppServices& services) : services(services) {}

    AppServices& services;
    Ui::OptionsDialog ui;
    // The hidden checkout page edit: nobody sees or types it, load and save carry it.
    std::string checkoutPage;
    StylesDialog* styles = nullptr; // children, made on first use
    ShippingDialog* shipping = nullptr;
};

OptionsDialog::OptionsDialog(AppServices& services, QWidget* parent)
    : QDialog(parent), d(std::make_unique<Private>(services)) {
    initResources();
    Ui::OptionsDialog& ui = d->ui;
    ui.setupUi(this);
    ui.pictureLabel->setPixmap(
        QPixmap::fromImage(readJpegPicture(QStringLiteral(":/pictures/options.jpg"))));
    ui.mainPageEdit->installEventFilter(this);
    ui.confirmationEdit->installEventFilter(this);

    connect(ui.addTaxButton, &QPushButton::clicked, this, &OptionsDialog::addTax);
    connect(ui.taxList, &QListWidget::itemDoubleClicked, this, &OptionsDialog::editTax);
    onItemKeys(ui.taxList, [this](int row) { editTax(d->ui.taxList->item(row)); });
    connect(ui.taxList, &QListWidget::itemSelectionChanged, this, [this] {
        d->ui.removeTaxButton->setEnabled(!d->ui.taxList->selectedItems().isEmpty());
    });
    connect(ui.removeTaxButton, &QPushButton::clicked, this, &OptionsDialog::removeTax);
    connect(ui.usStatesButton, &QPushButton::clicked, this, &OptionsDialog::setUsStates);
    connect(ui.clearTaxButton, &QPushButton::clicked, this, &OptionsDialog::clearTaxes);
    connect(ui.selectShippingButton, &QPushButton::clicked, this,
            &OptionsDialog::openShippingDialog);
    connect(ui.stylesButton, &QPushButton::clicked, this, [this] { stylesDialog().exec(); });
    connect(ui.okButton, &QPushButton::clicked, this, &OptionsDialog::acceptOptions);
    connect(ui.cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui.helpButton, &QPushButton::clicked, this,
            [this] { d->services.help.show(kHelpOptions); });
}

OptionsDialog::~OptionsDialog() = default;

StoreOptions OptionsDialog::value() const {
    const Ui::OptionsDialog& ui = d->ui;
    StoreOptions options;
    for (int row = 0; row < ui.taxList->count(); ++row)
        options.taxEntries.push_back(ui.taxList->item(row)->text().toStdString());
    options.taxShipping = ui.taxShippingCheck->isChecked();
    options.currency = ui.currencyEdit->text().toStdString();
    options.mainPageAddress = ui.mainPageEdit->text().toStdString();
    options.checkoutPage = d->checkoutPage;
    options.confirmationMessage = memoText(*ui.confirmationEdit);
    options.verificationType = ui.verificationCombo->currentIndex();
    options.internationalShipping = ui.internationalCheck->isChecked();
    return options;
}

void OptionsDialog::setValue(const StoreOptions& options) {
    Ui::OptionsDialog& ui = d->ui;
    showTaxEntries(options.taxEntries);
    ui.taxShippingCheck->setChecked(options.taxShipping);
    ui.currencyEdit->setText(toQt(options.currency));
    ui.mainPageEdit->setText(toQt(options.mainPageAddress));
    ui.mainPageEdit->setCursorPosition(0); // a long address shows its start
    d->checkoutPage = options.checkoutPage;
    ui.confirmationEdit->setPlainText(toQt(options.confirmationMessage));
    ui.verificationCombo->setCurrentIndex(options.verificationType);
    ui.internationalCheck->setChecked(options.internationalShipping);
}

StylesDialog& OptionsDialog::stylesDialog() {
    if (!d->styles)
        d->styles = new StylesDialog(d->services, this);
    return *d->styles;
}

ShippingDialog& OptionsDialog::shippingDialog() {
    if (!d->shipping)
        d->shipping = new ShippingDialog(d->services, this);
    return *d->shipping;
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        MerchantSession& session = d->services.session;
        if (watched == d->ui.mainPageEdit)
            session.followMainPage(d->ui.mainPageEdit->text().toStdString());
        else if (watched == d->ui.confirmationEdit)
            session.followConfirmation(memoText(*d->ui.confirmationEdit));
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::showEvent(QShowEvent* event) {
    // A restore from the task bar is no new opening: it keeps the edits.
    if (!event->spontaneous())
        load();
    QDialog::showEvent(event);
}

void OptionsDialog::changeEvent(QEvent* event) {
    // Back from the shipping or styles dialog, or from another window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showMoneySignIfEmpty();
    QDialog::changeEvent(event);
}

// An empty currency edit shows the money sign whenever the dialog comes up
// again; OK right after emptying it still stores the empty currency.
void OptionsDialog::showMoneySignIfEmpty() {
    if (d->ui.currencyEdit->text().isEmpty())
        d->ui.currencyEdit->setText(toQt(kMoneySign));
}

void OptionsDialog::load() {
    AppServices& services = d->services;
    setValue(StoreOptions::load(services.store));
    value().applyTo(services.session);
    d->ui.shippingSummaryLabel->setText(tr("Current Settings:  ") +
                                        toQt(shippingSummary(services.store)));
    showMoneySignIfEmpty();
}

void OptionsDialog::save() {
    const StoreOptions options = value();
    options.save(d->services.store);
    d->services.session.followCurrency(options.currency);
}

void OptionsDialog::acceptOptions() {
    d->services.session.followMainPage(d->ui.mainPageEdit->text().toStdString());
    save();
    if (hasWebPrefix(d->services.profile.mainPageAddress)) {
        accept();
        return;
    }
    d->services.prompts.message(this, QMessageBox::Warning, tr("Vendaxo"),
                                tr("Your Main Page URL needs to have a \"http://\" prefix."),
                                QMessageBox::Ok);
}

void OptionsDialog::showTaxEntries(const std::vector<std::string>& entries) {
    d->ui.taxList->clear();
    for (const std::string& entry : entries)
        d->ui.taxList->addItem(toQt(entry));
    d->ui.removeTaxButton->setEnabled(false);
}

void OptionsDialog::addTax() {
    Prompts& prompts = d->services.prompts;
    const QString name = prompts
                             .inputText(this, tr("Enter New Tax..."),
                                        tr("Enter the new state name or zip code"), QString())
                             .value_or(QString());
    if (name.isEmpty())
        return;
    const std::optional<QString> rate = prompts.inputText(
        this, tr("Enter New Tax Rate..."), tr("Enter the tax rate for %1").arg(name), QString());
    if (!rate) // Cancel adds nothing; an empty rate adds a 0% entry
        return;
    StoreOptions options = value();
    options.addTaxEntry(addedTaxEntry(name.toStdString(), rate->toStdString()));
    showTaxEntries(options.taxEntries);
}

void OptionsDialog::editTax(QListWidgetItem* item) {
    const int row = d->ui.taxList->row(item);
    const std::string entry = item->text().toStdString();
    const std::string name = taxEntryName(entry);
    const std::optional<QString> rate = d->services.prompts.inputText(
        this, tr("Enter New Tax Rate..."), tr("Enter the new tax rate for %1").arg(toQt(name)),
        toQt(taxEntryRate(entry)));
    if (!rate) // Cancel keeps the entry as it is
        return;
    StoreOptions options = value();
    options.taxEntries.erase(options.taxEntries.begin() + row);
    options.addTaxEntry(editedTaxEntry(name, rate->toStdString()));
    showTaxEntries(options.taxEntries);
}

void OptionsDialog::removeTax() {
    const QList<QListWidgetItem*> selected = d->ui.taxList->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = d->ui.taxList->row(selected.front());
    if (!d->services.prompts.confirm(this, tr("Confirmation"),
                                     tr("Remove Tax Item (%1)?").arg(selected.front()->text())))
        return;
    StoreOptions options = value();
    options.taxEntries.erase(options.taxEntries.begin() + row);
    showTaxEntries(options.taxEntries);
}

void OptionsDialog::setUsStates() {
    if (d->services.prompts.message(
            this, QMessageBox::Question, tr("Set to United States defaults..."),
            tr("Set to United States default list?"),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) != QMessageBox::Yes)
        return;
    StoreOptions options;
    for (std::string_view state : kUsStates)
        options.addTaxEntry(std::string(state));
    showTaxEntries(options.taxEntries);
}

void OptionsDialog::clearTaxes() {
    if (d->services.prompts.message(this, QMessageBox::Question, tr("Clear All States..."),
                                    tr("Clear all state and zip code lists?"),
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) ==
        QMessageBox::Yes)
        showTaxEntries({});
}

void OptionsDialog::openShippingDialog() {
    ShippingDialog& shipping = shippingDialog();
    shipping.setCurrency(d->ui.currencyEdit->text());
    if (shipping.exec() == QDialog::Accepted)
        d->ui.shippingSummaryLabel->setText(tr("Current Settings:  ") + shipping.summary());
}

} // namespace vendaxo
