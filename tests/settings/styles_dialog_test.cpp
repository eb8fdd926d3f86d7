#include "gui/gui_fixture.h"
#include "gui/tab_walk.h"
#include "settings/gui/cart_preview.h"
#include "settings/gui/styles_dialog.h"
#include "shell/gui/app_services.h"
#include "shell/gui/application.h"
#include "shell/sqlite_store.h"
#include "test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

namespace vendaxo::test {

using ::testing::ElementsAre;

namespace {

const std::string kAllUnset =
    "-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1";

// A point inside an area, clear of its text and of the selection outline.
QPoint insideEdge(const QRect& area) {
    return {area.left() + 4, area.center().y()};
}

bool containsColour(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

} // namespace

class StylesDialogTest : public GuiTest {
protected:
    StylesDialogTest() { m_store.setMerchantNumber("111"); }

    template <typename T> T* child(const char* name) { return findIn<T>(m_dialog, name); }
    void click(const char* button) { clickIn(m_dialog, button); }
    void select(int element) { child<QListWidget>("elementList")->setCurrentRow(element); }
    void choose(const char* button, const QColor& colour) {
        m_prompts.colours.push_back(colour);
        click(button);
    }
    QString caption() { return child<QGroupBox>("elementGroup")->title(); }

    StylesDialog m_dialog{m_services};
};

TEST_F(StylesDialogTest, OkOnAFreshMerchantStoresEverySlotUnsetAndCloses) {
    m_dialog.show();
    click("helpButton");
    click("okButton");
    EXPECT_EQ(m_store.readMerchant("shopcolors"), kAllUnset);
    EXPECT_THAT(m_help.shown, ElementsAre(1009));
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(m_dialog.isVisible());
}

TEST_F(StylesDialogTest, ChosenColoursLandInTheirSlotsAndOkStoresThem) {
    m_dialog.show();
    choose("linkColourButton", QColor(0, 128, 0));
    select(1);
    choose("backgroundColourButton", QColor(10, 20, 30));
    select(12);
    choose("textColourButton", QColor(255, 0, 0));

    std::vector<std::string> stored(28, "-1");
    stored[2] = "32768";   // 0x008000
    stored[5] = "1971210"; // 0x1E140A
    stored[26] = "255";
    std::string expected;
    for (const std::string& slot : stored)
        expected += (expected.empty() ? "" : ",") + slot;
    EXPECT_EQ(m_dialog.value().text(), expected);
    EXPECT_EQ(child<CartPreview>("cartPreview")->colours(), m_dialog.value());
    // The swatch follows the chosen colour.
    const QIcon icon = child<QPushButton>("textColourButton")->icon();
    EXPECT_EQ(icon.pixmap(22, 12).toImage().pixelColor(11, 6), QColor(255, 0, 0));

    click("okButton");
    EXPECT_EQ(m_store.readMerchant("shopcolors"), m_dialog.value().text());
}

TEST_F(StylesDialogTest, CancelledChooserAndCancelChangeNothing) {
    m_store.writeMerchant("shopcolors", "1, 2,3");
    m_dialog.show();
    const CartColours loaded = m_dialog.value();
    EXPECT_EQ(loaded.values[1], 2);
    m_prompts.colours.push_back(std::nullopt);
    click("textColourButton");
    EXPECT_EQ(m_dialog.value(), loaded);
    choose("backgroundColourButton", QColor(1, 1, 1));
    click("cancelButton");
    EXPECT_EQ(m_store.readMerchant("shopcolors"), "1, 2,3");

    // The next opening shows the store again, not the abandoned choice.
    m_dialog.show();
    EXPECT_EQ(m_dialog.value(), loaded);
    m_dialog.hide();
    m_store.writeMerchant("shopcolors", "");
    m_dialog.show();
    EXPECT_EQ(m_dialog.value(), CartColours());
}

TEST_F(StylesDialogTest, RestoreDefaultsAsksThenUnsetsEverySlotButCancelKeepsTheStore) {
    m_store.writeMerchant("shopcolors", "255,16777215");
    m_dialog.show();
    const CartColours loaded = m_dialog.value();
    m_prompts.answers = {QMessageBox::No, QMessageBox::Yes};
    click("restoreDefaultsButton");
    EXPECT_EQ(m_dialog.value(), loaded);
    click("restoreDefaultsButton");
    EXPECT_EQ(m_dialog.value(), CartColours());
    EXPECT_EQ(child<CartPreview>("cartPreview")->colours(), CartColours());

    ASSERT_EQ(m_prompts.messages.size(), 2u);
    EXPECT_EQ(m_prompts.messages[0].caption, QStringLiteral("Reset To Defaults..."));
    EXPECT_EQ(m_prompts.messages[0].text,
              QStringLiteral("Reset all styles to the default setting?"));
    EXPECT_EQ(m_prompts.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    click("cancelButton");
    EXPECT_EQ(m_store.readMerchant("shopcolors"), "255,16777215");
}

TEST_F(StylesDialogTest, EachElementHasItsCaptionLinkButtonsOnlyMainPageWarningOnlyButtons) {
    m_dialog.show();
    auto* list = child<QListWidget>("elementList");
    ASSERT_EQ(list->count(), 13);
    EXPECT_EQ(caption(), QStringLiteral("Main Page Settings:"));
    for (int element = 12; element >= 0; --element) {
        select(element);
        SCOPED_TRACE(element);
        EXPECT_EQ(caption(), list->item(element)->text() + QStringLiteral(" Settings:"));
        EXPECT_EQ(child<QWidget>("linkColourButton")->isVisible(), element == 0);
        EXPECT_EQ(child<QWidget>("visitedLinkColourButton")->isVisible(), element == 0);
        EXPECT_EQ(child<QWidget>("buttonsWarningLabel")->isVisible(), element == 12);
        EXPECT_TRUE(child<QWidget>("textColourButton")->isVisible());
    }
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Column Headings"));
    EXPECT_EQ(child<QLabel>("buttonsWarningLabel")->text(),
              QStringLiteral("Warning:  Changing button colors only works in Microsoft browsers.  "
                             "Netscape browsers will display them as gray."));
}

TEST_F(StylesDialogTest, ClickingThePreviewSelectsTheElementDrawnThere) {
    m_dialog.show();
    auto* preview = child<CartPreview>("cartPreview");
    for (int element = 1; element <= 12; ++element) {
        QTest::mouseClick(preview, Qt::LeftButton, {}, preview->areaOf(element).center());
        EXPECT_EQ(child<QListWidget>("elementList")->currentRow(), element);
    }
    EXPECT_EQ(caption(), QStringLiteral("Buttons Settings:"));
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(caption(), QStringLiteral("Main Page Settings:"));

    // The colour buttons then edit the clicked element.
    QTest::mouseClick(preview, Qt::LeftButton, {}, preview->areaOf(11).center());
    choose("backgroundColourButton", QColor(0, 0, 1));
    EXPECT_EQ(m_dialog.value().values[25], 0x010000);
}

TEST_F(StylesDialogTest, TheListAndGroupStayPutForEveryElement) {
    m_dialog.show();
    const auto place = [this] {
        m_dialog.layout()->activate();
        return std::vector<QRect>{m_dialog.rect(), child<QWidget>("elementList")->geometry(),
                                  child<QWidget>("elementGroup")->geometry(),
                                  child<QWidget>("textColourButton")->geometry()};
    };
    const std::vector<QRect> mainPage = place();
    for (int element = 1; element <= 12; ++element) {
        select(element);
        EXPECT_EQ(place(), mainPage) << element;
    }
    EXPECT_TRUE(child<QWidget>("buttonsWarningLabel")->isVisible());
    const QLabel* warning = child<QLabel>("buttonsWarningLabel");
    EXPECT_GE(warning->height(), warning->heightForWidth(warning->width())) << "no line cut off";
}

TEST_F(StylesDialogTest, TheKeyboardReachesEveryControl) {
    m_dialog.show();
    m_dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    for (const int element : {0, 12}) {
        select(element);
        EXPECT_TRUE(tabReachesEverything(*child<QWidget>("elementList"))) << element;
    }
    // The arrows choose the element.
    auto* list = child<QListWidget>("elementList");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(caption(), QStringLiteral("Footer Settings:"));
}

class CartPreviewTest : public ::testing::Test {
protected:
    CartPreviewTest() { m_preview.resize(m_preview.sizeHint()); }
    QImage image() { return m_preview.grab().toImage(); }
    QColor at(const QImage& image, int element) {
        return image.pixelColor(insideEdge(m_preview.areaOf(element)));
    }

    CartPreview m_preview;
};

TEST_F(CartPreviewTest, UnsetSlotsShowTheBuiltInLook) {
    const QImage shot = image();
    const QPoint margin(6, m_preview.areaOf(9).center().y());
    EXPECT_EQ(shot.pixelColor(margin), QColor(Qt::white));
    EXPECT_EQ(at(shot, 1), QColor(0, 0, 128));
    EXPECT_EQ(at(shot, 2), QColor(0, 0, 255));
    EXPECT_EQ(at(shot, 4), QColor(Qt::white));
    EXPECT_EQ(at(shot, 9), QColor(Qt::white));
    EXPECT_EQ(at(shot, 10), QColor(235, 235, 235));
    EXPECT_EQ(at(shot, 11), QColor(0, 0, 128));
    EXPECT_EQ(at(shot, 12), m_preview.palette().color(QPalette::Button));
    EXPECT_TRUE(containsColour(shot, m_preview.areaOf(1), QColor(255, 255, 0)));
    EXPECT_TRUE(containsColour(shot, m_preview.areaOf(2), QColor(Qt::white)));
    EXPECT_TRUE(containsColour(shot, m_preview.areaOf(9), QColor(Qt::black)));
    EXPECT_TRUE(containsColour(shot, shot.rect(), QColor(0, 0, 255)));
    EXPECT_TRUE(containsColour(shot, shot.rect(), QColor(128, 0, 128)));
}

TEST_F(CartPreviewTest, EachSetSlotIsPaintedWhereItsElementIsDrawn) {
    CartColours colours;
    for (std::size_t element = 0; element < 13; ++element)
        colours.values[CartColours::backgroundSlot(element)] =
            colourValue(static_cast<int>(10 * element), 200, 90);
    colours.values[CartColours::textSlot(1)] = colourValue(250, 0, 0);
    colours.values[CartColours::kVisitedLinkSlot] = colourValue(0, 250, 0);
    m_preview.setColours(colours);
    const QImage shot = image();

    EXPECT_EQ(shot.pixelColor(6, m_preview.areaOf(9).center().y()), QColor(0, 200, 90));
    for (int element = 1; element < 13; ++element)
        EXPECT_EQ(at(shot, element), QColor(10 * element, 200, 90)) << element;
    EXPECT_TRUE(containsColour(shot, m_preview.areaOf(1), QColor(250, 0, 0)));
    EXPECT_FALSE(containsColour(shot, m_preview.areaOf(2), QColor(250, 0, 0)));
    EXPECT_TRUE(containsColour(shot, shot.rect(), QColor(0, 250, 0)));
    EXPECT_FALSE(containsColour(shot, shot.rect(), QColor(128, 0, 128)));
}

} // namespace vendaxo::test
