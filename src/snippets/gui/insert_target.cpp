#include "snippets/gui/insert_target.h"

#include <QDialog>

namespace vendaxo {

int InsertTarget::execReplacing(QDialog& dialog, PageEditorBridge& replacement) {
    m_replacement = &replacement;
    const int result = dialog.exec();
    m_replacement = nullptr;
    return result;
}

} // namespace vendaxo
