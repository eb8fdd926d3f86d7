#include "settings/gui/item_keys.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace vendaxo {

namespace {

class ItemKeys final : public QObject {
public:
    ItemKeys(QAbstractItemView* view, std::function<void(int)> action)
        : QObject(view), m_view(view), m_action(std::move(action)) {
        view->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_view || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter && key->key() != Qt::Key_F2)
            return false;
        const QModelIndex current = m_view->currentIndex();
        if (!current.isValid())
            return false;
        m_action(current.row());
        return true;
    }

private:
    QAbstractItemView* m_view;
    std::function<void(int)> m_action;
};

} // namespace

void onItemKeys(QAbstractItemView* view, std::function<void(int row)> action) {
    new ItemKeys(view, std::move(action));
}

} // namespace vendaxo
