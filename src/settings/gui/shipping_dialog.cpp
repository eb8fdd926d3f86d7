#include "settings/gui/shipping_dialog.h"

#include "settings/gui/item_keys.h"
#include "settings/gui/jpeg_picture.h"
#include "settings/gui/order_charges_pages.h"
#include "settings/gui/rate_chart_page.h"
#include "settings/gui/shipping_item_list.h"
#include "settings/store_options.h"
#include "shell/gui/app_services.h"
#include "shell/gui/help_service.h"
#include "shell/gui/numeric_key_filter.h"
#include "shell/gui/qt_text.h"
#include "shell/settings_store.h"
#include "ui_shipping_dialog.h"

#include <QCheckBox>
#include <QShowEvent>
#include <algorithm>
#include <map>

// The pictures are resources of the gui library, which a static library only
// links into the program when something refers to them.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace vendaxo {

namespace {

constexpr int kHelpShippingMethods = 1010; // + method index
constexpr int kHelpHandling = 1016;
constexpr int kHelpDiscounts = 1018;
// The shipping picture is a tall strip; each page shows the part that fits it.
constexpr int kPictureHeight = 250;

struct PageText {
    const char* title;
    const char* description;
};

#define SHIPPING_TEXT(text) QT_TRANSLATE_NOOP("vendaxo::ShippingDialog", text)
const PageText kMethodTexts[] = {
    {SHIPPING_TEXT("Ship By User Choice"),
     SHIPPING_TEXT("The Ship By User Choice shipping method allows you to enter a preset list of "
                   "shipping charges from which your customers can select.  The selected shipping "
                   "method is then added to the order total.")},
    {SHIPPING_TEXT("Ship By Rate Calculation"),
     SHIPPING_TEXT("The Ship By Rate Calculation shipping method calculates the shipping charge "
                   "based on the order's total weight, total items purchased or total amount.  Set "
                   "the amount that will be charged per every pound, item or dollar spent.  You "
                   "can set a base rate charge to be added as well.")},
    {SHIPPING_TEXT("Ship By Multiple Base Rate Calculation"),
     SHIPPING_TEXT("The Ship By Multiple Base Rate Calculation allows your customers to select a "
                   "shipping method, each with different base rates, from your preset list.  "
                   "Shipping is then calculated from the selected base rate plus the rate charge "
                   "based on the order's total weight, total items purchased or total amount.")},
    {SHIPPING_TEXT("Ship By Rate Chart"),
     SHIPPING_TEXT("The Ship By Rate Chart method allows you to set shipping charges based on "
                   "random (i.e., non-mathematical) intervals.  This rate chart can be based on "
                   "total weight, total items purchased or total amount.")},
    {SHIPPING_TEXT("Ship By Multiple Rate Chart"),
     SHIPPING_TEXT("The Ship By Multiple Rate Chart allows your customers to select a shipping "
                   "method from your preset list.  Each of these selectable methods will then "
                   "calculate shipping charges based on random (i.e., non-mathematical) intervals "
                   "you set.  This rate chart can be based on total weight, total items purchased "
                   "or total amount.")},
    {SHIPPING_TEXT("Use UPS(tm) Online Shipping"),
     SHIPPING_TEXT("The UPS(tm) Online Shipping method contacts the official UPS web site to "
                   "calculate shipping charges based on the customer's geographical location and "
                   "the type of shipping method the customer selects.  This charge is then added "
                   "to the order total.")},
};
const PageText kHandlingText = {
    SHIPPING_TEXT("Handling and Insurance (Global Settings)"),
    SHIPPING_TEXT("The Handling and Insurance settings allow you to automatically add additional "
                  "charges to orders for handling fees or shipment insurance.  Both handling and "
                  "insurance may be set as fixed rates or based on total weight, total items "
                  "purchased or total order amount.")};
const PageText kDiscountText = {
    SHIPPING_TEXT("Discounts and Minimums (Global Settings)"),
    SHIPPING_TEXT("The Discounts and Minimums settings allow you to set a fixed or "
                  "percentage-based global discount on the total order if the order exceeds a "
                  "specified weight, quantity of items purchased or amount spent.  You can also "
                  "set minimum requirements your customers must meet before they can order from "
                  "your site.")};
const char* const kUnitRateLabels[] = {SHIPPING_TEXT("Rate per Pound "),
                                       SHIPPING_TEXT("Rate per Unit "),
                                       SHIPPING_TEXT("Rate per Dollar ")};
#undef SHIPPING_TEXT

void fillCombo(QComboBox* combo, const auto& names) {
    for (std::string_view name : names)
        combo->addItem(toQt(name));
}

} // namespace

