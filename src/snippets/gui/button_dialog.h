#pragma once

#include "snippets/gui/insert_target.h"

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class ButtonDialog;
}

namespace vendaxo {

struct AppServices;

// The view-cart and retrieve-orders dialogs: one caption, Insert always enabled.
class ButtonDialog final : public QDialog {
    Q_OBJECT
public:
    enum class Kind { ViewCart, RetrieveOrders };

    ButtonDialog(Kind kind, AppServices& services, QWidget* parent = nullptr);
    ~ButtonDialog() override;

    // The button's caption.
    std::string value() const;
    void setValue(const std::string& caption);
    // Runs the dialog on the caption of a button read from the page, with
    // Insert replacing that button's form through `replacement`. Afterwards
    // the dialog holds the caption it held before.
    int editCaption(const std::string& caption, PageEditorBridge& replacement);

private:
    void insert();

    Kind m_kind;
    AppServices& m_services;
    InsertTarget m_target;
    std::unique_ptr<Ui::ButtonDialog> m_ui;
};

} // namespace vendaxo
