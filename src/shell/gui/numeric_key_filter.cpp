#include "shell/gui/numeric_key_filter.h"

#include "shell/gui/field_rules.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace vendaxo {

QString numericOnly(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'))
            kept += c;
    }
    return kept;
}

NumericKeyFilter::NumericKeyFilter(QLineEdit* field) : QObject(field), m_field(field) {
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this, [this] { applyTextRule(m_field, numericOnly); });
}

NumericKeyFilter* NumericKeyFilter::install(QLineEdit* field) {
    return new NumericKeyFilter(field);
}

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::KeyRelease)
        emit keyReleased(static_cast<QKeyEvent*>(event)->key());
    return QObject::eventFilter(watched, event);
}

} // namespace vendaxo
