#pragma once

#include "shell/gui/help_service.h"
#include "shell/gui/prompts.h"
#include "snippets/page_editor.h"

#include <deque>
#include <string>
#include <vector>

namespace vendaxo::test {

struct ShownMessage {
    QMessageBox::Icon icon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Answers prompts from scripted queues and records what was shown. A message
// with only OK needs no script; a question or input box without a scripted
// answer fails the test.
class ScriptedPrompts final : public Prompts {
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
    void notice(QWidget* field, const QString& text) override;

    // Texts of every message shown so far.
    std::vector<QString> texts() const;

    std::vector<ShownMessage> messages;
    std::vector<QString> notices;       // field object name + "|" + text
    std::vector<QString> inputPrompts;  // caption + "|" + prompt + "|" + initial
    std::vector<QString> proposedFiles; // what each save dialog started on
    std::vector<QString> startFolders;  // what each folder dialog started on
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<std::optional<QString>> inputs;
    std::deque<QString> fileNames;
    std::deque<QString> folderNames;
    std::deque<std::optional<QColor>> colours;
};

class RecordingHelp final : public HelpService {
public:
    void show(int context) override { shown.push_back(context); }
    std::vector<int> shown;
};

// A page editor that keeps what it was given; unreachable on request.
class RecordingBridge final : public PageEditorBridge {
public:
    std::unique_ptr<PageEditor> obtain() override;
    std::vector<std::string> inserted;
    bool reachable = true;
};

} // namespace vendaxo::test
