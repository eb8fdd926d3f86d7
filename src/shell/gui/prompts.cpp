#include "shell/gui/prompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QToolTip>
#include <exception>

namespace vendaxo {

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
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> QtPrompts::inputText(QWidget* parent, const QString& caption,
                                            const QString& prompt, const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

QString QtPrompts::openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString QtPrompts::saveFileName(QWidget* parent, const QString& caption, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

std::optional<QColor> QtPrompts::colour(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

void QtPrompts::notice(QWidget* field, const QString& text) {
    QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), text, field);
}

} // namespace vendaxo
