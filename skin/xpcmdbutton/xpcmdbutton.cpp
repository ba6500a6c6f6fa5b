// The kit's push button: a nine-sliced XP face, a centred caption and hover tracking.
#include "skin/xpcmdbutton/xpcmdbutton.h"

#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QShortcutEvent>

#include "skin/core/ole_colour.h"
#include "skin/core/slices.h"
#include "skin/core/strip.h"
#include "skin/skin_bitmaps.h"

namespace skin {

namespace {

constexpr QRgb kSurface = 0xFFECE9D8;                  // RGB 236, 233, 216
constexpr OleColour kDisabledText = oleRgb(161, 161, 146);

// The caption as shown: "&x" marks the access key, "&&" is a literal ampersand.
QString shownText(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

}  // namespace

xpcmdbutton::xpcmdbutton(QWidget* parent) : KitControl(parent, LookFirst::No, LookFirst::No) {
    setFocusPolicy(Qt::StrongFocus);
    lbl_ = new QLabel(this);
    lbl_->setTextFormat(Qt::PlainText);
    lbl_->setAttribute(Qt::WA_TranslucentBackground);
    addPart(lbl_, PartMoves::AtPartPosition);  // moves over the caption report its place
    QPalette pal = lbl_->palette();
    pal.setColor(QPalette::WindowText, toQColor(kSystemWindowText));
    lbl_->setPalette(pal);
    resize(75, 23);
    setCaption(QStringLiteral("xpcmdbutton"));
    ShowRestFace();
}

xpcmdbutton::~xpcmdbutton() = default;

void xpcmdbutton::setCaption(const QString& caption) {
    caption_ = caption;
    lbl_->setText(shownText(caption));
    layoutCaption();
    updateAccessKey();
}

void xpcmdbutton::setState(int state) {
    state_ = state;
    ShowRestFace();
}

void xpcmdbutton::ShowRestFace() {
    restFace_ = restFaceFor(state_, restFace_);
    DrawFace(isEnabled() ? restFace_ : Face::Disabled);
}

void xpcmdbutton::DrawFace(Face face) {
    const QImage cell = cellImage(skinBitmap(QString::fromLatin1(bitmap::kFaces)), kFaceStrip, int(face));
    if (cell.isNull())
        return;
    QImage img(size(), QImage::Format_RGB32);
    if (img.isNull()) {
        picture_ = QImage();
        shownFace_ = face;
        return;
    }
    img.fill(kSurface);
    QPainter p(&img);
    for (const SlicePiece& piece : nineSlice(cell.size(), size()))
        p.drawImage(piece.dst, cell, piece.src);
    p.end();
    picture_ = img;
    shownFace_ = face;
    update();
}

void xpcmdbutton::layoutCaption() {
    lbl_->adjustSize();
    lbl_->move((width() - lbl_->width()) / 2, (height() - lbl_->height()) / 2);
}

void xpcmdbutton::updateAccessKey() {
    if (shortcutId_ != 0)
        releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    if (!key.isEmpty())
        shortcutId_ = grabShortcut(key);
}

bool xpcmdbutton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
        if (isEnabled())
            emit Click();
        return true;
    }
    return QWidget::event(event);
}

void xpcmdbutton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    // Inside the face's 3-pixel frame zone, where the platform's buttons draw theirs.
    if (showsFocusMark())
        drawFocusMark(p, rect().adjusted(3, 3, -3, -3));
}

void xpcmdbutton::resizeEvent(QResizeEvent*) {
    ShowRestFace();
    layoutCaption();
}

void xpcmdbutton::showEvent(QShowEvent*) {
    ShowRestFace();
}

void xpcmdbutton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        ShowRestFace();
        QPalette pal = lbl_->palette();
        pal.setColor(QPalette::WindowText, isEnabled() ? toQColor(kBlack) : toQColor(kDisabledText));
        pal.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(kDisabledText));
        lbl_->setPalette(pal);
    } else if (event->type() == QEvent::FontChange) {
        lbl_->setFont(font());
        ShowRestFace();
        layoutCaption();
    }
    QWidget::changeEvent(event);
}

void xpcmdbutton::pointerLeft() {
    emit MouseOut();
    ShowRestFace();
}

void xpcmdbutton::InitProperties(const Ambient& ambient) {
    setEnabled(true);
    setCaption(ambient.displayName);
    setFont(ambient.containerFont);
}

void xpcmdbutton::ReadProperties(const PropertyBag& bag, const Ambient& ambient) {
    setState(bag.ReadProperty(QStringLiteral("State"), 0).toInt());
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    setCaption(bag.ReadProperty(QStringLiteral("Caption"), ambient.displayName).toString());
    setFont(bag.ReadProperty(QStringLiteral("Font"), ambient.containerFont).value<QFont>());
}

void xpcmdbutton::WriteProperties(PropertyBag& bag, const Ambient& ambient) const {
    bag.WriteProperty(QStringLiteral("State"), state_, 0);
    bag.WriteProperty(QStringLiteral("Enabled"), !testAttribute(Qt::WA_ForceDisabled), true);
    bag.WriteProperty(QStringLiteral("Caption"), caption_, ambient.displayName);
    bag.WriteProperty(QStringLiteral("Font"), font(), ambient.containerFont);
}

}  // namespace skin
