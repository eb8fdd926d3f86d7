#pragma once

#include <QString>

namespace vendaxo {

// Help contexts of the program's windows.
enum HelpContext : int {
    kHelpMainWindow = 1000,
    kHelpChooser = 1001,
    kHelpPurchase = 1002,
    kHelpViewCart = 1003,
    kHelpCheckout = 1004,
    kHelpRetrieveOrders = 1005,
    kHelpOptions = 1006,
    kHelpSetupNeeded = 1007,
    kHelpStyles = 1009,
    kHelpCatalogue = 1100,
};

// Shows the help topic of a numeric context.
class HelpService {
public:
    virtual ~HelpService() = default;
    // The installation's help file; replaces the start-up name even when empty.
    void setHelpFile(const QString& file) { m_helpFile = file; }
    const QString& helpFile() const { return m_helpFile; }
    virtual void show(int context) = 0;

private:
    QString m_helpFile = QStringLiteral("Vdxfp.hlp");
};

// On Windows the installation's help file through WinHelp; elsewhere the
// program's own HTML help page, opened at "#context-NNNN" in the browser.
class DesktopHelp final : public HelpService {
public:
    void show(int context) override;
    // The HTML help page beside the program (build tree or installation).
    static QString htmlHelpPage();
};

} // namespace vendaxo
