#pragma once

#include <QObject>

class QLineEdit;

namespace vendaxo {

// Keeps an amount field to digits and points: whatever else is typed or pasted
// is removed at once from where it went in, the caret stays there and nothing
// is selected, so typing simply goes on. Programmatic text is left alone.
class NumericKeyFilter final : public QObject {
    Q_OBJECT
public:
    // Installs itself on the field, which owns it.
    static NumericKeyFilter* install(QLineEdit* field);

signals:
    // On every key release in the field, after the field was cleaned; `key`
    // is the released Qt::Key.
    void keyReleased(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit NumericKeyFilter(QLineEdit* field);
    QLineEdit* m_field;
};

// The field's text with everything but digits and "." removed.
QString numericOnly(const QString& text);

} // namespace vendaxo
