#include "settings/gui/styles_dialog.h"

#include "settings/cart_colours.h"
#include "shell/gui/app_services.h"
#include "shell/gui/help_service.h"
#include "shell/gui/prompts.h"
#include "ui_styles_dialog.h"

#include <QPainter>
#include <QShowEvent>
#include <QSignalBlocker>

namespace vendaxo {

namespace {

using namespace cart_element;
constexpr QSize kSwatchSize(22, 12);

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(kSwatchSize);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

struct StylesDialog::Private {
    explicit Private(AppServices& s) : services(s) {}

    AppServices& services;
    Ui::StylesDialog ui;
    CartColours colours;
    int element = kMainPage;
};

StylesDialog::StylesDialog(AppServices& services, QWidget* parent)
    : QDialog(parent), d(std::make_unique<Private>(services)) {
    d->ui.setupUi(this);
    QListWidget& list = *d->ui.elementList;
    for (const std::string_view name : kCartElements)
        list.addItem(tr(name.data()));
    // All elements in view, without a scroll bar.
    list.setMinimumHeight(list.sizeHintForRow(0) * list.count() + 2 * list.frameWidth() + 4);
    d->ui.textColourButton->setIconSize(kSwatchSize);
    d->ui.backgroundColourButton->setIconSize(kSwatchSize);
    d->ui.linkColourButton->setIconSize(kSwatchSize);
    d->ui.visitedLinkColourButton->setIconSize(kSwatchSize);

    connect(d->ui.elementList, &QListWidget::currentRowChanged, this, &StylesDialog::selectElement);
    connect(d->ui.cartPreview, &CartPreview::elementClicked, this, &StylesDialog::selectElement);
    connect(d->ui.textColourButton, &QPushButton::clicked, this,
            [this] { chooseColour(CartColours::textSlot(static_cast<std::size_t>(d->element))); });
    connect(d->ui.backgroundColourButton, &QPushButton::clicked, this, [this] {
        chooseColour(CartColours::backgroundSlot(static_cast<std::size_t>(d->element)));
    });
    connect(d->ui.linkColourButton, &QPushButton::clicked, this,
            [this] { chooseColour(CartColours::kLinkSlot); });
    connect(d->ui.visitedLinkColourButton, &QPushButton::clicked, this,
            [this] { chooseColour(CartColours::kVisitedLinkSlot); });
    connect(d->ui.restoreDefaultsButton, &QPushButton::clicked, this,
            &StylesDialog::restoreDefaults);
    connect(d->ui.okButton, &QPushButton::clicked, this, [this] {
        d->colours.save(d->services.store);
        accept();
    });
    connect(d->ui.cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(d->ui.helpButton, &QPushButton::clicked, this,
            [this] { d->services.help.show(kHelpStyles); });

    d->ui.elementExtrasStack->installEventFilter(this);
    selectElement(kMainPage);
    showColours();
}

StylesDialog::~StylesDialog() = default;

CartColours StylesDialog::value() const {
    return d->colours;
}

void StylesDialog::setValue(const CartColours& colours) {
    d->colours = colours;
    showColours();
}

void StylesDialog::showEvent(QShowEvent* event) {
    // Un-minimising shows the dialog again; only an opening reloads the store.
    if (!event->spontaneous())
        setValue(CartColours::load(d->services.store));
    QDialog::showEvent(event);
}

bool StylesDialog::eventFilter(QObject* watched, QEvent* event) {
    // A stack sizes its pages by their plain size, but the warning wraps to
    // the width it gets: its page keeps room for every line it needs there.
    if (watched == d->ui.elementExtrasStack && event->type() == QEvent::Resize) {
        const int width = d->ui.elementExtrasStack->width();
        d->ui.buttonsExtrasPage->setMinimumHeight(d->ui.buttonsWarningLabel->heightForWidth(width));
    }
    return QDialog::eventFilter(watched, event);
}

void StylesDialog::selectElement(int element) {
    if (element < 0 || element >= static_cast<int>(kCartElements.size()))
        return;
    d->element = element;
    {
        const QSignalBlocker blocker(d->ui.elementList);
        d->ui.elementList->setCurrentRow(element);
    }
    d->ui.cartPreview->setSelectedElement(element);
    d->ui.elementGroup->setTitle(tr("%1 Settings:").arg(d->ui.elementList->item(element)->text()));
    // One stack for what only some elements have, so the group keeps its size.
    d->ui.elementExtrasStack->setCurrentWidget(element == kMainPage  ? d->ui.mainPageExtrasPage
                                               : element == kButtons ? d->ui.buttonsExtrasPage
                                                                     : d->ui.noExtrasPage);
    showColours();
}

void StylesDialog::chooseColour(std::size_t slot) {
    const auto chosen = d->services.prompts.colour(this, d->ui.cartPreview->shownColour(slot));
    if (!chosen)
        return;
    d->colours.values.at(slot) = colourValue(chosen->red(), chosen->green(), chosen->blue());
    showColours();
}

void StylesDialog::restoreDefaults() {
    if (!d->services.prompts.confirm(this, tr("Reset To Defaults..."),
                                     tr("Reset all styles to the default setting?")))
        return;
    setValue(CartColours());
}

void StylesDialog::showColours() {
    CartPreview& preview = *d->ui.cartPreview;
    preview.setColours(d->colours);
    const auto element = static_cast<std::size_t>(d->element);
    const auto show = [&](QPushButton* button, std::size_t slot) {
        button->setIcon(swatch(preview.shownColour(slot)));
        button->setToolTip(d->colours.values.at(slot) == CartColours::kUnset
                               ? tr("The cart's built-in color")
                               : tr("Chosen color %1").arg(preview.shownColour(slot).name()));
    };
    show(d->ui.textColourButton, CartColours::textSlot(element));
    show(d->ui.backgroundColourButton, CartColours::backgroundSlot(element));
    show(d->ui.linkColourButton, CartColours::kLinkSlot);
    show(d->ui.visitedLinkColourButton, CartColours::kVisitedLinkSlot);
}

} // namespace vendaxo
