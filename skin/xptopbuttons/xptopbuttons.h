// The kit's caption button: a 21 x 21 close, maximise, minimise or restore glyph.
#pragma once

#include <QImage>

#include "skin/core/face_tables.h"
#include "skin/kit_control.h"

namespace skin {

// Enabled is QWidget's own enabled state (setEnabled). The control keeps itself
// 21 x 21 pixels (315 twips) whatever size it is given.
class xptopbuttons : public KitControl {
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

    void InitProperties(const Ambient& ambient) override;
    void ReadProperties(const PropertyBag& bag, const Ambient& ambient) override;
    void WriteProperties(PropertyBag& bag, const Ambient& ambient) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Looks before the events on press and release; the poll raises MouseOut first.
    void showPressedLook() override { showCell(GlyphLook::Pressed); }
    void showReleasedLook() override { showCell(GlyphLook::Normal); }
    void showMoveLook(bool leftButtonAlone) override {
        showCell(leftButtonAlone ? GlyphLook::Pressed : GlyphLook::Hot);
    }
    void pointerLeft() override;

private:
    void refreshLook();
    void showCell(GlyphLook look);

    int value_ = 0;
    int glyphIndex_ = 0;
    GlyphLook shownLook_ = GlyphLook::Normal;
    QImage picture_;
};

}  // namespace skin
