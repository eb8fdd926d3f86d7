#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class CatalogueDialog;
}

namespace vendaxo {

struct Catalogue;
struct CatalogueError;
struct CatalogueRow;
class HelpService;

// A product list as read, before its buttons go into the page: the products,
// with Insert accepting the dialog; or, when the list has errors, every error
// with its line and column and only Close, since nothing is made of such a list.
class CatalogueDialog final : public QDialog {
    Q_OBJECT
public:
    // `listFile` is the list's path; its name prefixes each error.
    CatalogueDialog(const QString& listFile, const Catalogue& catalogue, HelpService& help,
                    QWidget* parent = nullptr);
    ~CatalogueDialog() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showRows(const std::vector<CatalogueRow>& rows);
    void showErrors(const std::vector<CatalogueError>& errors, const std::string& fileName);
    // Room for the widget's contents, as far as the screen allows.
    void fitTo(const QWidget& shown, const QSize& wanted);

    std::unique_ptr<Ui::CatalogueDialog> m_ui;
};

} // namespace vendaxo
