#pragma once

#include <QDialog>
#include <memory>

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

private:
    void insert();

    Kind m_kind;
    AppServices& m_services;
    std::unique_ptr<Ui::ButtonDialog> m_ui;
};

} // namespace vendaxo
