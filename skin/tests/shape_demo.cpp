// A frameless window covered by the frame, shaped by make_trans, for the Xvfb smoke test.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "platform/ui/fonts.h"
#include "skin/skin_control.h"
#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"
#include "skin/xptopbuttons/xptopbuttons.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::ui::installFonts();

    QWidget host(nullptr, Qt::FramelessWindowHint);
    host.setGeometry(100, 100, 320, 200);
    auto* frame = static_cast<skin::xp_canvas*>(
        skin::createControl(skin::kCanvasClass, &host, {QStringLiteral("xp_canvas1"), host.font()}));
    frame->setGeometry(host.rect());
    frame->setCaption(QStringLiteral("skin shape demo"));
    auto* close = new skin::xptopbuttons(frame);
    close->move(host.width() - 26, 5);
    QObject::connect(close, &skin::xptopbuttons::Click, &app, &QApplication::quit);
    auto* ok = new skin::xpcmdbutton(frame);
    ok->setGeometry(220, 160, 80, 24);
    ok->setCaption(QString::fromUtf8("确定"));
    // Shaped while loading, before it is shown, as the suite's forms do.
    frame->make_trans(&host);
    host.show();
    host.activateWindow();
    QTimer::singleShot(60000, &app, &QApplication::quit);
    return app.exec();
}
