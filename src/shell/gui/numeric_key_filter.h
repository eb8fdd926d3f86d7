#pragma once

#include <QObject>

class QLineEdit;

namespace vendaxo {

// Keeps an amount field to digits and points: after each key release,
// whatever else was typed or pasted is removed and the remaining text selected,
// so the next key replaces it. A text of digits and points is left alone.
class NumericKeyFilter final : public QObject {
    Q_OBJECT
public:
    // Installs itself on the field, which owns it.
    static NumericKeyFilter* install(QLineEdit* field);

signals:
    // After the field was cleaned; `key` is the released Qt::Key.
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
