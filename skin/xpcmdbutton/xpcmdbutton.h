// The kit's push button: a nine-sliced XP face, a centred caption and hover tracking.
#pragma once

#include <QImage>

#include "skin/core/face_tables.h"
#include "skin/kit_control.h"

class QLabel;

namespace skin {

// Enabled and Font are QWidget's own enabled state and font (setEnabled, setFont);
// the button follows them. An "&" in the caption marks an access key (Alt+key
// raises Click).
class xpcmdbutton : public KitControl {
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

    void InitProperties(const Ambient& ambient) override;
    void ReadProperties(const PropertyBag& bag, const Ambient& ambient) override;
    void WriteProperties(PropertyBag& bag, const Ambient& ambient) const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Events first, then the face; the poll raises MouseOut before the redraw.
    void showPressedLook() override { DrawFace(Face::Pressed); }
    void showReleasedLook() override { ShowRestFace(); }
    void showMoveLook(bool leftButtonAlone) override { DrawFace(leftButtonAlone ? Face::Pressed : Face::Hot); }
    void pointerLeft() override;

private:
    void ShowRestFace();
    void DrawFace(Face face);
    void layoutCaption();
    void updateAccessKey();

    QLabel* lbl_;
    QString caption_;
    int state_ = 0;
    Face restFace_ = Face::Normal;
    Face shownFace_ = Face::Normal;
    QImage picture_;
    int shortcutId_ = 0;
};

}  // namespace skin