struct ShippingDialog::Private {
    Private(ShippingDialog* q, AppServices& services) : q(q), services(services) {}

    ShippingDialog* q;
    AppServices& services;
    Ui::ShippingDialog ui;
    OrderChargesPages* chargePages = nullptr;
    RateChartPage* chartPage = nullptr;
    std::vector<QCheckBox*> serviceChecks;
    QString currency = QStringLiteral("$");
    int shownMethod = 0; // -1 while a global settings page shows

    ShippingMethod method() const {
        return static_cast<ShippingMethod>(std::clamp(ui.methodList->currentRow(), 0, 5));
    }
    CalculationBasis calculationBasis() const {
        if (ui.quantityRadio->isChecked())
            return CalculationBasis::Quantity;
        return ui.totalRadio->isChecked() ? CalculationBasis::OrderTotal : CalculationBasis::Weight;
    }

    ShippingSettings shipping() const;
    void setShipping(const ShippingSettings& s);
    void orderTabs();
    void holdLargestSize();
    void showPage(QWidget* page, const PageText& text);
    void selectMethod(int index);
    void updateCalculation();
    void applyCurrency();
    void storeChartNames(bool chartsToo);

    void showHelp();
};

ShippingDialog::ShippingDialog(AppServices& services, QWidget* parent)
    : QDialog(parent), d(std::make_unique<Private>(this, services)) {
    initResources();
    Ui::ShippingDialog& ui = d->ui;
    ui.setupUi(this);
    fillCombo(ui.upsOriginCombo, kUpsOrigins);
    fillCombo(ui.upsPickupCombo, kUpsPickups);
    fillCombo(ui.upsPackageCombo, kUpsPackages);
    for (std::size_t i = 0; i < kUpsServices.size(); ++i) {
        auto* check = new QCheckBox(toQt(kUpsServices[i]), ui.upsServiceChecks);
        check->setObjectName(QStringLiteral("upsServiceCheck%1").arg(i));
        // Three columns keep the page as low as the others.
        constexpr int kRows = 4;
        ui.upsServiceLayout->addWidget(check, static_cast<int>(i) % kRows,
                                       static_cast<int>(i) / kRows);
        d->serviceChecks.push_back(check);
    }
    for (std::string_view name : kShippingMethodNames)
        ui.methodList->addItem(toQt(name));

    d->chartPage = new RateChartPage(services.prompts, this);
    ui.pageStack->insertWidget(2, d->chartPage);
    d->chargePages = new OrderChargesPages(services, this);
    ui.pageStack->insertWidget(3, d->chargePages->discountPage());
    ui.pageStack->addWidget(d->chargePages->handlingPage());

    const QImage picture = readJpegPicture(QStringLiteral(":/pictures/shipping.jpg"));
    ui.upsPictureLabel->setPixmap(QPixmap::fromImage(picture.copy(0, 20, 120, kPictureHeight)));
    d->chartPage->setPicture(QPixmap::fromImage(
        picture.copy(0, picture.height() - kPictureHeight - 40, 120, kPictureHeight)));

    connect(ui.methodList, &QListWidget::currentRowChanged, this,
            [this](int row) { d->selectMethod(row); });
    // The chosen method's page comes back from a global settings page by a
    // click on the method, or by Enter.
    connect(ui.methodList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = d->ui.methodList->row(item);
        if (row != d->shownMethod)
            d->selectMethod(row);
    });
    onItemKeys(ui.methodList, [this](int row) { d->selectMethod(row); });
    connect(ui.helpButton, &QPushButton::clicked, this, [this] { d->showHelp(); });
    connect(ui.handlingButton, &QPushButton::clicked, this,
            [this] { d->showPage(d->chargePages->handlingPage(), kHandlingText); });
    connect(ui.discountsButton, &QPushButton::clicked, this,
            [this] { d->showPage(d->chargePages->discountPage(), kDiscountText); });
    connect(ui.okButton, &QPushButton::clicked, this, [this] {
        value().save(d->services.store);
        accept();
    });
    connect(ui.cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(d->chartPage, &RateChartPage::chartAdded, this, [this] { d->storeChartNames(false); });
    connect(d->chartPage, &RateChartPage::chartRemoved, this, [this] { d->storeChartNames(true); });

    new ShippingItemList(ShippingItemList::Kind::UserChoice, ui.userChoiceList,
                         ui.addUserChoiceButton, ui.removeUserChoiceButton, services.prompts);
    new ShippingItemList(ShippingItemList::Kind::BaseRate, ui.baseRateList, ui.addBaseRateButton,
                         ui.removeBaseRateButton, services.prompts);
    ui.userChoicePage->installEventFilter(this);

    for (QLineEdit* edit : {ui.unitRateEdit, ui.baseRateEdit, ui.minimumEdit})
        connect(NumericKeyFilter::install(edit), &NumericKeyFilter::keyReleased, this,
                [this] { d->updateCalculation(); });
    for (QRadioButton* radio : {ui.weightRadio, ui.quantityRadio, ui.totalRadio})
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                d->updateCalculation();
        });
    NumericKeyFilter::install(ui.upsBaseRateEdit);

    d->orderTabs();
    d->applyCurrency();
    d->holdLargestSize();
    setValue(ShippingChoices());
}

