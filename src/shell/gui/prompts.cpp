#include "shell/gui/prompts.h"

#include "shell/gui/window_placement.h"

#include <QApplication>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <exception>

namespace vendaxo {

namespace {

constexpr int kNoticeMilliseconds = 8000;
constexpr int kNoticeMaxWidth = 420;
const QString kNoticeName = QStringLiteral("noticeBalloon");

// A balloon under a field, drawn inside the field's window above its other
// controls: it takes neither focus nor clicks, so the keys go on into the
// field and the controls under it stay usable while the merchant reads it.
class NoticeBalloon final : public QLabel {
public:
    explicit NoticeBalloon(QWidget* window) : QLabel(window) {
        setObjectName(kNoticeName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setPalette(QApplication::palette("QTipLabel"));
        setFont(QApplication::font("QTipLabel"));
        setBackgroundRole(QPalette::ToolTipBase);
        setForegroundRole(QPalette::ToolTipText);
        setAutoFillBackground(true);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setTextFormat(Qt::PlainText);
        setWordWrap(true);
        setMargin(6);
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
        window->installEventFilter(this);
    }

    void say(QWidget* field, const QString& text) {
        if (field != m_field) {
            if (m_field)
                m_field->removeEventFilter(this);
            m_field = field;
            field->installEventFilter(this);
        }
        setText(text);
        const int chrome = 2 * (margin() + frameWidth()) + 2;
        const int width = std::min({fontMetrics().horizontalAdvance(text) + chrome, kNoticeMaxWidth,
                                    parentWidget()->width()});
        resize(width, heightForWidth(width));
        place();
        raise();
        show();
        m_timer.start(kNoticeMilliseconds);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Hide || (watched == m_field && type == QEvent::FocusOut) ||
            (watched == parentWidget() && type == QEvent::Resize))
            hide();
        return false;
    }

private:
    // Under the field, or above it where the window ends; inside the window.
    void place() {
        const QWidget* window = parentWidget();
        const QPoint top = m_field->mapTo(window, QPoint(0, 0));
        int y = top.y() + m_field->height() + 2;
        if (y + height() > window->height())
            y = std::max(0, top.y() - height() - 2);
        move(std::clamp(top.x(), 0, std::max(0, window->width() - width())), y);
    }

    QPointer<QWidget> m_field;
    QTimer m_timer;
};

} // namespace

void Prompts::error(QWidget* parent, const QString& text) {
    message(parent, QMessageBox::Critical, QString::fromLatin1(kErrorCaption), text,
            QMessageBox::Ok);
}

void Prompts::information(QWidget* parent, const QString& caption, const QString& text) {
    message(parent, QMessageBox::Information, caption, text, QMessageBox::Ok);
}

bool Prompts::confirm(QWidget* parent, const QString& caption, const QString& text) {
    return message(parent, QMessageBox::Question, caption, text,
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void Prompts::run(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& failure) {
        error(parent, QString::fromStdString(failure.what()));
    }
}

QMessageBox::StandardButton QtPrompts::message(QWidget* parent, QMessageBox::Icon icon,
                                               const QString& caption, const QString& text,
                                               QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption, text, buttons, parent);
    keepAboveMainWindow(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> QtPrompts::inputText(QWidget* parent, const QString& caption,
                                            const QString& prompt, const QString& initial) {
    QInputDialog dialog(parent);
    keepAboveMainWindow(dialog);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    return dialog.exec() == QDialog::Accepted ? std::optional<QString>(dialog.textValue())
                                              : std::nullopt;
}

namespace {

// The one file or folder chosen; empty when the merchant cancelled.
QString chosenPath(QFileDialog& dialog) {
    keepAboveMainWindow(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

QString QtPrompts::openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenPath(dialog);
}

QString QtPrompts::saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                const QString& proposed) {
    QFileDialog dialog(parent, caption, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return chosenPath(dialog);
}

QString QtPrompts::folderName(QWidget* parent, const QString& caption, const QString& start) {
    QFileDialog dialog(parent, caption, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return chosenPath(dialog);
}

std::optional<QColor> QtPrompts::colour(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

void QtPrompts::notice(QWidget* field, const QString& text) {
    if (!field->isVisible())
        return;
    QWidget* window = field->window();
    auto* balloon = dynamic_cast<NoticeBalloon*>(
        window->findChild<QLabel*>(kNoticeName, Qt::FindDirectChildrenOnly));
    if (!balloon)
        balloon = new NoticeBalloon(window);
    balloon->say(field, text);
}

} // namespace vendaxo
