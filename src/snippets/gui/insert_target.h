#pragma once

#include "snippets/page_editor.h"

#include <memory>

class QDialog;

namespace vendaxo {

// Where an insert dialog's Insert goes: the page editor, or, while a form read
// from the page is being edited, the bridge that puts the new form in its place.
class InsertTarget {
public:
    explicit InsertTarget(PageEditorBridge& editor) : m_editor(editor) {}

    std::unique_ptr<PageEditor> obtain() const { return bridge().obtain(); }
    PageEditorBridge& bridge() const { return m_replacement ? *m_replacement : m_editor; }
    bool isReplacing() const { return m_replacement != nullptr; }

    // Runs the dialog modally with Insert going to `replacement`; afterwards
    // Insert goes to the page editor again.
    int execReplacing(QDialog& dialog, PageEditorBridge& replacement);

private:
    PageEditorBridge& m_editor;
    PageEditorBridge* m_replacement = nullptr;
};

} // namespace vendaxo