ShippingDialog::~ShippingDialog() = default;

ShippingChoices ShippingDialog::value() const {
    return {d->shipping(), d->chargePages->value()};
}

void ShippingDialog::setValue(const ShippingChoices& choices) {
    d->setShipping(choices.shipping);
    d->chargePages->setValue(choices.charges);
}

void ShippingDialog::setCurrency(const QString& currency) {
    d->currency = currency;
    d->applyCurrency();
}

QString ShippingDialog::summary() const {
    return toQt(shippingSummary(d->services.store));
}

void ShippingDialog::showEvent(QShowEvent* event) {
    // A restore from the task bar is no new opening: it keeps the edits.
    if (!event->spontaneous()) {
        d->applyCurrency();
        setValue(ShippingChoices::load(d->services.store));
        d->ui.okButton->setFocus();
    }
    QDialog::showEvent(event);
}

bool ShippingDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == d->ui.userChoicePage && event->type() == QEvent::MouseButtonPress)
        d->ui.userChoiceList->clearSelection();
    return QDialog::eventFilter(watched, event);
}

ShippingSettings ShippingDialog::Private::shipping() const {
    ShippingSettings s;
    s.method = method();
    s.userChoices = itemTexts(ui.userChoiceList);
    s.unitRate = textOf(ui.unitRateEdit);
    s.baseRate = textOf(ui.baseRateEdit);
    s.message = textOf(ui.messageEdit);
    s.minimum = textOf(ui.minimumEdit);
    s.calculationBasis = calculationBasis();
    s.baseRates = itemTexts(ui.baseRateList);
    s.setRateCharts(chartPage->value());
    s.upsOrigin = ui.upsOriginCombo->currentIndex();
    s.upsPickup = ui.upsPickupCombo->currentIndex();
    s.upsPackage = ui.upsPackageCombo->currentIndex();
    s.upsOriginZip = textOf(ui.upsZipEdit);
    s.upsBaseRate = textOf(ui.upsBaseRateEdit);
    for (std::size_t i = 0; i < s.upsServices.size(); ++i)
        s.upsServices[i] = serviceChecks[i]->isChecked();
    return s;
}

void ShippingDialog::Private::setShipping(const ShippingSettings& s) {
    showItems(ui.userChoiceList, s.userChoices);
    ui.unitRateEdit->setText(toQt(s.unitRate));
    ui.baseRateEdit->setText(toQt(s.baseRate));
    ui.messageEdit->setText(toQt(s.message));
    ui.minimumEdit->setText(toQt(s.minimum));
    (s.calculationBasis == CalculationBasis::Quantity     ? ui.quantityRadio
     : s.calculationBasis == CalculationBasis::OrderTotal ? ui.totalRadio
                                                          : ui.weightRadio)
        ->setChecked(true);
    updateCalculation();
    showItems(ui.baseRateList, s.baseRates);
    chartPage->setValue(s.rateCharts());
    ui.upsOriginCombo->setCurrentIndex(s.upsOrigin);
    ui.upsPickupCombo->setCurrentIndex(s.upsPickup);
    ui.upsPackageCombo->setCurrentIndex(s.upsPackage);
    ui.upsZipEdit->setText(toQt(s.upsOriginZip));
    ui.upsBaseRateEdit->setText(toQt(s.upsBaseRate));
    for (std::size_t i = 0; i < s.upsServices.size(); ++i)
        serviceChecks[i]->setChecked(s.upsServices[i]);
    {
        const QSignalBlocker blocker(ui.methodList);
        ui.methodList->setCurrentRow(static_cast<int>(s.method));
    }
    selectMethod(static_cast<int>(s.method));
}

