#include "snippets/gui/open_page.h"

#include "base/file_io.h"
#include "shell/gui/prompts.h"
#include "shell/gui/qt_text.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <filesystem>

namespace vendaxo {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("vendaxo::PageWindow", text);
}

bool isOnDisk(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::exists(file, error);
}

} // namespace

OpenPage OpenPage::read(const QString& file, std::string& text) {
    OpenPage page;
    page.m_onDisk = PageOnDisk::read(toPath(file));
    page.m_format = decodePage(page.m_onDisk.bytes);
    page.m_file = file;
    text = std::move(page.m_format.text);
    page.m_format.text.clear();
    return page;
}

QString OpenPage::fileName() const {
    return QFileInfo(m_file).fileName();
}

bool OpenPage::changedOnDisk() const {
    try {
        return PageOnDisk::read(m_onDisk.file).bytes != m_onDisk.bytes;
    } catch (const Error&) {
        return false;
    }
}

std::string OpenPage::encoded(const std::string& text) const {
    PageDocument page = m_format;
    page.text = text;
    return encodePage(page);
}

bool OpenPage::save(const std::string& text, Prompts& prompts, QWidget* parent) {
    const std::string bytes = encoded(text);
    try {
        rewritePage(m_onDisk, bytes);
    } catch (const PageChangedOnDisk&) {
        if (!confirmOverwrite(prompts, parent))
            return false;
        saveAs(m_file, text);
        return true;
    }
    m_onDisk.bytes = bytes;
    return true;
}

void OpenPage::saveAs(const QString& target, const std::string& text) {
    const std::string bytes = encoded(text);
    const std::filesystem::path file = toPath(target);
    if (isOnDisk(file))
        rewritePage(PageOnDisk::read(file), bytes);
    else
        writeFileAtomically(file, bytes);
    m_file = target;
    m_onDisk = {file, bytes};
}

bool OpenPage::confirmOverwrite(Prompts& prompts, QWidget* parent) const {
    const QString name = fileName();
    const bool gone = !isOnDisk(toPath(m_file));
    const QString what =
        gone ? tr("%1 was moved or removed since it was opened or last saved here.").arg(name)
             : tr("%1 was changed on disk since it was opened or last saved here, perhaps by "
                  "another program.")
                   .arg(name);
    const QString question =
        gone ? tr("Save your version there again?")
             : tr("Save your version over it? The version on disk would be replaced; it is kept "
                  "as %1.bak until the next save.")
                   .arg(name);
    const QString otherwise = tr("Cancel saves nothing; File > Save As... can save your version "
                                 "under another name.");
    return prompts.message(parent, QMessageBox::Warning, tr("Page Changed on Disk"),
                           what + QStringLiteral("\n\n") + question + QStringLiteral("\n\n") +
                               otherwise,
                           QMessageBox::Save | QMessageBox::Cancel) == QMessageBox::Save;
}

} // namespace vendaxo
