#pragma once

#include "snippets/option_lists.h"

#include <QGroupBox>
#include <memory>

namespace vendaxo {

struct AppServices;

// The purchase dialog's group "Enter Product Options (ex: colors, sizes)": the
// grid of option lists, its commands, the list style and option files.
class OptionListsEditor final : public QGroupBox {
    Q_OBJECT
public:
    explicit OptionListsEditor(AppServices& services, QWidget* parent = nullptr);
    ~OptionListsEditor() override;

    bool optionsEnabled() const;
    void setOptionsEnabled(bool enabled);
    OptionStyle optionStyle() const;
    void setOptionStyle(OptionStyle style);
    const OptionGrid& grid() const;
    // Shows the lists and refreshes the commands, as after loading a file.
    void setGrid(const OptionGrid& grid);

    // Set by every change to the lists; cleared by loading, saving and pasting.
    bool isChanged() const;
    void setChanged(bool changed);

    // On every show of the purchase dialog: the controls follow the enable box
    // and a missing style becomes Drop Down.
    void prepareForShow();
    // "Save Option List from Disk"; also run by the main window's Done prompt.
    // False when the merchant cancelled or the file could not be written.
    bool saveOptionList();

signals:
    void changedFlagChanged(bool changed);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
