#pragma once

#include "snippets/page_file.h"
#include "snippets/page_rewrite.h"

#include <QString>
#include <string>

class QWidget;

namespace vendaxo {

class Prompts;

// The page window's file: where it is, how it is written, and the bytes it
// held when last read or written here, so that a change another program made
// on disk since is never overwritten unasked.
class OpenPage {
public:
    OpenPage() = default;
    // Reads the file; its text (UTF-8, "\n" line ends) goes to `text`. Throws Error.
    static OpenPage read(const QString& file, std::string& text);

    bool isOpen() const { return !m_file.isEmpty(); }
    const QString& file() const { return m_file; } // absolute
    QString fileName() const;
    const PageDocument& format() const { return m_format; }
    // Whether the file holds other bytes than were last read or written here;
    // a file that cannot be read is not taken as changed.
    bool changedOnDisk() const;

    // Writes the text over the file in the page's encoding and line ends,
    // keeping the previous bytes as PAGE.bak. When the file was changed or
    // removed on disk meanwhile, asks first; false when the merchant declined.
    // Throws Error.
    bool save(const std::string& text, Prompts& prompts, QWidget* parent);
    // Writes the text as `target` (absolute), keeping a file there as its
    // backup; the page is that file from then on. Throws Error.
    void saveAs(const QString& target, const std::string& text);

private:
    std::string encoded(const std::string& text) const;
    bool confirmOverwrite(Prompts& prompts, QWidget* parent) const;

    QString m_file;
    PageDocument m_format; // its text is kept in the editor, not here
    PageOnDisk m_onDisk;
};

} // namespace vendaxo
