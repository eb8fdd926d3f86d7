#pragma once

#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QLineEdit;
class QPlainTextEdit;

namespace vendaxo {

class Prompts;

// What a field may hold, given what it holds. A rule removes or replaces
// characters one by one, so the rule of a beginning of the text is the
// beginning of the rule of the whole: that is where the caret goes.
using TextRule = std::function<QString(const QString&)>;

// A rule of the core, which speaks UTF-8, as a TextRule.
TextRule textRule(std::function<std::string(std::string_view)> rule);

// Puts `rule` into effect on what the field holds, the caret staying after
// the same typed characters and nothing selected. True when the text changed.
bool applyTextRule(QLineEdit* field, const TextRule& rule);
bool applyTextRule(QPlainTextEdit* field, const TextRule& rule);

// From now on the characters of `forbidden` that the merchant types, pastes or
// drops into `field` are removed at once and `notice` is shown beside the
// field, which keeps the keyboard. Text set by the program is left alone
// (a plain text box's setter should block its signals).
void forbidCharacters(QLineEdit* field, std::string_view forbidden, Prompts& prompts,
                      const QString& notice);
void forbidCharacters(QPlainTextEdit* field, std::string_view forbidden, Prompts& prompts,
                      const QString& notice);

} // namespace vendaxo
