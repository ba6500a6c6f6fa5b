// The kit's push button: a nine-sliced XP face, a centred caption and hover tracking.
#include "skin/xpcmdbutton/xpcmdbutton.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include "skin/core/input_codes.h"
#include "skin/core/ole_colour.h"
#include "skin/core/slices.h"
#include "skin/core/strip.h"
#include "skin/pointer.h"
#include "skin/skin_accessible.h"
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

xpcmdbutton::xpcmdbutton(QWidget* parent) : QWidget(parent) {
    installSkinAccessibility();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    lbl_ = new QLabel(this);
    lbl_->setTextFormat(Qt::PlainText);
    lbl_->setAttribute(Qt::WA_TranslucentBackground);
    lbl_->setMouseTracking(true);
    lbl_->installEventFilter(this);
    QPalette pal = lbl_->palette();
    pal.setColor(QPalette::WindowText, toQColor(kSystemWindowText));
    lbl_->setPalette(pal);
    timer1_.setInterval(10);
    connect(&timer1_, &QTimer::timeout, this, &xpcmdbutton::Timer1_Timer);
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

void xpcmdbutton::moveOver(qint16 button, qint16 shift, float x, float y) {
    timer1_.start();
    if (x >= 0 && x <= width() && y >= 0 && y <= height()) {
        emit MouseMove(button, shift, x, y);
        DrawFace(button == 1 ? Face::Pressed : Face::Hot);
    }
}

void xpcmdbutton::mousePressEvent(QMouseEvent* event) {
    pressedInside_ = true;
    doubleClickPress_ = false;
    const QPointF p = event->position();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
    DrawFace(Face::Pressed);
}

void xpcmdbutton::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click is not a click of its own.
    pressedInside_ = true;
    doubleClickPress_ = true;
}

void xpcmdbutton::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
    ShowRestFace();
    const bool click = pressedInside_ && !doubleClickPress_ && rect().contains(p.toPoint());
    if (event->buttons() == Qt::NoButton)
        pressedInside_ = false;
    if (click && event->buttons() == Qt::NoButton)
        emit Click();
}

void xpcmdbutton::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    moveOver(buttonCode(event->buttons()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
}

bool xpcmdbutton::eventFilter(QObject* watched, QEvent* event) {
    if (watched != lbl_)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        // Moves over the caption report the caption's position, not the pointer's.
        auto* m = static_cast<QMouseEvent*>(event);
        moveOver(buttonCode(m->buttons()), shiftCode(m->modifiers()), float(lbl_->x()), float(lbl_->y()));
        return true;
    }
    case QEvent::MouseButtonPress:
        mousePressEvent(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        mouseDoubleClickEvent(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease: {
        auto* m = static_cast<QMouseEvent*>(event);
        const QPointF p = m->position();
        emit MouseUp(buttonCode(m->button()), shiftCode(m->modifiers()), float(p.x()), float(p.y()));
        ShowRestFace();
        const bool click = pressedInside_ && !doubleClickPress_ && lbl_->rect().contains(p.toPoint());
        if (m->buttons() == Qt::NoButton)
            pressedInside_ = false;
        if (click && m->buttons() == Qt::NoButton)
            emit Click();
        return true;
    }
    default:
        return false;
    }
}

void xpcmdbutton::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(keyCode(event->key()), shiftCode(event->modifiers()));
    if (const qint16 ascii = keyAscii(event->text()))
        emit KeyPress(ascii);
}

void xpcmdbutton::keyReleaseEvent(QKeyEvent* event) {
    emit KeyUp(keyCode(event->key()), shiftCode(event->modifiers()));
}

void xpcmdbutton::Timer1_Timer() {
    if (!pointerOutside(*this))
        return;
    timer1_.stop();
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
