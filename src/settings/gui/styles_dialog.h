#pragma once

#include "settings/cart_colours.h"

#include <QDialog>
#include <memory>

namespace vendaxo {

struct AppServices;

// The cart colours: 13 elements, each with its text and background colours,
// on a live preview of the cart page. OK writes them; Cancel writes nothing.
class StylesDialog final : public QDialog {
    Q_OBJECT
public:
    explicit StylesDialog(AppServices& services, QWidget* parent = nullptr);
    ~StylesDialog() override;

    CartColours value() const;
    void setValue(const CartColours& colours);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectElement(int element);
    void chooseColour(std::size_t slot);
    void restoreDefaults();
    // The preview and the swatches of the colour buttons.
    void showColours();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
