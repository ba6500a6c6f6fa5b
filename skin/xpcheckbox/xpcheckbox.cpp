// The kit's check box: a 16 x 16 XP box with three values, a caption and hover tracking.
#include "skin/xpcheckbox/xpcheckbox.h"

#include <QAccessible>
#include <QLabel>
#include <QPainter>

#include "skin/core/strip.h"
#include "skin/skin_accessible.h"
#include "skin/skin_bitmaps.h"

namespace skin {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kBoxTwips = 240;       // the box, 16 pixels
constexpr int kCaptionLeftTwips = 480;
constexpr OleColour kDisabledText = oleRgb(161, 161, 146);
constexpr QRgb kInitialBack = 0xFFECE9D8;  // RGB 236, 233, 216

int twipsToPixels(int twips) {
    return qRound(double(twips) / kTwipsPerPixel);
}

}  // namespace

// The box: shows one cell of the box strip.
class xpcheckbox::Box : public QWidget {
public:
    using QWidget::QWidget;
    QImage image;

protected:
    void paintEvent(QPaintEvent*) override {
        if (image.isNull())
            return;
        QPainter p(this);
        p.drawImage(0, 0, image);
    }
};

xpcheckbox::xpcheckbox(QWidget* parent) : KitControl(parent, LookFirst::Yes, LookFirst::No) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    p_ = new Box(this);
    lbl_ = new QLabel(QStringLiteral("Check1"), this);
    lbl_->setTextFormat(Qt::PlainText);
    lbl_->setAttribute(Qt::WA_TranslucentBackground);
    // Moves over the box report their own position, over the caption its place.
    addPart(p_, PartMoves::AtPointer);
    addPart(lbl_, PartMoves::AtPartPosition);
    resize(120, 17);

    DrawBox();
    layoutParts();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(kInitialBack));
    setPalette(pal);
    applyCaptionColour();
    Timer1().start();
}

xpcheckbox::~xpcheckbox() = default;

QWidget* xpcheckbox::p() const {
    return p_;
}

QString xpcheckbox::Caption() const {
    return lbl_->text();
}

void xpcheckbox::setCaption(const QString& caption) {
    lbl_->setText(caption);
    layoutParts();
}

void xpcheckbox::setValue(int value) {
    storeValue(value);
    DrawBox();
}

void xpcheckbox::storeValue(int value) {
    const int old = value_;
    value_ = value;
    if ((old == 1) == (value == 1) && (old == 2) == (value == 2))
        return;
    // Screen readers hear the tick change, whoever made it.
    QAccessible::State changed;
    changed.checked = true;
    changed.checkStateMixed = true;
    QAccessibleStateChangeEvent event(this, changed);
    announce(&event);
}

void xpcheckbox::clickBox() {
    if (!isEnabled())
        return;
    // The host sees the value from before the click.
    emit Click();
    storeValue(boxValueAfterClick(value_));
    DrawBox();
}

void xpcheckbox::setBackColor(OleColour colour) {
    backColor_ = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(colour));
    setPalette(pal);
}

void xpcheckbox::setForeColor(OleColour colour) {
    foreColor_ = colour;
    applyCaptionColour();
}

void xpcheckbox::applyCaptionColour() {
    const QColor c = toQColor(isEnabled() ? foreColor_ : kDisabledText);
    QPalette pal = lbl_->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, c);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, c);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(kDisabledText));
    lbl_->setPalette(pal);
}

void xpcheckbox::showCell(BoxLook look) {
    const auto cell = boxCell(value_, look);
    if (!cell)
        return;
    const QImage img = cellImage(skinBitmap(QString::fromLatin1(bitmap::kBoxes)), kBoxStrip, *cell);
    if (img.isNull())
        return;
    p_->image = img;
    shownCell_ = *cell;
    p_->update();
}

void xpcheckbox::DrawBox() {
    if (!isEnabled())
        return DrawDisabledBox();
    showCell(BoxLook::Normal);
}

void xpcheckbox::DrawDisabledBox() {
    showCell(BoxLook::Disabled);
}

void xpcheckbox::layoutParts() {
    // Placed in twips as the saved forms measure: halves drop their remainder.
    const int h = height() * kTwipsPerPixel;
    p_->setGeometry(0, twipsToPixels((h - kBoxTwips) / 2), 16, 16);
    lbl_->adjustSize();
    const int lh = lbl_->height() * kTwipsPerPixel;
    lbl_->move(twipsToPixels(kCaptionLeftTwips), twipsToPixels((h - lh) / 2));
}

void xpcheckbox::paintEvent(QPaintEvent*) {
    // The background is filled already; the mark rings the caption, one pixel out.
    if (!showsFocusMark())
        return;
    QPainter p(this);
    drawFocusMark(p, lbl_->geometry().adjusted(-1, -1, 1, 1) & rect());
}

void xpcheckbox::resizeEvent(QResizeEvent*) {
    layoutParts();
}

void xpcheckbox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (isEnabled())
            DrawBox();
        else
            DrawDisabledBox();
        applyCaptionColour();
    } else if (event->type() == QEvent::FontChange) {
        lbl_->setFont(font());
        layoutParts();
    }
    QWidget::changeEvent(event);
}

void xpcheckbox::showPressedLook() {
    if (isEnabled())
        showCell(BoxLook::Pressed);
}

void xpcheckbox::showMoveLook(bool leftButtonAlone) {
    if (isEnabled())
        showCell(leftButtonAlone ? BoxLook::Pressed : BoxLook::Hot);
}

void xpcheckbox::pointerLeft() {
    DrawBox();
    emit MouseOut();
}

void xpcheckbox::InitProperties(const Ambient& ambient) {
    setCaption(ambient.displayName);
    setEnabled(true);
    setValue(0);
    setFont(ambient.containerFont);
    setBackColor(kSystemButtonFace);
    setForeColor(kBlack);
}

void xpcheckbox::ReadProperties(const PropertyBag& bag, const Ambient& ambient) {
    setValue(bag.ReadProperty(QStringLiteral("Value"), 0).toInt());
    setCaption(bag.ReadProperty(QStringLiteral("Caption"), ambient.displayName).toString());
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    setFont(bag.ReadProperty(QStringLiteral("Font"), ambient.containerFont).value<QFont>());
    setBackColor(bag.ReadProperty(QStringLiteral("BackColor"), kSystemButtonFace).toUInt());
    setForeColor(bag.ReadProperty(QStringLiteral("ForeColor"), kBlack).toUInt());
}

void xpcheckbox::WriteProperties(PropertyBag& bag, const Ambient& ambient) const {
    bag.WriteProperty(QStringLiteral("Font"), font(), ambient.containerFont);
    bag.WriteProperty(QStringLiteral("Value"), value_, 0);
    bag.WriteProperty(QStringLiteral("Caption"), Caption(), ambient.displayName);
    bag.WriteProperty(QStringLiteral("Enabled"), !testAttribute(Qt::WA_ForceDisabled), true);
    bag.WriteProperty(QStringLiteral("BackColor"), backColor_, kSystemButtonFace);
    bag.WriteProperty(QStringLiteral("ForeColor"), foreColor_, kBlack);
}

}  // namespace skin
