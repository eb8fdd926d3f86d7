#pragma once

#include "settings/store_options.h"

#include <QDialog>
#include <memory>

class QListWidgetItem;

namespace vendaxo {

struct AppServices;
class ShippingDialog;
class StylesDialog;

// "Vendaxo Options...": the tax table, merchant information, verification
// type and shipping flags; opens the styles (and later the shipping) dialog.
class OptionsDialog final : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(AppServices& services, QWidget* parent = nullptr);
    ~OptionsDialog() override;

    StoreOptions value() const;
    void setValue(const StoreOptions& options);
    StylesDialog& stylesDialog();
    ShippingDialog& shippingDialog();

protected:
    // The profile follows the main page and confirmation edits key by key.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void load();
    void showMoneySignIfEmpty();
    void save();
    void acceptOptions();
    void showTaxEntries(const std::vector<std::string>& entries);
    void addTax();
    void editTax(QListWidgetItem* item);
    void removeTax();
    void setUsStates();
    void clearTaxes();
    void openShippingDialog();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
