#pragma once

#include "snippets/gui/insert_target.h"
#include "snippets/product.h"

#include <QDialog>
#include <memory>

namespace Ui {
class PurchaseDialog;
}

namespace vendaxo {

struct AppServices;
class OptionListsEditor;

// "Insert Purchase Button...": one product's fields, quantity settings and
// discounts, the embedded option lists, and the product defaults.
class PurchaseDialog final : public QDialog {
    Q_OBJECT
public:
    explicit PurchaseDialog(AppServices& services, QWidget* parent = nullptr);
    ~PurchaseDialog() override;

    Product value() const;
    // Shows a product as it stands; the check-box rules do not run.
    void setValue(const Product& product);
    // Runs the dialog on a product read from a form of the page, its SKU kept,
    // with Insert replacing that form through `replacement`. Afterwards the
    // dialog holds what it held before, the option lists' changed flag included.
    int editProduct(const Product& product, PageEditorBridge& replacement);

    // The main window's Done asks about its changed lists.
    OptionListsEditor& optionLists() { return *m_optionLists; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setProductFields(const Product& product);
    void showDiscounts();
    void updateInsertButton();
    void updateDependentControls();
    void keepOnScreen();
    // A rule of Product applied to a click on one of its check boxes.
    void applyCheckRule(bool Product::*box, void (Product::*rule)(bool), bool checked);

    void addDiscount();
    void editDiscount();
    void removeDiscount();
    // "New Product": every field back to its first value, once changed option
    // lists are settled.
    void newProduct();
    void saveAsDefault();
    void pasteDefault();
    void insert();

    AppServices& m_services;
    InsertTarget m_target;
    std::unique_ptr<Ui::PurchaseDialog> m_ui;
    OptionListsEditor* m_optionLists;
    QuantityDiscounts m_discounts;
    // Carried with the defaults, never shown.
    std::string m_carriedText;
    std::string m_carriedText2;
};

} // namespace vendaxo
