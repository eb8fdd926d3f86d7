#include "shell/gui/help_service.h"

#include "base/error.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vendaxo {

QString DesktopHelp::htmlHelpPage() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {QStringLiteral("../share/vendaxo/help/index.html"),
                                     QStringLiteral("../../share/vendaxo/help/index.html"),
                                     QStringLiteral("help/index.html")}) {
        const QFileInfo page(programDir.filePath(candidate));
        if (page.isFile())
            return page.canonicalFilePath();
    }
    return {};
}

void DesktopHelp::show(int context) {
#ifdef _WIN32
    if (!helpFile().isEmpty()) {
        WinHelpW(nullptr, reinterpret_cast<LPCWSTR>(helpFile().utf16()), HELP_CONTEXT,
                 static_cast<ULONG_PTR>(context));
        return;
    }
#endif
    const QString page = htmlHelpPage();
    if (page.isEmpty())
        throw Error("The help pages are not installed.");
    QUrl url = QUrl::fromLocalFile(page);
    url.setFragment(QStringLiteral("context-%1").arg(context));
    if (!QDesktopServices::openUrl(url))
        throw Error("No web browser could be started to show the help.");
}

} // namespace vendaxo
