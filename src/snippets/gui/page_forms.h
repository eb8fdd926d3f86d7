#pragma once

#include "snippets/snippet_reader.h"

#include <QObject>
#include <optional>
#include <string>
#include <vector>

class QTextBlock;
class QTextDocument;

namespace vendaxo {

// The editor's text as the core holds pages: UTF-8 with "\n" line ends.
std::string pageText(const QTextDocument& document);

// A Vendaxo form of the page being edited: what the reader made of it and
// where it stands, in document positions. A form without its </form> runs
// from the start of its line to the end of the page.
struct PageForm {
    ReadSnippet snippet;
    int begin = 0;
    int end = 0;
};

// The Vendaxo forms of a document, read from its current text when first
// asked for after a change, so moving the caret through a long page reads it
// no more than once.
class PageForms final : public QObject {
public:
    explicit PageForms(QTextDocument& document);

    bool isRead() const { return m_forms.has_value(); }
    // The form `position` lies in, its ends included; null when none.
    const PageForm* at(int position);
    // The first form that starts on `line`; null when none.
    const PageForm* startingOn(const QTextBlock& line);

private:
    const std::vector<PageForm>& forms();

    QTextDocument& m_document;
    std::optional<std::vector<PageForm>> m_forms;
};

} // namespace vendaxo
