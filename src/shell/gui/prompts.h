#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace vendaxo {

// Every message box, question, input box, file dialog and colour chooser goes
// through here, so widget tests can answer them without a modal loop.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon,
                                                const QString& caption, const QString& text,
                                                QMessageBox::StandardButtons buttons) = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& caption,
                                             const QString& prompt, const QString& initial) = 0;
    // Empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
    // `proposed` is the file the dialog starts on; empty for none.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 const QString& proposed) = 0;
    // A folder, the dialog starting on `start`; empty when cancelled.
    virtual QString folderName(QWidget* parent, const QString& caption, const QString& start) = 0;
    // nullopt when cancelled.
    virtual std::optional<QColor> colour(QWidget* parent, const QColor& initial) = 0;
    // A message about what was just typed into `field`, shown beside it without
    // taking the keyboard, so the next keys still go into the field.
    virtual void notice(QWidget* field, const QString& text) = 0;

    // Shorthands over message().
    void error(QWidget* parent, const QString& text);
    void information(QWidget* parent, const QString& caption, const QString& text);
    bool confirm(QWidget* parent, const QString& caption, const QString& text);

    // Runs a command that may fail; a failure is shown in the error box and the
    // command abandoned. Commands that talk to the page editor catch here, so
    // no exception unwinds through the widget's own event handling.
    void run(QWidget* parent, const std::function<void()>& command);
};

// The real dialogs.
class QtPrompts final : public Prompts {
public:
    QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons) override;
    std::optional<QString> inputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& proposed) override;
    QString folderName(QWidget* parent, const QString& caption, const QString& start) override;
    std::optional<QColor> colour(QWidget* parent, const QColor& initial) override;
    // A balloon under the field, inside its window, that takes neither focus
    // nor clicks; it goes when the field loses focus, or after a while.
    void notice(QWidget* field, const QString& text) override;
};

// Caption of the program's error box.
inline const char* const kErrorCaption = "Vendaxo";

} // namespace vendaxo
