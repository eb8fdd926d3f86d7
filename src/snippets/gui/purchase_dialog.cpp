#include "snippets/gui/purchase_dialog.h"

#include "base/numbers.h"
#include "shell/gui/app_services.h"
#include "shell/gui/field_rules.h"
#include "shell/gui/help_service.h"
#include "shell/gui/numeric_key_filter.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "shell/gui/window_placement.h"
#include "shell/settings_store.h"
#include "snippets/gui/option_lists_editor.h"
#include "snippets/html.h"
#include "snippets/page_editor.h"
#include "snippets/purchase_snippet.h"
#include "ui_purchase_dialog.h"

#include <QKeyEvent>
#include <QScreen>
#include <QSignalBlocker>

namespace vendaxo {

namespace {

// The last focusable widget inside `parent`, whose children follow it in the focus chain.
QWidget* lastInFocusChain(QWidget* parent) {
    QWidget* last = parent;
    for (QWidget* next = parent->nextInFocusChain(); parent->isAncestorOf(next);
         next = next->nextInFocusChain())
        last = next;
    return last;
}

} // namespace

PurchaseDialog::PurchaseDialog(AppServices& services, QWidget* parent)
    : QDialog(parent), m_services(services), m_target(services.editor),
      m_ui(std::make_unique<Ui::PurchaseDialog>()), m_optionLists(nullptr) {
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("purchaseDialog"));
    setWindowFlag(Qt::WindowStaysOnTopHint);

    // In a cell of its own, so the dialog grows with it when it widens.
    m_optionLists = new OptionListsEditor(services, this);
    m_optionLists->setObjectName(QStringLiteral("optionLists"));
    m_ui->groupLayout->addWidget(m_optionLists);
    // The option commands come between the quantity settings and the dialog's buttons.
    QWidget* previous = lastInFocusChain(m_optionLists);
    for (QWidget* button :
         {m_ui->newProductButton, m_ui->saveDefaultButton, m_ui->pasteDefaultButton,
          m_ui->insertButton, m_ui->cancelButton, m_ui->helpButton}) {
        setTabOrder(previous, button);
        previous = button;
    }
    setProductFields(Product{});

    NumericKeyFilter::install(m_ui->weightEdit);
    NumericKeyFilter::install(m_ui->fixedQuantityEdit);
    connect(NumericKeyFilter::install(m_ui->priceEdit), &NumericKeyFilter::keyReleased, this,
            &PurchaseDialog::updateInsertButton);
    m_ui->skuEdit->installEventFilter(this);
    m_ui->descriptionEdit->installEventFilter(this);
    m_ui->discountList->installEventFilter(this);
    // Pasted line breaks become blanks, as Enter makes none.
    connect(m_ui->descriptionEdit, &QPlainTextEdit::textChanged, this,
            [this] { applyTextRule(m_ui->descriptionEdit, textRule(&Product::descriptionLine)); });
    forbidCharacters(m_ui->descriptionEdit, Product::kForbiddenInDescription, services.prompts,
                     tr("You cannot enter qoutation marks(\") in this field."));

    // clicked, not toggled: the rules answer the merchant, not setValue().
    connect(m_ui->quantityLockCheck, &QCheckBox::clicked, this, [this](bool checked) {
        applyCheckRule(&Product::quantityLock, &Product::setQuantityLock, checked);
    });
    connect(m_ui->noFractionalCheck, &QCheckBox::clicked, this, [this](bool checked) {
        applyCheckRule(&Product::noFractional, &Product::setNoFractional, checked);
    });
    connect(m_ui->quantityBoxCheck, &QCheckBox::clicked, this, [this](bool checked) {
        applyCheckRule(&Product::quantityBox, &Product::setQuantityBox, checked);
    });
    connect(m_ui->quantityLockCheck, &QCheckBox::toggled, this,
            &PurchaseDialog::updateDependentControls);
    connect(m_ui->quantityDiscountCheck, &QCheckBox::toggled, this,
            &PurchaseDialog::updateDependentControls);
    connect(m_ui->discountList, &QListWidget::itemSelectionChanged, this,
            &PurchaseDialog::updateDependentControls);

