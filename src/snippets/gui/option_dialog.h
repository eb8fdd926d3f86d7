#pragma once

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

    // Before each opening: empty fields to add an item, or the fields taken
    // from the text of the item to edit. `currency` is the merchant's currency
    // character, shown beside the amount and written into the item.
    void prepare(Mode mode, const QString& itemText, const QString& currency);
    // The item as entered: the label, with " (add $2.50)" or " (subtract $2.50)".
    QString itemText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filterLabel();
    void amountKeyReleased(int key);
    void updateOkButton();
    void updateExample();

    Prompts& m_prompts;
    QString m_currency;
    std::unique_ptr<Ui::OptionDialog> m_ui;
};

} // namespace vendaxo
