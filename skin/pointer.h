// Where the mouse pointer is on the screen; tests put a simulated pointer in its place.
#pragma once

#include <QPoint>
#include <functional>

namespace skin {

// The pointer's screen position in pixels (QCursor::pos unless replaced).
QPoint pointerPos();

// Replaces the pointer lookup for the whole process; an empty function restores the
// real one.
void setPointerSource(std::function<QPoint()> source);

}  // namespace skin
