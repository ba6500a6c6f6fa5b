// The kit's window frame: title bar, borders and grips painted around a frameless host.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>

#include "skin/core/edge_resize.h"
#include "skin/core/frame_cursors.h"
#include "skin/skin_control.h"

class QLabel;

namespace skin {

class FrameBar;
class FrameGrip;
class FrameIcon;

// Place one xp_canvas over the whole client area of a frameless top-level widget
// (Qt::FramelessWindowHint), size it to that area yourself whenever the host resizes,
// then call make_trans(host). The frame moves and resizes only its host (window()).
// Lengths are pixels; the saved form of the host uses twips (15 per pixel).
class xp_canvas : public QWidget, public PersistentControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QImage Icon READ Icon WRITE setIcon)
    Q_PROPERTY(bool Fixed_Single READ Fixed_Single WRITE setFixed_Single)

public:
    // A new frame is 410 x 332 pixels (6150 x 4980 twips) until its host sizes it.
    explicit xp_canvas(QWidget* parent = nullptr);
    ~xp_canvas() override;

    // Caption: also the host window's title; relays out the frame.
    QString Caption() const;
    void setCaption(const QString& caption);
    // Icon: shown at 16 x 16 in the title bar; no relayout.
    QImage Icon() const { return icon_; }
    void setIcon(const QImage& icon);
    bool iconIsDefault() const { return iconIsDefault_; }
    // Fixed_Single: no double-click maximise, no border resizing, default cursors.
    bool Fixed_Single() const { return fixedSingle_; }
    void setFixed_Single(bool fixed);

    // Shows the active look at once and stops the activation polls.
    void SetFocus();
    // Cuts the host window's rounded top corners: paints the title strip's corner caps
    // on the host's own surface (normal state only) and shapes it by the key colour.
    void make_trans(QWidget* host);
    // The host's own drawing surface as the last make_trans left it.
    QImage hostSurface() const { return hostSurface_; }

    bool isActiveLook() const { return activeLook_; }
    QTimer& Timer1() { return timer1_; }  // turns the frame inactive
    QTimer& Timer2() { return timer2_; }  // turns the frame active again
    void Timer1_Timer();
    void Timer2_Timer();

    // Elements, for hosts that place controls on the title bar and for checks.
    QWidget* pictop() const;
    QWidget* picbottom() const;
    QWidget* picleft() const;
    QWidget* picright() const;
    QWidget* grip(Edge edge) const;  // the bar or grip that stands for the edge code
    QLabel* lblcaption() const { return lblcaption_; }
    QLabel* lblshadow() const { return lblshadow_; }
    QWidget* imgicon() const;
    // What a bar last had painted on it.
    QImage barImage(QWidget* bar) const;
    // True for the frame itself and its own pieces (bars, grips, icon, caption labels),
    // false for the controls a host places on it.
    bool ownsWidget(const QWidget* widget) const;

    // The layout-and-paint routine; runs on resize, look changes and property sets.
    void UserControl_Resize();
    // Applies one border or grip drag to the host (screen pixels); refused sizes
    // leave the host as it was.
    void resize_host(Edge edge, QPoint pressPoint, QPoint releasePoint);

    void InitProperties(const Ambient& ambient) override;
    void ReadProperties(const PropertyBag& bag, const Ambient& ambient) override;
    void WriteProperties(PropertyBag& bag, const Ambient& ambient) const override;

signals:
    void Click();
    void DblClick();
    void Resize();
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyPress(qint16 KeyAscii);
    void KeyUp(qint16 KeyCode, qint16 Shift);
    void MouseDown(qint16 Button, qint16 Shift, float X, float Y);
    void MouseMove(qint16 Button, qint16 Shift, float X, float Y);
    void MouseUp(qint16 Button, qint16 Shift, float X, float Y);

protected:
    // Whether the host is the application's active window.
    virtual bool hostIsActive() const;
    // Starts the window system's own move of the host with the pointer.
    virtual void startHostMove(QWidget* host);

    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class FrameGrip;
    QWidget* host() const;
    HostState hostState() const;
    // Puts one look's pieces into the holders; the next layout shows them.
    enum class Look { Active = 0, Inactive = 1 };
    void set_look(Look look);
    void paintBars();
    void placeGrips();
    void applyCursors();
    void titlePress();
    void titleDoubleClick();
    void gripPressed(Edge edge);
    void gripReleased(Edge edge);
    void focusChanged(QWidget* old, QWidget* now);

    FrameBar* pictop_;
    FrameBar* picbottom_;
    FrameBar* picleft_;
    FrameBar* picright_;
    FrameIcon* imgicon_;
    QLabel* lblshadow_;
    QLabel* lblcaption_;
    std::array<FrameGrip*, kEdgeCount> grips_{};  // indexes 2, 4, 5, 6, 7 are grips
    QImage imgtop_, imgtopmax_, imgleft_, imgright_, imgbottom_;
    QImage icon_;
    bool iconIsDefault_ = true;
    bool fixedSingle_ = false;
    bool activeLook_ = true;
    bool mouseOnSurface_ = false;
    bool doubleClickPress_ = false;
    QPoint press_point_;
    QPoint release_point_;
    QImage hostSurface_;
    QTimer timer1_;
    QTimer timer2_;
};

}  // namespace skin
