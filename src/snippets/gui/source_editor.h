#pragma once

#include <QPlainTextEdit>

namespace vendaxo {

// A plain-text editor with line numbers down its left side.
class SourceEditor final : public QPlainTextEdit {
public:
    explicit SourceEditor(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class Gutter;

    void paintGutter(const QRect& area);
    // Room for at least three digits, so the text does not shift at line 10 and 100.
    int gutterWidth() const;
    void layoutGutter();

    Gutter* m_gutter;
};

} // namespace vendaxo
