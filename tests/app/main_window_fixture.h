#pragma once

#include "app/main_window.h"
#include "gui/gui_fixture.h"
#include "shell/settings_store.h"
#include "snippets/gui/page_window.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace vendaxo::test {

// A main window on the test's store, with the installation written first.
class MainWindowTest : public GuiTest {
protected:
    void install(std::string_view name, std::string_view value) {
        m_store.writeValue(std::string(kInstallationKey), name, RegValue::string(value));
    }
    void writeFor(const std::string& merchant, std::string_view name, std::string_view value) {
        m_store.writeValue(std::string(kInstallationKey) + "\\" + merchant, name,
                           RegValue::string(value));
    }
    std::string storedFor(const std::string& merchant, std::string_view name) {
        RegValue value;
        m_store.readValue(std::string(kInstallationKey) + "\\" + merchant, name, value);
        return value.data;
    }
    void installOne() {
        install("Serial", "111");
        install("Company", "Acme");
    }
    void installTwo() {
        install("Serial", "111;222");
        install("Company", "A;B");
        writeFor("222", "OURL", "http://b.example/");
        writeFor("222", "OChk", "custom");
    }

    void open(PageWindow* pageWindow = nullptr) {
        m_window = std::make_unique<MainWindow>(m_services, pageWindow);
        m_window->show(); // the first showing loads
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }
    template <typename T = QWidget> T* child(const char* name) {
        return findIn<T>(*m_window, name);
    }
    void click(const char* button) { clickIn(*m_window, button); }
    bool visible(const char* name) { return child(name)->isVisible(); }
    bool enabled(const char* name) { return child(name)->isEnabled(); }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    void clickLine(int row, bool twice = false) {
        auto* list = child<QListWidget>("chooserList");
        const QPoint at = list->visualItemRect(list->item(row)).center();
        // A real double click starts with a click; an item view ignores a lone one.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    QStringList chooserLines() {
        QStringList lines;
        for (const QListWidgetItem* item :
             child<QListWidget>("chooserList")->findItems(QStringLiteral("*"), Qt::MatchWildcard))
            lines << item->text();
        return lines;
    }
    // Runs `action` inside the dialog's modal loop, then closes the dialog if
    // the action left it open, so a fault fails the test instead of hanging it.
    void whileModal(QDialog& dialog, std::function<void()> action) {
        QTimer::singleShot(0, &dialog, [&dialog, action] {
            action();
            if (dialog.isVisible())
                dialog.reject();
        });
    }
    // The application's event loop: 0 once the program quits, else kStillRunning.
    static constexpr int kStillRunning = 42;
    static constexpr int kHung = 43;
    int runProgramAfter(const char* button) {
        QTimer::singleShot(0, m_window.get(), [this, button] {
            click(button);
            // A window that closed has asked the program to quit.
            if (m_window->isVisible())
                QCoreApplication::exit(kStillRunning);
        });
        // Only so that a window closed without quitting fails instead of hanging.
        QTimer stop;
        stop.setSingleShot(true);
        QObject::connect(&stop, &QTimer::timeout, &stop, [] { QCoreApplication::exit(kHung); });
        stop.start(10000);
        return QCoreApplication::exec();
    }

    std::unique_ptr<MainWindow> m_window;
};

} // namespace vendaxo::test
