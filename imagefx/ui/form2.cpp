// The progress window.
#include "imagefx/ui/form2.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace imagefx::ui {

Form2::Form2(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(300, 46);
    pgrbar = new QProgressBar(this);
    pgrbar->setObjectName(QStringLiteral("pgrbar"));
    pgrbar->setRange(0, 100);
    pgrbar->setGeometry(8, 12, 284, 22);
    pgrbar->setTextVisible(false);
}

void Form2::showRunning(const QString& caption) {
    setWindowTitle(caption);
    pgrbar->setValue(0);
    painted_.invalidate();
    started_.start();
    if (showAfterMs <= 0) appear();
}

void Form2::appear() {
    ++timesShown;
    if (QWidget* owner = parentWidget())
        move(owner->geometry().center() - QPoint(width() / 2, height() / 2));
    show();
    // Let the window be mapped and drawn once; input stays queued until the run ends.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
    painted_.start();
}

void Form2::setPercent(int percent) {
    constexpr qint64 kFrameMs = 20;
    ++updates;
    pgrbar->setValue(percent);
    if (isHidden()) {
        if (started_.isValid() && started_.hasExpired(showAfterMs - 1)) appear();
        return;
    }
    if (painted_.isValid() && !painted_.hasExpired(kFrameMs)) return;
    pgrbar->repaint();
    painted_.start();
}

}  // namespace imagefx::ui
