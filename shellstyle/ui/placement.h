// Where the windows first appear: centred on the screen they open on.
#pragma once

#include <QScreen>
#include <QWidget>

namespace shellstyle::ui {

inline void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    QRect r = window->frameGeometry();
    r.moveCenter(screen->availableGeometry().center());
    window->move(r.topLeft());
}

}  // namespace shellstyle::ui