    connect(m_ui->addDiscountButton, &QPushButton::clicked, this, &PurchaseDialog::addDiscount);
    connect(m_ui->removeDiscountButton, &QPushButton::clicked, this,
            &PurchaseDialog::removeDiscount);
    connect(m_ui->discountList, &QListWidget::itemDoubleClicked, this,
            &PurchaseDialog::editDiscount);
    connect(m_ui->newProductButton, &QPushButton::clicked, this, &PurchaseDialog::newProduct);
    connect(m_ui->saveDefaultButton, &QPushButton::clicked, this, &PurchaseDialog::saveAsDefault);
    connect(m_ui->pasteDefaultButton, &QPushButton::clicked, this, &PurchaseDialog::pasteDefault);
    connect(m_ui->insertButton, &QPushButton::clicked, this,
            [this] { m_services.prompts.run(this, [this] { insert(); }); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->helpButton, &QPushButton::clicked, this,
            [this] { m_services.help.show(kHelpPurchase); });
}

PurchaseDialog::~PurchaseDialog() = default;

Product PurchaseDialog::value() const {
    Product product;
    product.sku = textOf(m_ui->skuEdit);
    product.price = textOf(m_ui->priceEdit);
    product.description = m_ui->descriptionEdit->toPlainText().toStdString();
    product.weight = textOf(m_ui->weightEdit);
    product.caption = textOf(m_ui->captionEdit);
    product.freeShipping = m_ui->freeShippingCheck->isChecked();
    product.nonTaxable = m_ui->nonTaxableCheck->isChecked();
    product.noJump = m_ui->noJumpCheck->isChecked();
    product.noFractional = m_ui->noFractionalCheck->isChecked();
    product.quantityLock = m_ui->quantityLockCheck->isChecked();
    product.fixedQuantity = textOf(m_ui->fixedQuantityEdit);
    product.noMinimums = m_ui->noMinimumsCheck->isChecked();
    product.quantityBox = m_ui->quantityBoxCheck->isChecked();
    product.quantityDiscount = m_ui->quantityDiscountCheck->isChecked();
    product.discounts = m_discounts;
    product.setOptionLists(m_optionLists->value());
    product.carriedText = m_carriedText;
    product.carriedText2 = m_carriedText2;
    return product;
}

void PurchaseDialog::setValue(const Product& product) {
    setProductFields(product);
    m_optionLists->setValue(product.optionLists());
}

int PurchaseDialog::editProduct(const Product& product, PageEditorBridge& replacement) {
    const Product before = value();
    const bool listsChanged = m_optionLists->isChanged();
    Product edited = product;
    // Not in the form: they stay with the dialog, for Save as Default.
    edited.carriedText = before.carriedText;
    edited.carriedText2 = before.carriedText2;
    setValue(edited);
    // The form's lists, as read, are unchanged: the questions about unsaved
    // lists during the edit are about them, not about the lists put aside.
    m_optionLists->setChanged(false);
    const int result = m_target.execReplacing(*this, replacement);
    setValue(before);
    m_optionLists->setChanged(listsChanged);
    return result;
}

// Everything but the option lists; the check boxes are set without their rules.
void PurchaseDialog::setProductFields(const Product& product) {
    m_ui->skuEdit->setText(toQt(product.sku));
    m_ui->priceEdit->setText(toQt(product.price));
    {
        const QSignalBlocker asItStands(m_ui->descriptionEdit);
        m_ui->descriptionEdit->setPlainText(toQt(product.description));
    }
    m_ui->weightEdit->setText(toQt(product.weight));
    m_ui->captionEdit->setText(toQt(product.caption));
    m_ui->freeShippingCheck->setChecked(product.freeShipping);
    m_ui->nonTaxableCheck->setChecked(product.nonTaxable);
    m_ui->noJumpCheck->setChecked(product.noJump);
    m_ui->noFractionalCheck->setChecked(product.noFractional);
    m_ui->quantityLockCheck->setChecked(product.quantityLock);
    m_ui->fixedQuantityEdit->setText(toQt(product.fixedQuantity));
    m_ui->noMinimumsCheck->setChecked(product.noMinimums);
    m_ui->quantityBoxCheck->setChecked(product.quantityBox);
    m_ui->quantityDiscountCheck->setChecked(product.quantityDiscount);
    m_discounts = product.discounts;
    m_carriedText = product.carriedText;
    m_carriedText2 = product.carriedText2;
    showDiscounts();
    updateInsertButton();
}

bool PurchaseDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (watched == m_ui->descriptionEdit && enter) {
            // No line break; ignored, the key goes on to the dialog's default button.
            event->ignore();
            return true;
        }
        if (watched == m_ui->discountList && (enter || key == Qt::Key_F2)) {
            editDiscount(); // as a double-click does
            return true;
        }
    }
    if (event->type() == QEvent::KeyRelease &&
        (watched == m_ui->skuEdit || watched == m_ui->descriptionEdit))
        updateInsertButton();
    return QDialog::eventFilter(watched, event);
}

void PurchaseDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // A form being edited keeps its SKU: it names the product on the page.
    if (!m_target.isReplacing())
        m_ui->skuEdit->clear();
    updateInsertButton();
    m_optionLists->prepareForShow();
    m_ui->skuEdit->setFocus();
    layout()->activate();
    move(screen()->availableGeometry().center() - rect().center());
    keepOnScreen();
}

void PurchaseDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isVisible())
        keepOnScreen();
}

// A wider option group widens the dialog to the right: it moves back as far
// as the screen needs.
void PurchaseDialog::keepOnScreen() {
    const QPoint at = onScreen(frameGeometry(), screen()->availableGeometry());
    if (at != frameGeometry().topLeft())
        move(at);
}

