// The kit's check box: a 16 x 16 XP box with three values, a caption and hover tracking.
#pragma once

#include <QImage>

#include "skin/core/face_tables.h"
#include "skin/core/ole_colour.h"
#include "skin/kit_control.h"

class QLabel;

namespace skin {

// Enabled and Font are QWidget's own enabled state and font (setEnabled, setFont).
// Click is raised before Value changes, so a handler sees the value from before.
// Mouse event coordinates are pixels relative to the control (or to the box).
class xpcheckbox : public KitControl {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)

public:
    explicit xpcheckbox(QWidget* parent = nullptr);
    ~xpcheckbox() override;

    // 0 unticked, 1 ticked, 2 grey; other values are kept but show nothing new.
    int Value() const { return value_; }
    void setValue(int value);
    // What a click does, however it comes (mouse or assistive technology): raise
    // Click, then cycle Value. Nothing while disabled.
    void clickBox();
    QString Caption() const;
    void setCaption(const QString& caption);
    OleColour BackColor() const { return backColor_; }
    void setBackColor(OleColour colour);
    OleColour ForeColor() const { return foreColor_; }
    void setForeColor(OleColour colour);

    int shownCell() const { return shownCell_; }  // box strip cell, -1 before the first
    QWidget* p() const;                           // the box
    QLabel* lbl() const { return lbl_; }

    void InitProperties(const Ambient& ambient) override;
    void ReadProperties(const PropertyBag& bag, const Ambient& ambient) override;
    void WriteProperties(PropertyBag& bag, const Ambient& ambient) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The pressed look comes before MouseDown; a release leaves the look to the
    // click; the poll redraws before MouseOut.
    void showPressedLook() override;
    void showReleasedLook() override {}
    void showMoveLook(bool leftButtonAlone) override;
    void pointerLeft() override;
    void clicked() override { clickBox(); }

private:
    void DrawBox();
    void DrawDisabledBox();
    void showCell(BoxLook look);
    void layoutParts();
    void applyCaptionColour();
    void storeValue(int value);

    class Box;
    Box* p_;
    QLabel* lbl_;
    int value_ = 0;
    int shownCell_ = -1;
    OleColour backColor_ = kSystemButtonFace;
    OleColour foreColor_ = kBlack;
};

}  // namespace skin
