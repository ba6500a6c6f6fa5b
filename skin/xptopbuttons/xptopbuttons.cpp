// The kit's caption button: a 21 x 21 close, maximise, minimise or restore glyph.
#include "skin/xptopbuttons/xptopbuttons.h"

#include <QEvent>
#include <QPainter>

#include "skin/core/strip.h"
#include "skin/skin_bitmaps.h"

namespace skin {

namespace {

constexpr int kSide = 21;  // pixels, 315 twips

// Glyph strips by glyph set.
constexpr const char* kGlyphStrips[] = {bitmap::kGlyphClose, bitmap::kGlyphMaximise, bitmap::kGlyphMinimise,
                                        bitmap::kGlyphRestore};

}  // namespace

xptopbuttons::xptopbuttons(QWidget* parent) : KitControl(parent, LookFirst::Yes, LookFirst::Yes) {
    setFixedSize(kSide, kSide);
    refreshLook();
    showCell(GlyphLook::Normal);
    Timer1().start();
}

xptopbuttons::~xptopbuttons() = default;

void xptopbuttons::setValue(int value) {
    value_ = value;
    refreshLook();
}

void xptopbuttons::refreshLook() {
    glyphIndex_ = glyphIndexFor(value_, glyphIndex_);
    showCell(isEnabled() ? GlyphLook::Normal : GlyphLook::Disabled);
}

void xptopbuttons::showCell(GlyphLook look) {
    if (glyphIndex_ < 0 || glyphIndex_ > 3)
        return;
    const QImage strip = skinBitmap(QString::fromLatin1(kGlyphStrips[glyphIndex_]));
    const QImage cell = cellImage(strip, kGlyphStrip, int(look));
    if (cell.isNull())
        return;
    picture_ = cell;
    shownLook_ = look;
    update();
}

void xptopbuttons::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void xptopbuttons::resizeEvent(QResizeEvent*) {
    if (width() != kSide || height() != kSide)
        resize(kSide, kSide);
}

void xptopbuttons::showEvent(QShowEvent*) {
    refreshLook();
}

void xptopbuttons::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        showCell(isEnabled() ? GlyphLook::Normal : GlyphLook::Disabled);
    QWidget::changeEvent(event);
}

void xptopbuttons::pointerLeft() {
    emit MouseOut();
    if (isEnabled())
        showCell(GlyphLook::Normal);
}

void xptopbuttons::InitProperties(const Ambient&) {
    setValue(0);
    setEnabled(true);
}

void xptopbuttons::ReadProperties(const PropertyBag& bag, const Ambient&) {
    // Value is taken as stored; the look follows at the next refresh.
    value_ = bag.ReadProperty(QStringLiteral("Value"), 0).toInt();
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
}

void xptopbuttons::WriteProperties(PropertyBag& bag, const Ambient&) const {
    bag.WriteProperty(QStringLiteral("Value"), value_, 0);
    bag.WriteProperty(QStringLiteral("Enabled"), !testAttribute(Qt::WA_ForceDisabled), true);
}

}  // namespace skin