void PurchaseDialog::updateInsertButton() {
    m_ui->insertButton->setEnabled(!m_ui->skuEdit->text().isEmpty() &&
                                   !m_ui->priceEdit->text().isEmpty() &&
                                   !m_ui->descriptionEdit->toPlainText().isEmpty());
}

void PurchaseDialog::updateDependentControls() {
    m_ui->fixedQuantityEdit->setEnabled(m_ui->quantityLockCheck->isChecked());
    const bool discounts = m_ui->quantityDiscountCheck->isChecked();
    if (!discounts)
        m_ui->discountList->clearSelection();
    m_ui->discountList->setEnabled(discounts);
    m_ui->addDiscountButton->setEnabled(discounts);
    m_ui->removeDiscountButton->setEnabled(discounts &&
                                           !m_ui->discountList->selectedItems().isEmpty());
}

void PurchaseDialog::applyCheckRule(bool Product::*box, void (Product::*rule)(bool), bool checked) {
    Product product = value();
    product.*box = !checked; // as it stood before the click
    (product.*rule)(checked);
    m_ui->noFractionalCheck->setChecked(product.noFractional);
    m_ui->quantityLockCheck->setChecked(product.quantityLock);
    m_ui->quantityBoxCheck->setChecked(product.quantityBox);
}

void PurchaseDialog::showDiscounts() {
    m_ui->discountList->clear();
    for (const std::string& entry : m_discounts.entries())
        m_ui->discountList->addItem(toQt(entry));
    updateDependentControls();
}

void PurchaseDialog::addDiscount() {
    Prompts& prompts = m_services.prompts;
    m_ui->discountList->clearSelection();
    const std::string typedQuantity =
        prompts
            .inputText(this, tr("Enter Quantity Discount..."),
                       tr("Enter Quantity for the Discount"), QString())
            .value_or(QString())
            .toStdString();
    switch (m_discounts.checkTypedQuantity(typedQuantity)) {
    case DiscountRefusal::QuantityExists:
        prompts.message(this, QMessageBox::Warning, tr("Warning..."),
                        tr(kQuantityExistsMessage.data()), QMessageBox::Ok);
        return;
    case DiscountRefusal::NotWholeNumber:
        return;
    case DiscountRefusal::None:
        break;
    }
    const QString price =
        prompts
            .inputText(
                this, tr("Enter Quantity Discount Price..."),
                tr("Enter the item price for %1 quantity").arg(toQt(integerText(typedQuantity))),
                QString())
            .value_or(QString());
    m_discounts.addTyped(typedQuantity, price.toStdString());
    showDiscounts();
}

void PurchaseDialog::editDiscount() {
    const int row = m_ui->discountList->currentRow();
    if (row < 0 || !m_ui->discountList->item(row)->isSelected())
        return;
    const std::string& entry = m_discounts.entries()[static_cast<std::size_t>(row)];
    const QString current = toQt(QuantityDiscounts::priceOf(entry));
    // Cancel keeps the price, as if the shown one were confirmed.
    const QString price = m_services.prompts
                              .inputText(this, tr("Enter Quantity Discount Price..."),
                                         tr("Enter the item price for %1 quantity")
                                             .arg(toQt(QuantityDiscounts::quantityOf(entry))),
                                         current)
                              .value_or(current);
    m_discounts.setPrice(static_cast<std::size_t>(row), priceText(price.toStdString()));
    showDiscounts();
    m_ui->discountList->setCurrentRow(row);
}

void PurchaseDialog::removeDiscount() {
    const QList<QListWidgetItem*> selected = m_ui->discountList->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = m_ui->discountList->row(selected.front());
    if (m_services.prompts.message(this, QMessageBox::Question, tr("Confirmation"),
                                   tr("Remove Quantity Item (%1)?").arg(selected.front()->text()),
                                   QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    m_discounts.remove(static_cast<std::size_t>(row));
    showDiscounts();
}

void PurchaseDialog::newProduct() {
    if (!m_optionLists->settleChanges())
        return;
    setValue(Product{});
    m_optionLists->setChanged(false);
    m_ui->skuEdit->setFocus();
}

void PurchaseDialog::saveAsDefault() {
    if (m_services.prompts.message(this, QMessageBox::Question, tr("Save As Defaults..."),
                                   tr("Save Current Settings as Defaults?"),
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) ==
        QMessageBox::Yes)
        ProductDefaults::save(m_services.store, value());
}

void PurchaseDialog::pasteDefault() {
    Product product = value();
    ProductDefaults::paste(m_services.store, product);
    setValue(product);
    m_optionLists->setChanged(false);
}

void PurchaseDialog::insert() {
    const auto editor = m_target.obtain();
    editor->insertHtml(buildPurchaseSnippet(value(), m_services.profile,
                                            m_services.store.read(stored::kShopColours)));
    accept();
}

} // namespace vendaxo
