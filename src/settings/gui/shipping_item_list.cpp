#include "settings/gui/shipping_item_list.h"

#include "settings/gui/item_keys.h"
#include "settings/shipping_settings.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"

#include <QListWidget>
#include <QPushButton>

namespace vendaxo {

namespace {

// The boxes that ask for a name and for an item's rate.
struct RateTexts {
    const char* rateCaption;
    const char* ratePrompt;
    const char* editCaption;
    const char* editPrompt; // %1 is the item's name
};

#define ITEM_TEXT(text) QT_TRANSLATE_NOOP("vendaxo::ShippingItemList", text)
const char* const kNameCaption = ITEM_TEXT("Enter New Shipping Item...");
const char* const kNamePrompt = ITEM_TEXT("Enter the new shipping item");
const RateTexts kUserChoiceTexts = {
    ITEM_TEXT("Enter New Shipping Rate..."),
    ITEM_TEXT("Enter the shipping rate as a decimal ($5.38 = 5.38)"),
    ITEM_TEXT("Enter New Shipping Rate..."), ITEM_TEXT("Enter the new shipping rate for %1")};
const RateTexts kBaseRateTexts = {ITEM_TEXT("Enter New Base Shipping Rate..."),
                                  ITEM_TEXT("Enter the base rate as a decimal ($5.38 = 5.38)"),
                                  ITEM_TEXT("Enter New Base Rate..."),
                                  ITEM_TEXT("Enter the new base rate for %1")};
#undef ITEM_TEXT

const RateTexts& textsOf(ShippingItemList::Kind kind) {
    return kind == ShippingItemList::Kind::UserChoice ? kUserChoiceTexts : kBaseRateTexts;
}

} // namespace

ShippingItemList::ShippingItemList(Kind kind, QListWidget* list, QPushButton* addButton,
                                   QPushButton* removeButton, Prompts& prompts)
    : QObject(list), m_kind(kind), m_list(list), m_removeButton(removeButton), m_prompts(prompts) {
    connect(addButton, &QPushButton::clicked, this, &ShippingItemList::add);
    connect(removeButton, &QPushButton::clicked, this, &ShippingItemList::remove);
    connect(list, &QListWidget::itemDoubleClicked, this, &ShippingItemList::edit);
    onItemKeys(list, [this](int row) { edit(m_list->item(row)); });
    connect(list, &QListWidget::itemSelectionChanged, this,
            [this] { m_removeButton->setEnabled(!m_list->selectedItems().isEmpty()); });
}

void ShippingItemList::add() {
    QWidget* parent = m_list->window();
    const QString name =
        m_prompts.inputText(parent, tr(kNameCaption), tr(kNamePrompt), {}).value_or(QString());
    if (name.isEmpty())
        return;
    const RateTexts& texts = textsOf(m_kind);
    const std::optional<QString> rate =
        m_prompts.inputText(parent, tr(texts.rateCaption), tr(texts.ratePrompt), {});
    if (!rate) // Cancel adds nothing; an empty rate adds a free item
        return;
    m_list->addItem(toQt(shippingItem(name.toStdString(), rate->toStdString())));
}

void ShippingItemList::edit(QListWidgetItem* item) {
    const std::string text = item->text().toStdString();
    const std::string name = shippingItemName(text);
    const RateTexts& texts = textsOf(m_kind);
    const std::optional<QString> rate =
        m_prompts.inputText(m_list->window(), tr(texts.editCaption),
                            tr(texts.editPrompt).arg(toQt(name)), toQt(shippingItemRate(text)));
    if (rate) // Cancel keeps the item as it is
        item->setText(toQt(shippingItem(name, rate->toStdString())));
}

void ShippingItemList::remove() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    if (!m_prompts.confirm(m_list->window(), tr("Confirmation"),
                           tr("Remove Shipping Item (%1)?").arg(selected.front()->text())))
        return;
    delete selected.front();
    m_list->clearSelection();
    m_removeButton->setEnabled(false);
}

} // namespace vendaxo
