// What the kit's button, check box and caption button share: their events, the
// press-to-click bookkeeping, parts that pass the mouse on, the pointer poll, and
// the keyboard's press and focus mark.
#pragma once

#include <QTimer>
#include <QWidget>

#include "skin/skin_control.h"

class QMouseEvent;
class QPainter;

namespace skin {

// A control reports pointer positions in its own pixels. A press and release inside
// it (or inside one part) is a click; the second press of a double click is not.
// Each control supplies its looks and says in which order it shows them against
// the events it raises.
// A control that takes the focus is pressed from the keyboard as well: Space goes
// down and up like the left button, Return clicks at once; both raise what a click
// raises, after the key events. The focus mark shows while the focus came, or
// stays, by keyboard; a mouse press hides it again.
class KitControl : public QWidget, public PersistentControl {
    Q_OBJECT

public:
    QTimer& Timer1() { return timer1_; }  // the 10 ms pointer poll
    // One poll: once the pointer is outside, the poll stops and pointerLeft runs.
    void Timer1_Timer();

signals:
    void Click();
    void MouseOut();
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyPress(qint16 KeyAscii);
    void KeyUp(qint16 KeyCode, qint16 Shift);

protected:
    // Whether a look is drawn before or after the event that goes with it.
    enum class LookFirst { No, Yes };
    KitControl(QWidget* parent, LookFirst onPress, LookFirst onRelease);

    // How moves over a part are reported: at the pointer within the part, or at the
    // part's own place on the control.
    enum class PartMoves { AtPointer, AtPartPosition };
    void addPart(QWidget* part, PartMoves moves);

    virtual void showPressedLook() = 0;
    virtual void showReleasedLook() = 0;
    virtual void showMoveLook(bool leftButtonAlone) = 0;
    // The poll found the pointer outside: redraw and raise MouseOut, in the control's order.
    virtual void pointerLeft() = 0;
    // A completed click; by default Click is raised.
    virtual void clicked();

    // Whether the dotted focus mark is to be drawn now.
    bool showsFocusMark() const { return focusMark_ && hasFocus(); }
    // The mark: a one-pixel dotted rectangle, as the platform's controls draw it.
    static void drawFocusMark(QPainter& painter, const QRect& rect);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void press(QMouseEvent* event);
    void release(QMouseEvent* event, bool inside);
    void moveOver(qint16 button, qint16 shift, float x, float y);

    struct Part {
        QWidget* widget;
        PartMoves moves;
    };
    QList<Part> parts_;
    LookFirst pressLookFirst_;
    LookFirst releaseLookFirst_;
    bool pressedInside_ = false;
    bool doubleClickPress_ = false;
    bool spaceDown_ = false;
    bool focusMark_ = false;
    QTimer timer1_;
};

}  // namespace skin
