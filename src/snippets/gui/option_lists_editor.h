#pragma once

#include "snippets/option_lists.h"

#include <QGroupBox>
#include <QMessageBox>
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

    ProductOptions value() const;
    // Shows the lists and refreshes the commands, as after loading a file; the
    // changed flag stays as it is.
    void setValue(const ProductOptions& options);

    // Set by every change to the lists; cleared by loading, saving and pasting.
    bool isChanged() const;
    void setChanged(bool changed);

    // On every show of the purchase dialog: the controls follow the enable box
    // and a missing style becomes Drop Down.
    void prepareForShow();
    // "Save Option List from Disk"; also run by the main window's Done prompt.
    // The save dialog proposes the file last loaded or saved. False when the
    // merchant cancelled or the file could not be written.
    bool saveOptionList();
    // "Do you want to save your option list changes?" (Yes, No or Cancel).
    QMessageBox::StandardButton askToSaveChanges();
    // Before the lists are replaced: true when nothing is changed, or the
    // merchant saved the changes or chose not to.
    bool settleChanges();

signals:
    void changedFlagChanged(bool changed);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vendaxo
