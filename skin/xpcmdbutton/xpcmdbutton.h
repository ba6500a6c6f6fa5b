// The kit's push button: a nine-sliced XP face, a centred caption and hover tracking.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "skin/core/face_tables.h"
#include "skin/skin_control.h"

class QLabel;

namespace skin {

// Enabled and Font are QWidget's own enabled state and font (setEnabled, setFont);
// the button follows them. An "&" in the caption marks an access key (Alt+key
// raises Click).
class xpcmdbutton : public QWidget, public PersistentControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int State READ State WRITE setState)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    explicit xpcmdbutton(QWidget* parent = nullptr);
    ~xpcmdbutton() override;

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    // 0 ordinary button, 1 default button (blue ring); other values keep the rest face.
    int State() const { return state_; }
    void setState(int state);

    Face shownFace() const { return shownFace_; }
    Face restFace() const { return restFace_; }
    QImage picture() const { return picture_; }  // the face as last drawn
    QLabel* lbl() const { return lbl_; }

    QTimer& Timer1() { return timer1_; }  // the 10 ms pointer poll, off at rest
    void Timer1_Timer();

    void InitProperties(const Ambient& ambient) override;
    void ReadProperties(const PropertyBag& bag, const Ambient& ambient) override;
    void WriteProperties(PropertyBag& bag, const Ambient& ambient) const override;

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
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowRestFace();
    void DrawFace(Face face);
    void layoutCaption();
    void moveOver(qint16 button, qint16 shift, float x, float y);
    void updateAccessKey();

    QLabel* lbl_;
    QString caption_;
    int state_ = 0;
    Face restFace_ = Face::Normal;
    Face shownFace_ = Face::Normal;
    QImage picture_;
    bool pressedInside_ = false;
    bool doubleClickPress_ = false;
    int shortcutId_ = 0;
    QTimer timer1_;
};

}  // namespace skin
