// dialog_bench: the dialogs shown offscreen beside an empty QDialog, and the
// checkout Insert into the page window. With --every-dialog STORE it is instead
// the desktop program with every dialog created, for its peak memory.
#include "app/main_window.h"
#include "bench_support.h"
#include "ratio_reporter.h"
#include "settings/gui/options_dialog.h"
#include "settings/gui/shipping_dialog.h"
#include "settings/gui/styles_dialog.h"
#include "shell/gui/app_services.h"
#include "shell/gui/application.h"
#include "shell/gui/help_service.h"
#include "shell/gui/prompts.h"
#include "snippets/gui/button_dialog.h"
#include "snippets/gui/checkout_dialog.h"
#include "snippets/gui/editor_bridges.h"
#include "snippets/gui/page_window.h"
#include "snippets/gui/purchase_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>

namespace vendaxo::bench {

namespace {

// Nothing is asked while measuring: every question is cancelled, and the last
// message kept so that a failure can be reported.
class SilentPrompts final : public Prompts {
public:
    QMessageBox::StandardButton message(QWidget*, QMessageBox::Icon, const QString&,
                                        const QString& text,
                                        QMessageBox::StandardButtons) override {
        lastMessage = text.toStdString();
        return QMessageBox::Cancel;
    }
    std::string lastMessage;
    std::optional<QString> inputText(QWidget*, const QString&, const QString&,
                                     const QString&) override {
        return std::nullopt;
    }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QColor> colour(QWidget*, const QColor&) override { return std::nullopt; }
    void notice(QWidget*, const QString&) override {}
};

class NoHelp final : public HelpService {
public:
    void show(int) override {}
};

// What every dialog works with: a store with the demo merchant and all settings,
// and a page window holding one page.
struct Desktop {
    TempDir dir;
    SqliteStore store{dir.path() / "registry.sqlite3"};
    SilentPrompts prompts;
    NoHelp help;
    PageWindow pageWindow{prompts};
    PageWindowBridge bridge{pageWindow};
    MerchantSession session{store};
    AppServices services{store, prompts, help, bridge, session};
    QString page = QString::fromStdString((dir.path() / "shop.html").string());

