// The kit's caption button: a 21 x 21 close, maximise, minimise or restore glyph.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "skin/core/face_tables.h"
#include "skin/skin_control.h"

namespace skin {

// Enabled is QWidget's own enabled state (setEnabled). The control keeps itself
// 21 x 21 pixels (315 twips) whatever size it is given.
class xptopbuttons : public QWidget, public PersistentControl {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)

public:
    explicit xptopbuttons(QWidget* parent = nullptr);
    ~xptopbuttons() override;

    // 0 close, 1 maximise, 2 minimise, 3 restore; other values keep the glyph set.
    int Value() const { return value_; }
    void setValue(int value);

    int glyphIndex() const { return glyphIndex_; }
    GlyphLook shownLook() const { return shownLook_; }
    QImage picture() const { return picture_; }

    QTimer& Timer1() { return timer1_; }  // the 10 ms pointer poll, running at creation
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void refreshLook();
    void showCell(GlyphLook look);

    int value_ = 0;
    int glyphIndex_ = 0;
    GlyphLook shownLook_ = GlyphLook::Normal;
    QImage picture_;
    bool pressedInside_ = false;
    bool doubleClickPress_ = false;
    QTimer timer1_;
};

}  // namespace skin
