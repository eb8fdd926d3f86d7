#pragma once

#include <QString>

namespace vendaxo {

struct Installation;
class MerchantSession;
class PageEditorBridge;
struct ReadSnippet;
struct SnippetMerchant;

// Opens the dialog of a sound form read from the page, filled with its values,
// with Insert going to `replacement`, which puts the new form in the old
// one's place. The main window does it, since it owns the dialogs.
class SnippetEditor {
public:
    virtual ~SnippetEditor() = default;
    virtual void editSnippet(const ReadSnippet& snippet, PageEditorBridge& replacement) = 0;
};

// Why the current merchant cannot edit a form: it names another merchant, or
// one not installed, or no merchant is chosen yet. Empty when it can.
QString otherMerchantMessage(const SnippetMerchant& form, const MerchantSession& session,
                             const Installation& installation);

// What is wrong with a damaged form, one line per problem.
QString damagedFormMessage(const ReadSnippet& snippet);

} // namespace vendaxo
