// Where the mouse pointer is on the screen; tests put a simulated pointer in its place.
#include "skin/pointer.h"

#include <QCursor>

namespace skin {

namespace {

std::function<QPoint()>& source() {
    static std::function<QPoint()> s;
    return s;
}

}  // namespace

QPoint pointerPos() {
    return source() ? source()() : QCursor::pos();
}

void setPointerSource(std::function<QPoint()> s) {
    source() = std::move(s);
}

}  // namespace skin
