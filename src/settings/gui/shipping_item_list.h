#pragma once

#include <QObject>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vendaxo {

class Prompts;

// A list of "NAME = $RATE;" items with its add and remove buttons; the
// shipping dialog has two, the user choices and the base rates. A double
// click, Enter or F2 asks for an item's new rate.
class ShippingItemList final : public QObject {
    Q_OBJECT
public:
    enum class Kind { UserChoice, BaseRate };

    // Belongs to `list`.
    ShippingItemList(Kind kind, QListWidget* list, QPushButton* addButton,
                     QPushButton* removeButton, Prompts& prompts);

private:
    void add();
    void edit(QListWidgetItem* item);
    void remove();

    Kind m_kind;
    QListWidget* m_list;
    QPushButton* m_removeButton;
    Prompts& m_prompts;
};

} // namespace vendaxo
