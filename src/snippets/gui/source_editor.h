#pragma once

#include <QPlainTextEdit>

class QMenu;

namespace vendaxo {

// A plain-text editor with line numbers down its left side. A right click
// outside the selection moves the caret first, so the context menu's commands
// are about what was clicked.
class SourceEditor final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SourceEditor(QWidget* parent = nullptr);

signals:
    // The standard context menu, about to be shown: the window adds its commands.
    void contextMenuOpening(QMenu* menu);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class Gutter;

    void paintGutter(const QRect& area);
    // Room for at least three digits, so the text does not shift at line 10 and 100.
    int gutterWidth() const;
    void layoutGutter();

    Gutter* m_gutter;
};

} // namespace vendaxo
