#include "shell/gui/setup_needed_dialog.h"

#include "shell/gui/help_service.h"
#include "ui_setup_needed_dialog.h"

#include <QStyle>

namespace vendaxo {

SetupNeededDialog::SetupNeededDialog(HelpService& help, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::SetupNeededDialog>()) {
    m_ui->setupUi(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_ui->iconLabel->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(side));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->helpButton, &QPushButton::clicked, this,
            [&help] { help.show(kHelpSetupNeeded); });
}

SetupNeededDialog::~SetupNeededDialog() = default;

} // namespace vendaxo
