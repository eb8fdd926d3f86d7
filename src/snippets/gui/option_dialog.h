#pragma once

#include "snippets/option_lists.h"

#include <QDialog>
#include <memory>

namespace Ui {
class OptionDialog;
}

namespace vendaxo {

class Prompts;

// "Add Option..." / "Edit Option...": one item of an option list, its label and
// price adjustment.
class OptionDialog final : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add, Edit };

    explicit OptionDialog(Prompts& prompts, QWidget* parent = nullptr);
    ~OptionDialog() override;

    // Before each opening: the caption follows the mode, and `currency`, the
    // merchant's currency character, is shown beside the amount.
    void prepare(Mode mode, const QString& currency);
    OptionItem value() const;
    // OK is enabled while the item has a label and an amount.
    void setValue(const OptionItem& item);

private:
    void updateOkButton();
    void updateExample();

    Prompts& m_prompts;
    QString m_currency;
    std::unique_ptr<Ui::OptionDialog> m_ui;
};

} // namespace vendaxo
