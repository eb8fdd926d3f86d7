#include "snippets/gui/button_dialog.h"

#include "shell/gui/app_services.h"
#include "shell/gui/help_service.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"
#include "shell/settings_store.h"
#include "snippets/button_snippets.h"
#include "snippets/html.h"
#include "snippets/page_editor.h"
#include "ui_button_dialog.h"

namespace vendaxo {

ButtonDialog::ButtonDialog(Kind kind, AppServices& services, QWidget* parent)
    : QDialog(parent), m_kind(kind), m_services(services), m_target(services.editor),
      m_ui(std::make_unique<Ui::ButtonDialog>()) {
    m_ui->setupUi(this);
    const bool viewCart = kind == Kind::ViewCart;
    setWindowTitle(viewCart ? tr("Insert Shopping Cart Button...")
                            : tr("Insert Retrieve Orders Button..."));
    m_ui->captionEdit->setText(
        QString::fromUtf8(viewCart ? kViewCartCaption.data() : kRetrieveOrdersCaption.data()));
    setObjectName(viewCart ? QStringLiteral("viewCartDialog")
                           : QStringLiteral("retrieveOrdersDialog"));

    connect(m_ui->insertButton, &QPushButton::clicked, this,
            [this] { m_services.prompts.run(this, [this] { insert(); }); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->helpButton, &QPushButton::clicked, this, [this] {
        m_services.help.show(m_kind == Kind::ViewCart ? kHelpViewCart : kHelpRetrieveOrders);
    });
}

ButtonDialog::~ButtonDialog() = default;

std::string ButtonDialog::value() const {
    return textOf(m_ui->captionEdit);
}

void ButtonDialog::setValue(const std::string& caption) {
    m_ui->captionEdit->setText(toQt(caption));
}

int ButtonDialog::editCaption(const std::string& caption, PageEditorBridge& replacement) {
    const std::string before = value();
    setValue(caption);
    const int result = m_target.execReplacing(*this, replacement);
    setValue(before);
    return result;
}

void ButtonDialog::insert() {
    const auto editor = m_target.obtain();
    const std::string caption = value();
    const MerchantProfile& profile = m_services.profile;
    editor->insertHtml(
        m_kind == Kind::ViewCart
            ? buildViewCartSnippet(caption, profile, m_services.store.read(stored::kShopColours))
            : buildRetrieveOrdersSnippet(caption, profile));
    accept();
}

} // namespace vendaxo
