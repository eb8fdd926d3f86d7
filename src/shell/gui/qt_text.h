#pragma once

// The gui's edge: the core speaks UTF-8 std::string, the widgets QString.

#include <QLineEdit>
#include <QListWidget>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vendaxo {

inline QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A file name from a dialog, whatever characters it holds.
inline std::filesystem::path toPath(const QString& file) {
    return std::filesystem::path(file.toStdU16String());
}

inline std::string textOf(const QLineEdit* edit) {
    return edit->text().toStdString();
}

inline std::vector<std::string> itemTexts(const QListWidget* list) {
    std::vector<std::string> texts;
    for (int row = 0; row < list->count(); ++row)
        texts.push_back(list->item(row)->text().toStdString());
    return texts;
}

inline void showItems(QListWidget* list, const std::vector<std::string>& texts) {
    list->clear();
    for (const std::string& text : texts)
        list->addItem(toQt(text));
}

} // namespace vendaxo
