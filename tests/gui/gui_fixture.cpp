#include "gui/gui_fixture.h"

#include "shell/gui/application.h"

#include <QTest>

namespace vendaxo::test {

void clickIn(const QObject& parent, const char* button) {
    if (auto* widget = findIn<QAbstractButton>(parent, button))
        QTest::mouseClick(widget, Qt::LeftButton);
}

GuiTest::GuiTest() {
    static_cast<Application*>(qApp)->setPrompts(&m_prompts);
}

GuiTest::~GuiTest() {
    static_cast<Application*>(qApp)->setPrompts(nullptr);
}

} // namespace vendaxo::test
