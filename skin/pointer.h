// Where the mouse pointer is on the screen; tests put a simulated pointer in its place.
#pragma once

#include <QPoint>
#include <functional>

class QWidget;

namespace skin {

// The pointer's screen position in pixels (QCursor::pos unless replaced).
QPoint pointerPos();

// True when the pointer has left `widget`: the right and bottom edge lines still count
// as inside, as the hover polls have always measured it.
bool pointerOutside(const QWidget& widget);

// Replaces the pointer lookup for the whole process; an empty function restores the
// real one.
void setPointerSource(std::function<QPoint()> source);

}  // namespace skin
