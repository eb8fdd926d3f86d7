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

// Notes every request to quit: QCoreApplication::quit() sends or posts an event.
class QuitRequests final : public QObject {
public:
    QuitRequests() { QCoreApplication::instance()->installEventFilter(this); }
    bool seen() const { return m_seen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
            m_seen = true;
        return false;
    }

private:
    bool m_seen = false;
};

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
    // The application's event loop: 0 once the program quits, else kStillRunning
    // when the click and every event it posted have been handled without a quit.
    static constexpr int kStillRunning = 42;
    int runProgramAfter(const char* button) {
        QuitRequests quit;
        QTimer::singleShot(0, m_window.get(), [this, button, &quit] {
            click(button);
            // Posted after whatever the click posted, so handled after it.
            QTimer::singleShot(0, &quit, [&quit] {
                if (!quit.seen())
                    QCoreApplication::exit(kStillRunning);
            });
        });
        return QCoreApplication::exec();
    }

    std::unique_ptr<MainWindow> m_window;
};

} // namespace vendaxo::test
