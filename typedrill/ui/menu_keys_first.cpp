// Menu shortcuts ahead of the focused control.
#include "typedrill/ui/menu_keys_first.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace typedrill::ui {

MenuKeysFirst::MenuKeysFirst(QWidget* window) : QObject(window), window_(window) {}

void MenuKeysFirst::watch(QWidget* control) { control->installEventFilter(this); }

bool MenuKeysFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    const auto actions = window_->findChildren<QAction*>();
    for (const QAction* action : actions) {
        if (!action->isVisible() || !action->isEnabled()) continue;
        if (action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
            // Refuse the override: the key then goes to the shortcut, not the control.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace typedrill::ui