// Tab runs from the method list through the page shown to the dialog's
// buttons; pages and checks made after the form would come last otherwise.
void ShippingDialog::Private::orderTabs() {
    std::map<int, std::vector<QWidget*>> byPage;
    for (QWidget* w = q->nextInFocusChain(); w != q; w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        for (int page = 0; page < ui.pageStack->count(); ++page) {
            if (ui.pageStack->widget(page)->isAncestorOf(w))
                byPage[page].push_back(w);
        }
    }
    std::vector<QWidget*> order{ui.methodList, ui.helpButton};
    for (const auto& [page, widgets] : byPage)
        order.insert(order.end(), widgets.begin(), widgets.end());
    order.insert(order.end(),
                 {ui.handlingButton, ui.discountsButton, ui.cancelButton, ui.okButton});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// One size for every method and page, so that OK and Cancel stay where they are.
void ShippingDialog::Private::holdLargestSize() {
    QSize page;
    int description = 0;
    const auto measure = [&] {
        page = page.expandedTo(ui.pageStack->sizeHint());
        QLabel* label = ui.descriptionLabel;
        description = std::max(description, label->heightForWidth(label->maximumWidth()));
    };
    for (int method = 0; method < static_cast<int>(std::size(kMethodTexts)); ++method) {
        selectMethod(method);
        measure();
    }
    showPage(chargePages->handlingPage(), kHandlingText);
    measure();
    showPage(chargePages->discountPage(), kDiscountText);
    measure();
    ui.pageStack->setMinimumSize(page);
    ui.descriptionLabel->setMinimumHeight(
        std::max(ui.descriptionLabel->minimumHeight(), description));
}

void ShippingDialog::Private::showPage(QWidget* page, const PageText& text) {
    ui.pageStack->setCurrentWidget(page);
    ui.titleLabel->setText(tr(text.title));
    ui.descriptionLabel->setText(tr(text.description));
    if (page == chargePages->handlingPage() || page == chargePages->discountPage()) {
        shownMethod = -1;
        chargePages->reapplyRules();
    }
}

void ShippingDialog::Private::selectMethod(int index) {
    if (index < 0 || index > 5)
        return;
    shownMethod = index;
    const auto method = static_cast<ShippingMethod>(index);
    switch (method) {
    case ShippingMethod::UserChoice:
        showPage(ui.userChoicePage, kMethodTexts[index]);
        break;
    case ShippingMethod::RateCalculation:
    case ShippingMethod::MultipleBaseRate: {
        const bool single = method == ShippingMethod::RateCalculation;
        ui.rateDetailsPanel->setVisible(single);
        ui.exampleLabel->setVisible(single);
        ui.baseRatePanel->setVisible(!single);
        showPage(ui.calculationPage, kMethodTexts[index]);
        break;
    }
    case ShippingMethod::SingleRateChart:
    case ShippingMethod::MultipleRateChart:
        chartPage->showCharts(method == ShippingMethod::SingleRateChart);
        showPage(chartPage, kMethodTexts[index]);
        break;
    case ShippingMethod::Ups:
        showPage(ui.upsPage, kMethodTexts[index]);
        break;
    }
}

void ShippingDialog::Private::updateCalculation() {
    const CalculationBasis basis = calculationBasis();
    ui.unitRateLabel->setText(tr(kUnitRateLabels[static_cast<int>(basis)]) + currency);
    ui.baseRateLabel->setText(tr("Base Rate ") + currency);
    ui.minimumLabel->setText(tr("Minimum Charge ") + currency);
    ui.exampleLabel->setText(
        toQt(calculationExample(basis, textOf(ui.unitRateEdit), textOf(ui.baseRateEdit),
                                textOf(ui.minimumEdit), currency.toStdString())));
}

void ShippingDialog::Private::applyCurrency() {
    chargePages->setCurrency(currency);
    updateCalculation();
    chartPage->setCurrency(currency);
}

// Adding or removing a chart name is stored before OK, with the charts as
// they stand in the dialog when a name and its chart went.
void ShippingDialog::Private::storeChartNames(bool chartsToo) {
    const RateCharts charts = chartPage->value();
    if (chartsToo)
        ShippingSettings::saveNamedCharts(services.store, charts.names, charts.named);
    ShippingSettings::saveChartNames(services.store, charts.names);
}

void ShippingDialog::Private::showHelp() {
    QWidget* page = ui.pageStack->currentWidget();
    int context = kHelpShippingMethods + static_cast<int>(method());
    if (page == chargePages->handlingPage())
        context = kHelpHandling;
    else if (page == chargePages->discountPage())
        context = kHelpDiscounts;
    services.help.show(context);
}

} // namespace vendaxo
