// A window of one fixed size is never maximised.
#include "platform/ui/fixed_window.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace platform::ui {

namespace {

constexpr Qt::WindowStates kGrown = Qt::WindowMaximized | Qt::WindowFullScreen;

class MaximiseRefusal : public QObject {
public:
    explicit MaximiseRefusal(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::WindowStateChange &&
            (window_->windowState() & kGrown) && window_->minimumSize() == window_->maximumSize()) {
            // After the change has been delivered: undoing it inside would be lost.
            QTimer::singleShot(0, window_, [w = QPointer<QWidget>(window_)] {
                if (w && (w->windowState() & kGrown)) w->setWindowState(w->windowState() & ~kGrown);
            });
        }
        return false;
    }

private:
    QWidget* window_;
};

}  // namespace

void refuseMaximise(QWidget* window) { window->installEventFilter(new MaximiseRefusal(window)); }

}  // namespace platform::ui
