// The splash window: shown first, held at least 3 seconds, busy pointer while it lives.
#include "shellstyle/ui/frm_splash.h"

#include <chrono>
#include <thread>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QPixmap>

#include "shellstyle/core/error_report.h"
#include "shellstyle/core/splash_delay.h"
#include "shellstyle/ui/placement.h"
#include "skin/skin_bitmaps.h"

namespace shellstyle::ui {

frmSplash::frmSplash(const platform::Clock& clock, platform::MessageBoxes& boxes,
                     std::function<void()> idle, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      clock_(clock),
      boxes_(boxes),
      idle_(idle ? std::move(idle) : [] { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("shellstyle splash"));
    BackgroundPicture = new QLabel(this);
    BackgroundPicture->setObjectName(QStringLiteral("BackgroundPicture"));
    BackgroundPicture->setGeometry(0, 0, 329, 213);
    // The window is as large as its picture, which is its whole face.
    setFixedSize(329, 213);
    centreOnScreen(this);
    reportErrors(boxes_, [this] { Form_Load(); });
}

frmSplash::~frmSplash() { restorePointer(); }

void frmSplash::Form_Load() {
    const QPixmap picture = QPixmap::fromImage(skin::readEmbeddedPng(QStringLiteral(":/shellstyle/splash.png")));
    if (picture.isNull()) throw RunError("找不到启动画面图片", 481);
    BackgroundPicture->setPixmap(picture);
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    busy_ = true;
    loadTime_ = clock_.monotonicMs();
}

void frmSplash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reportErrors(boxes_, [this] { Form_Activate(); });
}

void frmSplash::Form_Activate() { repaint(); }

void frmSplash::closeEvent(QCloseEvent* event) {
    reportErrors(boxes_, [this] { Form_QueryUnload(); });
    event->accept();
}

void frmSplash::Form_QueryUnload() {
    // Held at least 3 s after loading, without dispatching events.
    waitPast(clock_, loadTime_, kSplashMinimumMs, [this] {
        idle_();
        return true;
    });
    restorePointer();
}

void frmSplash::restorePointer() {
    if (!busy_) return;
    busy_ = false;
    QApplication::restoreOverrideCursor();
}

}  // namespace shellstyle::ui
