// vendaxo: the desktop program, its main window beside the page being edited.
#include "app/main_window.h"
#include "base/error.h"
#include "shell/gui/app_services.h"
#include "shell/gui/application.h"
#include "shell/gui/command_icons.h"
#include "shell/gui/help_service.h"
#include "shell/gui/prompts.h"
#include "shell/gui/window_placement.h"
#include "snippets/gui/editor_bridges.h"
#include "snippets/gui/page_window.h"

#ifdef _WIN32
#include "shell/registry_store.h"
#include "snippets/ole_bridge.h"
#else
#include "shell/sqlite_store.h"
#endif

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <exception>
#include <optional>

namespace {

using namespace vendaxo;

constexpr int kUsageError = 2;
// As much of the page as fits beside the main window, up to this.
constexpr QSize kPageWindowSize(960, 760);

QString text(const char* source) {
    return QCoreApplication::translate("vendaxo", source);
}

int usageError(const QString& message) {
    std::fprintf(stderr, "vendaxo: %s\n%s\n", qPrintable(message),
                 qPrintable(text("Try 'vendaxo --help' for more information.")));
    return kUsageError;
}

#ifdef _WIN32
// The page editor runs beside the program and is reached by automation.
const QString kDefaultEditor = QStringLiteral("frontpage");
const char* const kEditorHelp =
    "Where snippets go: \"frontpage\", the running page editor (the default), \"page\", the "
    "page window, or \"clipboard\".";
const char* const kStoreHelp = "Not available: on Windows the settings live in the registry.";
#else
const QString kDefaultEditor = QStringLiteral("page");
const char* const kEditorHelp =
    "Where snippets go: \"page\", the page window (the default), or \"clipboard\".";
const char* const kStoreHelp = "The settings store (default: $VENDAXO_STORE, else %1).";
#endif

// --quit-after-show: ends the event loop once the main window has been
// painted, so start-up can be timed as the merchant sees it.
class QuitAfterPaint final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

std::unique_ptr<SettingsStore> openStore(const QString& path) {
#ifdef _WIN32
    if (!path.isEmpty())
        throw Error("The embedded settings store is not built on Windows; the settings live in "
                    "the registry.");
    return std::make_unique<RegistryStore>();
#else
    return std::make_unique<SqliteStore>(
        path.isEmpty() ? SqliteStore::defaultPath() : std::filesystem::path(path.toStdU16String()));
#endif
}

QString storeHelpText() {
#ifdef _WIN32
    return text(kStoreHelp);
#else
    return text(kStoreHelp).arg(QString::fromStdU16String(SqliteStore::defaultPath().u16string()));
#endif
}

// What the command line asks for.
struct StartOptions {
    QString storePath;
    QString editorName;
    bool usePageWindow = false;
    QStringList pages;
    bool quitAfterShow = false;
};

// Fills `options` from the command line; a usage error gives the exit code.
std::optional<int> parseArguments(StartOptions& options) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        text("Shop buttons and forms for the pages of your web site."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption storeOption(QStringLiteral("store"), storeHelpText(),
                                         QStringLiteral("PATH"));
    const QCommandLineOption editorOption(QStringLiteral("editor"), text(kEditorHelp),
                                          QStringLiteral("EDITOR"), kDefaultEditor);
    const QCommandLineOption quitOption(QStringLiteral("quit-after-show"),
                                        text("Start, show the main window and quit."));
    parser.addOption(storeOption);
    parser.addOption(editorOption);
    parser.addOption(quitOption);
    parser.addPositionalArgument(QStringLiteral("PAGE.html"),
                                 text("The page to open in the page window."),
                                 QStringLiteral("[PAGE.html]"));

    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(versionOption))
        parser.showVersion();
    if (parser.isSet(helpOption))
        parser.showHelp(0);
    options.editorName = parser.value(editorOption);
    options.usePageWindow = options.editorName == QLatin1String("page");
    bool knownEditor = options.usePageWindow || options.editorName == QLatin1String("clipboard");
#ifdef _WIN32
    knownEditor = knownEditor || options.editorName == QLatin1String("frontpage");
#endif
    if (!knownEditor)
        return usageError(text("Unknown editor \"%1\".").arg(options.editorName));
    options.pages = parser.positionalArguments();
    if (options.pages.size() > 1)
        return usageError(text("Only one page can be opened."));
    if (!options.pages.isEmpty() && !options.usePageWindow)
        return usageError(text("A page can only be opened with --editor page."));
    options.storePath = parser.value(storeOption);
    options.quitAfterShow = parser.isSet(quitOption);
    return std::nullopt;
}

// Where snippets go; the page window, when that is where, opens the page asked for.
std::unique_ptr<PageEditorBridge> makeBridge(const StartOptions& options, Prompts& prompts,
                                             std::unique_ptr<PageWindow>& pageWindow) {
    if (options.usePageWindow) {
        pageWindow = std::make_unique<PageWindow>(prompts);
        if (!options.pages.isEmpty())
            pageWindow->openPage(QFileInfo(options.pages.front()).absoluteFilePath());
        return std::make_unique<PageWindowBridge>(*pageWindow);
    }
#ifdef _WIN32
    if (options.editorName != QLatin1String("clipboard"))
        return std::make_unique<OleAutomationBridge>();
#endif
    return std::make_unique<ClipboardBridge>();
}

} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    QtPrompts prompts;
    app.setPrompts(&prompts);
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral("vendaxo"), commandIcon(Command::ViewCart)));
    StartOptions options;
    if (const std::optional<int> usage = parseArguments(options))
        return *usage;

    DesktopHelp help;
    std::unique_ptr<SettingsStore> store;
    try {
        store = openStore(options.storePath);
    } catch (const std::exception& error) {
        prompts.error(nullptr, QString::fromStdString(error.what()));
        return 1;
    }
    std::unique_ptr<PageWindow> pageWindow;
    const std::unique_ptr<PageEditorBridge> editor = makeBridge(options, prompts, pageWindow);

    MerchantSession session(*store);
    AppServices services{*store, prompts, help, *editor, session};
    MainWindow mainWindow(services, pageWindow.get());
    QuitAfterPaint quitAfterPaint;
    if (options.quitAfterShow)
        mainWindow.installEventFilter(&quitAfterPaint);
    mainWindow.show();
    if (pageWindow) {
        placeBeside(*pageWindow, mainWindow, kPageWindowSize);
        pageWindow->show();
        mainWindow.activateWindow();
    }
    return app.exec();
}
