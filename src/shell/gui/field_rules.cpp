#include "shell/gui/field_rules.h"

#include "base/text.h"
#include "shell/gui/prompts.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace vendaxo {

namespace {

TextRule withoutAnyOf(std::string_view forbidden) {
    return textRule(
        [kept = std::string(forbidden)](std::string_view text) { return withoutAny(text, kept); });
}

} // namespace

TextRule textRule(std::function<std::string(std::string_view)> rule) {
    return [rule = std::move(rule)](const QString& text) {
        return QString::fromStdString(rule(text.toStdString()));
    };
}

bool applyTextRule(QLineEdit* field, const TextRule& rule) {
    const QString text = field->text();
    const QString ruled = rule(text);
    if (ruled == text)
        return false;
    const auto caret = rule(text.left(field->cursorPosition())).size();
    field->setText(ruled);
    field->setCursorPosition(static_cast<int>(caret));
    return true;
}

bool applyTextRule(QPlainTextEdit* field, const TextRule& rule) {
    const QString text = field->toPlainText();
    const QString ruled = rule(text);
    if (ruled == text)
        return false;
    QTextCursor caret = field->textCursor();
    const auto at = rule(text.left(caret.position())).size();
    // One undo step with the keys that brought the characters in.
    QTextCursor all(field->document());
    all.joinPreviousEditBlock();
    all.select(QTextCursor::Document);
    all.insertText(ruled);
    all.endEditBlock();
    caret.setPosition(static_cast<int>(at));
    field->setTextCursor(caret);
    return true;
}

void forbidCharacters(QLineEdit* field, std::string_view forbidden, Prompts& prompts,
                      const QString& notice) {
    QObject::connect(field, &QLineEdit::textEdited, field,
                     [field, rule = withoutAnyOf(forbidden), &prompts, notice] {
                         if (applyTextRule(field, rule))
                             prompts.notice(field, notice);
                     });
}

void forbidCharacters(QPlainTextEdit* field, std::string_view forbidden, Prompts& prompts,
                      const QString& notice) {
    QObject::connect(field, &QPlainTextEdit::textChanged, field,
                     [field, rule = withoutAnyOf(forbidden), &prompts, notice] {
                         if (applyTextRule(field, rule))
                             prompts.notice(field, notice);
                     });
}

} // namespace vendaxo
