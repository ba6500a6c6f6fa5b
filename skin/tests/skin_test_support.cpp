// Shared pieces of the kit's widget tests: simulated pointer and mouse input, pixel checks.
#include "skin/tests/skin_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>

#include "skin/pointer.h"

namespace skin::testing {

SimulatedPointer::SimulatedPointer() {
    setPointerSource([this] { return pos_; });
}

SimulatedPointer::~SimulatedPointer() {
    setPointerSource({});
}

void mouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(local), QPointF(local), QPointF(widget->mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void click(QWidget* widget, QPoint local) {
    mouse(widget, QEvent::MouseButtonPress, local, Qt::LeftButton, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, local, Qt::LeftButton, Qt::NoButton);
}

QImage rendered(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QString saveScreenshot(const QImage& image, const QString& name, int scale) {
    QString dir = qEnvironmentVariable("SUITE_SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    image.save(path);
    if (scale > 1)
        image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(dir + QLatin1Char('/') + name + QStringLiteral("-x") + QString::number(scale) +
                  QStringLiteral(".png"));
    return path;
}

}  // namespace skin::testing
