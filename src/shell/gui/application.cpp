#include "shell/gui/application.h"

#include "shell/gui/prompts.h"

#include <exception>

namespace vendaxo {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // No display name: Qt would append it to every window's caption.
    setApplicationName(QStringLiteral("Vendaxo"));
    setApplicationVersion(QStringLiteral(VENDAXO_VERSION));
    setOrganizationName(QStringLiteral("Kestrune"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (m_prompts)
            m_prompts->error(activeWindow(), QString::fromStdString(error.what()));
    }
    return true;
}

} // namespace vendaxo
