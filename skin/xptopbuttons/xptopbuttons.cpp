// The kit's caption button: a 21 x 21 close, maximise, minimise or restore glyph.
#include "skin/xptopbuttons/xptopbuttons.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/core/input_codes.h"
#include "skin/core/strip.h"
#include "skin/pointer.h"
#include "skin/skin_accessible.h"
#include "skin/skin_bitmaps.h"

namespace skin {

namespace {

constexpr int kSide = 21;  // pixels, 315 twips

// Glyph strips by glyph set.
constexpr const char* kGlyphStrips[] = {bitmap::kGlyphClose, bitmap::kGlyphMaximise, bitmap::kGlyphMinimise,
                                        bitmap::kGlyphRestore};

}  // namespace

xptopbuttons::xptopbuttons(QWidget* parent) : QWidget(parent) {
    installSkinAccessibility();
    setMouseTracking(true);
    setFixedSize(kSide, kSide);
    timer1_.setInterval(10);
    connect(&timer1_, &QTimer::timeout, this, &xptopbuttons::Timer1_Timer);
    refreshLook();
    showCell(GlyphLook::Normal);
    timer1_.start();
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

void xptopbuttons::mousePressEvent(QMouseEvent* event) {
    pressedInside_ = true;
    doubleClickPress_ = false;
    showCell(GlyphLook::Pressed);
    const QPointF p = event->position();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
}

void xptopbuttons::mouseDoubleClickEvent(QMouseEvent*) {
    // A double click is one Click for the host.
    pressedInside_ = true;
    doubleClickPress_ = true;
}

void xptopbuttons::mouseReleaseEvent(QMouseEvent* event) {
    showCell(GlyphLook::Normal);
    const QPointF p = event->position();
    emit MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
    const bool click = pressedInside_ && !doubleClickPress_ && rect().contains(p.toPoint());
    if (event->buttons() != Qt::NoButton)
        return;
    pressedInside_ = false;
    if (click)
        emit Click();
}

void xptopbuttons::mouseMoveEvent(QMouseEvent* event) {
    timer1_.start();
    const QPointF p = event->position();
    if (p.x() >= 0 && p.x() <= width() && p.y() >= 0 && p.y() <= height()) {
        const qint16 button = buttonCode(event->buttons());
        emit MouseMove(button, shiftCode(event->modifiers()), float(p.x()), float(p.y()));
        showCell(button == 1 ? GlyphLook::Pressed : GlyphLook::Hot);
    }
}

void xptopbuttons::Timer1_Timer() {
    if (!pointerOutside(*this))
        return;
    timer1_.stop();
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
