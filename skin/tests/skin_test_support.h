// Shared pieces of the kit's widget tests: simulated pointer and mouse input, pixel checks.
#pragma once

#include <QEvent>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace skin::testing {

// Puts a simulated pointer in place of the real one while it lives.
class SimulatedPointer {
public:
    SimulatedPointer();
    ~SimulatedPointer();
    void moveTo(QPoint global) { pos_ = global; }
    // Puts the pointer on a point of a widget (widget pixels).
    void moveTo(const QWidget* widget, QPoint local) { pos_ = widget->mapToGlobal(local); }

private:
    QPoint pos_{-10000, -10000};
};

// Delivers one mouse event to the widget, with the pointer at `local`.
void mouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button = Qt::NoButton,
           Qt::MouseButtons buttons = Qt::NoButton);
// Press and release of the left button at `local`.
void click(QWidget* widget, QPoint local);

// What a widget shows, rendered with its children.
QImage rendered(QWidget* widget);

// Writes the image, and a copy enlarged `scale` times, under $SUITE_SCREENSHOT_DIR
// (or the temporary folder) as name.png and name-x<scale>.png; returns the first path.
QString saveScreenshot(const QImage& image, const QString& name, int scale = 4);

}  // namespace skin::testing
