// bare_window: the start-up baseline, a Qt Widgets program that shows one
// window and, like vendaxo --quit-after-show, quits once it has been painted.
// With --text the window shows one line of text, which loads the font
// database as any window with text must.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>

namespace {

class QuitAfterPaint final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(320, 200);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        (new QVBoxLayout(&window))->addWidget(new QLabel(QStringLiteral("Bare"), &window));
    QuitAfterPaint quitter;
    window.installEventFilter(&quitter);
    window.show();
    return app.exec();
}