    Desktop() {
        installDemoMerchant(store);
        saveSettings(store, richCheckoutSettings(ShippingMethod::UserChoice));
        session.activate(Installation::load(store));
        std::ofstream(dir.path() / "shop.html")
            << "<html><head><title>Kites</title></head><body>\n<h1>Kites</h1>\n"
               "<!--vendaxo:caret-->\n</body></html>\n";
        pageWindow.openPage(page);
    }
};

Desktop& desktop() {
    static Desktop instance;
    return instance;
}

// Shown, painted as the first expose paints it, and hidden again.
void showOnce(QWidget& dialog) {
    dialog.show();
    dialog.repaint();
    QCoreApplication::processEvents();
    dialog.hide();
    QCoreApplication::processEvents();
}

using Factory = std::function<std::unique_ptr<QDialog>(AppServices&)>;

// "_First" builds the dialog and shows it, as its first opening costs; "_Again"
// shows one that exists, as every later opening does. An empty QDialog is the
// baseline of both.
void registerDialog(const std::string& name, Factory make, std::vector<Target>& targets) {
    const std::string first = name + "_First";
    const std::string again = name + "_Again";
    benchmark::RegisterBenchmark(first.c_str(), [make](benchmark::State& state) {
        for (auto _ : state) {
            std::unique_ptr<QDialog> dialog = make(desktop().services);
            showOnce(*dialog);
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(again.c_str(), [make](benchmark::State& state) {
        std::unique_ptr<QDialog> dialog = make(desktop().services);
        showOnce(*dialog);
        for (auto _ : state)
            showOnce(*dialog);
    })->Unit(benchmark::kMillisecond);
    targets.push_back({first, "BM_EmptyDialog_First", 0, 30e-3, {}});
    targets.push_back({again, "BM_EmptyDialog_Again", 0, 30e-3, {}});
}

template <typename T> Factory simple() {
    return [](AppServices& services) {
        return std::make_unique<T>(services);
    };
}

// The checkout dialog's Insert: the settings read as stored, the form built and
// put in at the caret of the page window. The page is reopened in between.
void checkoutInsert(benchmark::State& state) {
    Desktop& d = desktop();
    CheckoutDialog dialog(d.services);
    dialog.setValue(everyCheckoutChoice());
    auto* insert = dialog.findChild<QPushButton*>(QStringLiteral("insertButton"));
    if (!insert) {
        state.SkipWithError("no insert button");
        return;
    }
    d.pageWindow.editor()->document()->setModified(false);
    d.pageWindow.openPage(d.page);
    const int before = d.pageWindow.editor()->document()->characterCount();
    for (auto _ : state) {
        state.PauseTiming();
        d.pageWindow.editor()->document()->setModified(false);
        d.pageWindow.openPage(d.page);
        dialog.show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        insert->click();
        QCoreApplication::processEvents();
    }
    if (d.pageWindow.editor()->document()->characterCount() <= before)
        state.SkipWithError(("nothing was inserted: " + d.prompts.lastMessage).c_str());
}

// The desktop program as vendaxo starts it, with every dialog made as when
// each has been opened once; quits once the main window has been painted.
int everyDialog(int argc, char** argv, const char* storePath) {
    Application app(argc, argv);
    SilentPrompts prompts;
    NoHelp help;
    SqliteStore store(storePath);
    PageWindow pageWindow(prompts);
    PageWindowBridge bridge(pageWindow);
    MerchantSession session(store);
    AppServices services{store, prompts, help, bridge, session};
    MainWindow mainWindow(services, &pageWindow);
    mainWindow.purchaseDialog();
    mainWindow.viewCartDialog();
    mainWindow.checkoutDialog();
    mainWindow.retrieveOrdersDialog();
    mainWindow.setupNeededDialog();
    mainWindow.optionsDialog().stylesDialog();
    mainWindow.optionsDialog().shippingDialog();
    mainWindow.show();
    pageWindow.show();
    QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    return app.exec();
}

} // namespace

} // namespace vendaxo::bench

int main(int argc, char** argv) {
    using namespace vendaxo;
    using namespace vendaxo::bench;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The offscreen platform says what it cannot do at every show.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtWarningMsg || !text.startsWith(QLatin1String("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    if (argc == 3 && std::strcmp(argv[1], "--every-dialog") == 0)
        return everyDialog(argc, argv, argv[2]);

    QApplication app(argc, argv);
    std::vector<Target> targets;
    benchmark::RegisterBenchmark("BM_EmptyDialog_First", [](benchmark::State& state) {
        for (auto _ : state) {
            QDialog dialog;
            showOnce(dialog);
        }
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_EmptyDialog_Again", [](benchmark::State& state) {
        QDialog dialog;
        for (auto _ : state)
            showOnce(dialog);
    })->Unit(benchmark::kMillisecond);
    registerDialog("BM_PurchaseDialog", simple<PurchaseDialog>(), targets);
    registerDialog("BM_OptionsDialog", simple<OptionsDialog>(), targets);
    registerDialog("BM_ShippingDialog", simple<ShippingDialog>(), targets);
    registerDialog("BM_CheckoutDialog", simple<CheckoutDialog>(), targets);
    registerDialog(
        "BM_ViewCartDialog",
        [](AppServices& services) {
            return std::make_unique<ButtonDialog>(ButtonDialog::Kind::ViewCart, services);
        },
        targets);
    benchmark::RegisterBenchmark("BM_CheckoutInsert", checkoutInsert)
        ->Unit(benchmark::kMillisecond);
    targets.push_back({"BM_CheckoutInsert", {}, 0, 30e-3, {}});
    return runWithTargets(argc, argv, std::move(targets));
}
