// What the kit's button, check box and caption button share: their events, the
// press-to-click bookkeeping, parts that pass the mouse on, the pointer poll, and
// the keyboard's press and focus mark.
#include "skin/kit_control.h"

#include <algorithm>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "skin/core/input_codes.h"
#include "skin/pointer.h"
#include "skin/skin_accessible.h"

namespace skin {

KitControl::KitControl(QWidget* parent, LookFirst onPress, LookFirst onRelease)
    : QWidget(parent), pressLookFirst_(onPress), releaseLookFirst_(onRelease) {
    installSkinAccessibility();
    setMouseTracking(true);
    timer1_.setInterval(10);
    connect(&timer1_, &QTimer::timeout, this, &KitControl::Timer1_Timer);
}

void KitControl::addPart(QWidget* part, PartMoves moves) {
    part->setMouseTracking(true);
    part->installEventFilter(this);
    parts_.append({part, moves});
}

void KitControl::clicked() {
    emit Click();
}

void KitControl::press(QMouseEvent* event) {
    if (focusMark_) {
        focusMark_ = false;
        update();
    }
    pressedInside_ = true;
    doubleClickPress_ = false;
    const QPointF p = event->position();
    if (pressLookFirst_ == LookFirst::Yes)
        showPressedLook();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
    if (pressLookFirst_ == LookFirst::No)
        showPressedLook();
}

void KitControl::release(QMouseEvent* event, bool inside) {
    const QPointF p = event->position();
    if (releaseLookFirst_ == LookFirst::Yes)
        showReleasedLook();
    emit MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
    if (releaseLookFirst_ == LookFirst::No)
        showReleasedLook();
    const bool click = pressedInside_ && !doubleClickPress_ && inside;
    if (event->buttons() != Qt::NoButton)
        return;
    pressedInside_ = false;
    if (click)
        clicked();
}

void KitControl::moveOver(qint16 button, qint16 shift, float x, float y) {
    timer1_.start();
    if (x >= 0 && x <= width() && y >= 0 && y <= height()) {
        emit MouseMove(button, shift, x, y);
        showMoveLook(button == 1);
    }
}

void KitControl::mousePressEvent(QMouseEvent* event) {
    press(event);
}

void KitControl::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click is not a click of its own.
    pressedInside_ = true;
    doubleClickPress_ = true;
}

void KitControl::mouseReleaseEvent(QMouseEvent* event) {
    release(event, rect().contains(event->position().toPoint()));
}

void KitControl::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    moveOver(buttonCode(event->buttons()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
}

bool KitControl::eventFilter(QObject* watched, QEvent* event) {
    const auto part = std::find_if(parts_.begin(), parts_.end(), [&](const Part& p) { return p.widget == watched; });
    if (part == parts_.end())
        return false;
    auto* m = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPointF at = part->moves == PartMoves::AtPointer ? m->position() : QPointF(part->widget->pos());
        moveOver(buttonCode(m->buttons()), shiftCode(m->modifiers()), float(at.x()), float(at.y()));
        return true;
    }
    case QEvent::MouseButtonPress:
        press(m);
        return true;
    case QEvent::MouseButtonDblClick:
        mouseDoubleClickEvent(m);
        return true;
    case QEvent::MouseButtonRelease:
        release(m, part->widget->rect().contains(m->position().toPoint()));
        return true;
    default:
        return false;
    }
}

void KitControl::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(keyCode(event->key()), shiftCode(event->modifiers()));
    if (const qint16 ascii = keyAscii(event->text()))
        emit KeyPress(ascii);
    if (focusPolicy() == Qt::NoFocus || event->isAutoRepeat() || !isEnabled())
        return;
    if (!focusMark_) {
        focusMark_ = true;
        update();
    }
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (event->key() == Qt::Key_Space && plain) {
        spaceDown_ = true;
        showPressedLook();
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain && !spaceDown_) {
        clicked();
    }
}

void KitControl::keyReleaseEvent(QKeyEvent* event) {
    emit KeyUp(keyCode(event->key()), shiftCode(event->modifiers()));
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !spaceDown_)
        return;
    spaceDown_ = false;
    showReleasedLook();
    if (isEnabled())
        clicked();
}

void KitControl::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    focusMark_ = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void KitControl::focusOutEvent(QFocusEvent* event) {
    // A Space held while the focus leaves presses nothing.
    if (spaceDown_) {
        spaceDown_ = false;
        showReleasedLook();
    }
    update();
    QWidget::focusOutEvent(event);
}

void KitControl::drawFocusMark(QPainter& painter, const QRect& rect) {
    painter.save();
    QPen pen(Qt::black, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

void KitControl::Timer1_Timer() {
    if (!pointerOutside(*this))
        return;
    timer1_.stop();
    pointerLeft();
}

}  // namespace skin
