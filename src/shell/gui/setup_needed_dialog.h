#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class SetupNeededDialog;
}

namespace vendaxo {

class HelpService;

// Shown instead of the checkout form while the main page address is missing.
class SetupNeededDialog final : public QDialog {
    Q_OBJECT
public:
    SetupNeededDialog(HelpService& help, QWidget* parent = nullptr);
    ~SetupNeededDialog() override;

private:
    std::unique_ptr<Ui::SetupNeededDialog> m_ui;
};

} // namespace vendaxo
