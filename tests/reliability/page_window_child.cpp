// The page window saving over and over, offscreen, for the crash test to kill:
// each save inserts one more snippet at the caret and prints its number.
#include "base/error.h"
#include "shell/gui/prompts.h"
#include "snippets/gui/page_window.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes about raising windows would fill the test log.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: page_window_child PAGE SNIPPET COUNT\n");
        return 2;
    }
    vendaxo::QtPrompts prompts;
    vendaxo::PageWindow window(prompts);
    if (!window.openPage(QString::fromLocal8Bit(argv[1])))
        return 1;
    const long long count = std::atoll(argv[3]);
    try {
        for (long long i = 0; i < count; ++i) {
            window.insertAtCaret(argv[2]);
            window.save();
            std::printf("%lld\n", i);
            std::fflush(stdout);
        }
    } catch (const vendaxo::Error& error) {
        std::fprintf(stderr, "page_window_child: %s\n", error.what());
        return 1;
    }
    return 0;
}
