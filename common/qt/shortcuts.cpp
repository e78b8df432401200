#include "common/qt/shortcuts.h"

namespace quor::ui {

QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence& fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty()) {
        keys.append(fallback);
    }
    return keys;
}

void setWindowKeys(QAction& action, const QList<QKeySequence>& keys) {
    action.setShortcuts(keys);
    action.setShortcutContext(Qt::WindowShortcut);
}

void setRowKeys(QAction& action, QWidget& rows, const QList<QKeySequence>& keys) {
    action.setShortcuts(keys);
    action.setShortcutContext(Qt::WidgetShortcut);
    rows.addAction(&action);
}

}  // namespace quor::ui
