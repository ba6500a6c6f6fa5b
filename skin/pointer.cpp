// Where the mouse pointer is on the screen; tests put a simulated pointer in its place.
#include "skin/pointer.h"

#include <QCursor>
#include <QWidget>

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

bool pointerOutside(const QWidget& widget) {
    const QPoint at = widget.mapFromGlobal(pointerPos());
    return at.x() < 0 || at.y() < 0 || at.x() > widget.width() || at.y() > widget.height();
}

void setPointerSource(std::function<QPoint()> s) {
    source() = std::move(s);
}

}  // namespace skin
