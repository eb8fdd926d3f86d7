#include "gui/gui_fakes.h"

#include "base/error.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace vendaxo::test {

QMessageBox::StandardButton ScriptedPrompts::message(QWidget*, QMessageBox::Icon icon,
                                                     const QString& caption, const QString& text,
                                                     QMessageBox::StandardButtons buttons) {
    messages.push_back({icon, caption, text, buttons});
    if (buttons == QMessageBox::Ok)
        return QMessageBox::Ok;
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return QMessageBox::Cancel;
    }
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompts::inputText(QWidget*, const QString& caption,
                                                  const QString& prompt, const QString& initial) {
    inputPrompts.push_back(caption + QLatin1Char('|') + prompt + QLatin1Char('|') + initial);
    if (inputs.empty()) {
        ADD_FAILURE() << "unscripted input box: " << prompt.toStdString();
        return std::nullopt;
    }
    auto answer = inputs.front();
    inputs.pop_front();
    return answer;
}

QString ScriptedPrompts::openFileName(QWidget*, const QString& caption, const QString&) {
    if (fileNames.empty()) {
        ADD_FAILURE() << "unscripted file dialog: " << caption.toStdString();
        return {};
    }
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedPrompts::saveFileName(QWidget* parent, const QString& caption,
                                      const QString& filter, const QString& proposed) {
    proposedFiles.push_back(proposed);
    return openFileName(parent, caption, filter);
}

QString ScriptedPrompts::folderName(QWidget*, const QString& caption, const QString& start) {
    startFolders.push_back(start);
    if (folderNames.empty()) {
        ADD_FAILURE() << "unscripted folder dialog: " << caption.toStdString();
        return {};
    }
    QString name = folderNames.front();
    folderNames.pop_front();
    return name;
}

std::optional<QColor> ScriptedPrompts::colour(QWidget*, const QColor&) {
    if (colours.empty()) {
        ADD_FAILURE() << "unscripted colour chooser";
        return std::nullopt;
    }
    auto answer = colours.front();
    colours.pop_front();
    return answer;
}

void ScriptedPrompts::notice(QWidget* field, const QString& text) {
    notices.push_back(field->objectName() + QLatin1Char('|') + text);
}

std::vector<QString> ScriptedPrompts::texts() const {
    std::vector<QString> result;
    for (const ShownMessage& shown : messages)
        result.push_back(shown.text);
    return result;
}

namespace {

class RecordingEditor final : public PageEditor {
public:
    explicit RecordingEditor(std::vector<std::string>& sink) : m_sink(sink) {}
    void insertHtml(const std::string& html) override { m_sink.push_back(html); }

private:
    std::vector<std::string>& m_sink;
};

} // namespace

std::unique_ptr<PageEditor> RecordingBridge::obtain() {
    if (!reachable)
        throw Error("No page is open in the page editor.");
    return std::make_unique<RecordingEditor>(inserted);
}

} // namespace vendaxo::test
