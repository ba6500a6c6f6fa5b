// Return and Enter press push buttons in the programs' plain (non-dialog) windows.
#include "platform/ui/return_key.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace platform::ui {

namespace {

bool isReturn(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat() &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool pressable(const QPushButton* b) { return b && b->isEnabled() && b->isVisible(); }

// Sees the key on its way (through the application, as it goes to the focused
// button and on up to the window when no one took it).
class ReturnPresses : public QObject {
public:
    explicit ReturnPresses(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isReturn(event)) return false;
        if (watched != window_) {
            auto* focused = qobject_cast<QPushButton*>(watched);
            if (!pressable(focused) || focused->window() != window_) return false;
            focused->click();
            return true;
        }
        for (QPushButton* b : window_->findChildren<QPushButton*>()) {
            if (b->isDefault() && pressable(b)) {
                b->click();
                return true;
            }
        }
        return false;
    }

private:
    QWidget* window_;
};

}  // namespace

void pressButtonsOnReturn(QWidget* window) {
    // One filter on the application sees the key at the focused button and, when
    // nothing took it, at the window: for this window's buttons only, whenever made.
    QCoreApplication::instance()->installEventFilter(new ReturnPresses(window));
}

}  // namespace platform::ui
