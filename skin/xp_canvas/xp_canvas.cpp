// The kit's window frame: title bar, borders and grips painted around a frameless host.
#include "skin/xp_canvas/xp_canvas.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "skin/core/input_codes.h"
#include "skin/core/ole_colour.h"
#include "skin/core/slices.h"
#include "skin/pointer.h"
#include "skin/skin_accessible.h"
#include "skin/skin_bitmaps.h"
#include "skin/trans_colour/trans_colour.h"
#include "skin/xp_canvas/frame_parts.h"

namespace skin {

namespace {

constexpr QRgb kFrameBack = 0xFFECE9D8;  // RGB 236, 233, 216
constexpr int kTitleHeight = 29;
constexpr int kBorder = 5;
constexpr int kGrip = 9;
constexpr QPoint kCaptionPos{26, 6};
constexpr QPoint kShadowPos{28, 8};  // 2 pixels right of and below the caption
// Room above the caption text: fallback fonts for Chinese draw above the caption
// font's ascent. The labels start this much higher, so the text keeps its place.
constexpr int kCaptionHeadroom = 2;
constexpr QPoint kHeadroom{0, kCaptionHeadroom};

// One look's five pieces, in holder order top, top-max, left, right, bottom.
struct LookSet {
    const char* top;
    const char* topMax;
    const char* left;
    const char* right;
    const char* bottom;
};
// Indexed by Look.
constexpr LookSet kLookSets[] = {
    {bitmap::kTopActive, bitmap::kTopMaxActive, bitmap::kLeftActive, bitmap::kRightActive, bitmap::kBottomActive},
    {bitmap::kTopInactive, bitmap::kTopMaxInactive, bitmap::kLeftInactive, bitmap::kRightInactive,
     bitmap::kBottomInactive},
};

Qt::CursorShape cursorShape(FrameCursor c) {
    switch (c) {
    case FrameCursor::SizeWestEast:
        return Qt::SizeHorCursor;
    case FrameCursor::SizeNorthSouth:
        return Qt::SizeVerCursor;
    case FrameCursor::SizeNwSe:
        return Qt::SizeFDiagCursor;
    case FrameCursor::SizeNeSw:
        return Qt::SizeBDiagCursor;
    case FrameCursor::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

// A piece replaces its holder only when the bitmap is there.
void hold(QImage& holder, const char* name) {
    const QImage img = skinBitmap(QString::fromLatin1(name));
    if (!img.isNull())
        holder = img.convertToFormat(QImage::Format_RGB32);
}

// The bar's image after painting `piece` stretched over all of it.
QImage stretched(const QImage& previous, QSize bar, const QImage& piece) {
    QImage out(bar, QImage::Format_RGB32);
    out.fill(kFrameBack);
    QPainter p(&out);
    if (!previous.isNull())
        p.drawImage(0, 0, previous);
    if (!piece.isNull())
        p.drawImage(QRect(QPoint(0, 0), bar), piece);
    return out;
}

}  // namespace

xp_canvas::xp_canvas(QWidget* parent) : QWidget(parent) {
    installSkinAccessibility();
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(kFrameBack));
    setPalette(pal);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);

    picleft_ = new FrameBar(this);
    picright_ = new FrameBar(this);
    pictop_ = new FrameBar(this);
    picbottom_ = new FrameBar(this);
    imgicon_ = new FrameIcon(pictop_);
    imgicon_->setGeometry(6, 8, 16, 16);
    lblshadow_ = new QLabel(pictop_);
    lblcaption_ = new QLabel(pictop_);
    QFont captionFont(QStringLiteral("Trebuchet MS"));
    captionFont.setBold(true);
    captionFont.setPointSizeF(9.75);
    for (QLabel* l : {lblshadow_, lblcaption_}) {
        l->setFont(captionFont);
        l->setAttribute(Qt::WA_TranslucentBackground);
        l->setAutoFillBackground(false);
        l->setTextFormat(Qt::PlainText);
        l->setContentsMargins(0, kCaptionHeadroom, 0, 0);
    }
    QPalette shadowPal = lblshadow_->palette();
    shadowPal.setColor(QPalette::WindowText, toQColor(kSystemWindowText));
    lblshadow_->setPalette(shadowPal);
    QPalette captionPal = lblcaption_->palette();
    captionPal.setColor(QPalette::WindowText, Qt::white);
    lblcaption_->setPalette(captionPal);
    lblshadow_->move(kShadowPos - kHeadroom);
    lblcaption_->move(kCaptionPos - kHeadroom);

    grips_[int(Edge::Top)] = new FrameGrip(Edge::Top, pictop_);
    grips_[int(Edge::TopRight)] = new FrameGrip(Edge::TopRight, pictop_);
    grips_[int(Edge::TopLeft)] = new FrameGrip(Edge::TopLeft, pictop_);
    grips_[int(Edge::BottomRight)] = new FrameGrip(Edge::BottomRight, picbottom_);
    grips_[int(Edge::BottomLeft)] = new FrameGrip(Edge::BottomLeft, picbottom_);
    grips_[int(Edge::Top)]->setGeometry(kGrip, 0, 0, kGrip);
    for (Edge e : {Edge::TopRight, Edge::TopLeft, Edge::BottomRight, Edge::BottomLeft})
        grips_[int(e)]->setGeometry(0, 0, kGrip, kGrip);

    for (QWidget* w : std::initializer_list<QWidget*>{picleft_, picright_, pictop_, picbottom_, imgicon_,
                                                      lblshadow_, lblcaption_})
        w->installEventFilter(this);
    for (FrameGrip* g : grips_)
        if (g)
            g->installEventFilter(this);
    for (QWidget* bar : std::initializer_list<QWidget*>{picleft_, picright_, pictop_, picbottom_})
        bar->setFocusPolicy(Qt::ClickFocus);

    icon_ = skinBitmap(QString::fromLatin1(bitmap::kDefaultIcon));
    imgicon_->image = icon_;

    timer1_.setInterval(10);
    timer2_.setInterval(10);
    connect(&timer1_, &QTimer::timeout, this, &xp_canvas::Timer1_Timer);
    connect(&timer2_, &QTimer::timeout, this, &xp_canvas::Timer2_Timer);
    connect(qApp, &QApplication::focusChanged, this, &xp_canvas::focusChanged);

    resize(410, 332);  // 6150 x 4980 twips
    set_look(Look::Active);
    UserControl_Resize();
    timer1_.start();
    timer2_.start();
}

xp_canvas::~xp_canvas() = default;

QWidget* xp_canvas::pictop() const { return pictop_; }
QWidget* xp_canvas::picbottom() const { return picbottom_; }
QWidget* xp_canvas::picleft() const { return picleft_; }
QWidget* xp_canvas::picright() const { return picright_; }
QWidget* xp_canvas::imgicon() const { return imgicon_; }

QWidget* xp_canvas::grip(Edge edge) const {
    switch (edge) {
    case Edge::Left:
        return picleft_;
    case Edge::Right:
        return picright_;
    case Edge::Bottom:
        return picbottom_;
    default:
        return grips_[size_t(edge)];
    }
}

QImage xp_canvas::barImage(QWidget* bar) const {
    for (FrameBar* b : {picleft_, picright_, pictop_, picbottom_})
        if (b == bar)
            return b->image;
    return {};
}

QWidget* xp_canvas::host() const {
    QWidget* w = window();
    return w == this ? nullptr : w;
}

HostState xp_canvas::hostState() const {
    const QWidget* h = host();
    if (!h)
        return HostState::Normal;
    if (h->windowState() & Qt::WindowMinimized)
        return HostState::Minimised;
    if (h->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return HostState::Maximised;
    return HostState::Normal;
}

QString xp_canvas::Caption() const {
    return lblcaption_->text();
}

void xp_canvas::setCaption(const QString& caption) {
    lblcaption_->setText(caption);
    lblshadow_->setText(caption);
    lblcaption_->adjustSize();
    lblshadow_->adjustSize();
    if (QWidget* h = host())
        h->setWindowTitle(caption);
    UserControl_Resize();
}

void xp_canvas::setIcon(const QImage& icon) {
    icon_ = icon;
    iconIsDefault_ = false;
    imgicon_->image = icon;
    imgicon_->update();
}

void xp_canvas::setFixed_Single(bool fixed) {
    fixedSingle_ = fixed;
    UserControl_Resize();
}

void xp_canvas::set_look(Look look) {
    const LookSet& set = kLookSets[int(look)];
    hold(imgtop_, set.top);
    hold(imgtopmax_, set.topMax);
    hold(imgleft_, set.left);
    hold(imgright_, set.right);
    hold(imgbottom_, set.bottom);
    activeLook_ = look == Look::Active;
}

void xp_canvas::UserControl_Resize() {
    const int w = width();
    const int h = height();
    const int sideHeight = qMax(0, h - kTitleHeight - kBorder);
    pictop_->setGeometry(0, 0, w, kTitleHeight);
    picbottom_->setGeometry(0, h - kBorder, w, kBorder);
    picleft_->setGeometry(0, kTitleHeight, kBorder, sideHeight);
    picright_->setGeometry(w - kBorder, kTitleHeight, kBorder, sideHeight);
    if (QWidget* hw = host()) {
        // The host's own resize relays the frame out; a state change alone does too.
        hw->removeEventFilter(this);
        hw->installEventFilter(this);
    }
    paintBars();
    lblcaption_->move(kCaptionPos - kHeadroom);
    lblshadow_->move(kShadowPos - kHeadroom);
    placeGrips();
    applyCursors();
    emit Resize();
}

void xp_canvas::paintBars() {
    picleft_->image = stretched(picleft_->image, picleft_->size(), imgleft_);
    picright_->image = stretched(picright_->image, picright_->size(), imgright_);
    const HostState state = hostState();
    if (state != HostState::Minimised) {
        const QImage& strip = state == HostState::Maximised ? imgtopmax_ : imgtop_;
        QImage bar = stretched(pictop_->image, pictop_->size(), QImage());
        if (!strip.isNull() && !bar.isNull()) {
            QPainter p(&bar);
            for (const SlicePiece& piece : threeSlice(strip.size(), bar.size()))
                p.drawImage(piece.dst, strip, piece.src);
        }
        pictop_->image = bar;
    }
    picbottom_->image = stretched(picbottom_->image, picbottom_->size(), imgbottom_);
    for (FrameBar* b : {picleft_, picright_, pictop_, picbottom_})
        b->update();
}

void xp_canvas::placeGrips() {
    if (QWidget* hw = host())
        grips_[int(Edge::TopRight)]->move(hw->width() - kGrip, 0);
    grips_[int(Edge::BottomRight)]->move(picbottom_->width() - kGrip, picbottom_->height() - kGrip);
    // A title bar narrower than both corners keeps the top grip as it was.
    const int topWidth = pictop_->width() - 2 * kGrip;
    if (topWidth >= 0)
        grips_[int(Edge::Top)]->setGeometry(kGrip, 0, topWidth, kGrip);
}

void xp_canvas::applyCursors() {
    const HostState state = hostState();
    for (int code = 0; code < kEdgeCount; ++code) {
        const auto cursor = handleCursor(Edge(code), fixedSingle_, state);
        if (cursor)
            grip(Edge(code))->setCursor(cursorShape(*cursor));
    }
}

void xp_canvas::SetFocus() {
    timer1_.stop();
    timer2_.stop();
    set_look(Look::Active);
    UserControl_Resize();
}

bool xp_canvas::hostIsActive() const {
    const QWidget* h = host();
    return h && QApplication::activeWindow() == h;
}

void xp_canvas::Timer1_Timer() {
    if (!hostIsActive()) {
        set_look(Look::Inactive);
        UserControl_Resize();
        timer1_.stop();
    }
}

void xp_canvas::Timer2_Timer() {
    if (hostIsActive()) {
        set_look(Look::Active);
        UserControl_Resize();
        timer2_.stop();
    }
}

bool xp_canvas::ownsWidget(const QWidget* widget) const {
    if (!widget)
        return false;
    for (const QWidget* own : {static_cast<const QWidget*>(this), static_cast<const QWidget*>(picleft_),
                               static_cast<const QWidget*>(picright_), static_cast<const QWidget*>(pictop_),
                               static_cast<const QWidget*>(picbottom_), static_cast<const QWidget*>(imgicon_),
                               static_cast<const QWidget*>(lblcaption_), static_cast<const QWidget*>(lblshadow_)})
        if (widget == own)
            return true;
    for (const FrameGrip* g : grips_)
        if (g && widget == g)
            return true;
    return false;
}

void xp_canvas::focusChanged(QWidget* old, QWidget* now) {
    const bool wasIn = ownsWidget(old);
    const bool isIn = ownsWidget(now);
    if (isIn && !wasIn) {
        // EnterFocus
        timer1_.stop();
        set_look(Look::Active);
        UserControl_Resize();
    }
    if (now == this && old != this) {
        // GotFocus
        timer1_.stop();
        timer2_.stop();
        set_look(Look::Active);
        UserControl_Resize();
    }
    if (wasIn && !isIn) {
        // ExitFocus
        timer1_.start();
        timer2_.start();
    }
}

void xp_canvas::startHostMove(QWidget* hw) {
    if (QWindow* win = hw->windowHandle())
        win->startSystemMove();
}

void xp_canvas::titlePress() {
    QWidget* hw = host();
    if (hw && hostState() == HostState::Normal)
        startHostMove(hw);
}

void xp_canvas::titleDoubleClick() {
    QWidget* hw = host();
    if (fixedSingle_ || !hw)
        return;
    if (hostState() == HostState::Normal)
        hw->setWindowState((hw->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    else
        hw->setWindowState(hw->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

void xp_canvas::gripPressed(Edge) {
    if (!fixedSingle_)
        press_point_ = pointerPos();
}

void xp_canvas::gripReleased(Edge edge) {
    if (fixedSingle_)
        return;
    release_point_ = pointerPos();
    resize_host(edge, press_point_, release_point_);
}

void xp_canvas::resize_host(Edge edge, QPoint pressPoint, QPoint releasePoint) {
    QWidget* hw = host();
    if (!hw || hostState() != HostState::Normal)
        return;
    const auto geometry = resizedGeometry(hw->geometry(), edge, pressPoint, releasePoint);
    if (geometry)
        hw->setGeometry(*geometry);
}

bool xp_canvas::eventFilter(QObject* watched, QEvent* event) {
    if (watched == host()) {
        if (event->type() == QEvent::WindowStateChange)
            UserControl_Resize();
        return false;
    }
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
    if (!mouse)
        return false;
    if (watched == pictop_ || watched == lblcaption_) {
        if (type == QEvent::MouseButtonPress)
            titlePress();
        else if (type == QEvent::MouseButtonDblClick)
            titleDoubleClick();
        return true;
    }
    if (watched == imgicon_ || watched == lblshadow_)
        return true;
    for (int code = 0; code < kEdgeCount; ++code) {
        if (watched != grip(Edge(code)))
            continue;
        if (type == QEvent::MouseButtonPress)
            gripPressed(Edge(code));
        else if (type == QEvent::MouseButtonRelease) {
            // The handle holds the mouse from press to release.
            if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
                gripReleased(Edge(code));
        }
        return true;
    }
    return false;
}

void xp_canvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

namespace {

// Events that reach the frame from one of its children belong to that child.
bool onSurface(const QWidget* frame, const QMouseEvent* event) {
    return frame->childAt(event->position().toPoint()) == nullptr;
}

}  // namespace

void xp_canvas::mousePressEvent(QMouseEvent* event) {
    if (!onSurface(this, event))
        return event->ignore();
    mouseOnSurface_ = true;
    doubleClickPress_ = false;
    const QPointF p = event->position();
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
}

void xp_canvas::mouseReleaseEvent(QMouseEvent* event) {
    if (!mouseOnSurface_)
        return event->ignore();
    const bool click = !doubleClickPress_ && rect().contains(event->position().toPoint());
    if (event->buttons() == Qt::NoButton)
        mouseOnSurface_ = false;
    const QPointF p = event->position();
    emit MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
    if (click && event->buttons() == Qt::NoButton)
        emit Click();
}

void xp_canvas::mouseMoveEvent(QMouseEvent* event) {
    if (!mouseOnSurface_ && !onSurface(this, event))
        return event->ignore();
    const QPointF p = event->position();
    emit MouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), float(p.x()), float(p.y()));
}

void xp_canvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!onSurface(this, event))
        return event->ignore();
    // The second press of a double click raises DblClick instead of MouseDown and Click.
    mouseOnSurface_ = true;
    doubleClickPress_ = true;
    emit DblClick();
}

void xp_canvas::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(keyCode(event->key()), shiftCode(event->modifiers()));
    if (const qint16 ascii = keyAscii(event->text()))
        emit KeyPress(ascii);
}

void xp_canvas::keyReleaseEvent(QKeyEvent* event) {
    emit KeyUp(keyCode(event->key()), shiftCode(event->modifiers()));
}

void xp_canvas::make_trans(QWidget* hw) {
    if (!hw)
        return;
    if (pictop_->width() != width())
        UserControl_Resize();  // a hidden frame gets its resize event only when shown
    QImage surface(hw->size(), QImage::Format_RGB32);
    surface.fill(hw->palette().color(QPalette::Window));
    const bool normal = !(hw->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (normal && !imgtop_.isNull() && !surface.isNull()) {
        const int s = imgtop_.width();
        const int barWidth = pictop_->width();
        const int barHeight = pictop_->height();
        QPainter p(&surface);
        p.drawImage(QRect(0, 0, kCapWidth, barHeight), imgtop_, QRect(0, 0, kCapWidth, imgtop_.height()));
        p.drawImage(QRect(barWidth - kCapWidth, 0, kCapWidth, barHeight), imgtop_,
                    QRect(s - kCapWidth, 0, kCapWidth, imgtop_.height()));
    }
    hostSurface_ = surface;
    // Where the window's mask only bounds its input (a Wayland compositor), the cut
    // pixels must be drawn transparent as well: an alpha channel for a host window
    // not yet made, and this frame, which paints the host's whole face, clipped to
    // the same shape. Opaque everywhere else, so an X server shows what it did.
    if (hw->isWindow() && !hw->testAttribute(Qt::WA_WState_Created))
        hw->setAttribute(Qt::WA_TranslucentBackground);
    shape_by_colour(hw, surface, kKeyColour);
    if (hw == window())
        setMask(hw->mask().translated(-mapTo(hw, QPoint(0, 0))));
}

void xp_canvas::InitProperties(const Ambient& ambient) {
    setCaption(ambient.displayName);
    setFixed_Single(false);
    setIcon(skinBitmap(QString::fromLatin1(bitmap::kDefaultIcon)));
    iconIsDefault_ = true;
}

void xp_canvas::ReadProperties(const PropertyBag& bag, const Ambient& ambient) {
    setCaption(bag.ReadProperty(QStringLiteral("Caption"), ambient.displayName).toString());
    const QVariant icon = bag.ReadProperty(QStringLiteral("Icon"));
    const QImage stored = icon.value<QImage>();
    if (!stored.isNull()) {
        setIcon(stored);
    } else {
        setIcon(skinBitmap(QString::fromLatin1(bitmap::kDefaultIcon)));
        iconIsDefault_ = true;
    }
    setFixed_Single(bag.ReadProperty(QStringLiteral("Fixed_Single"), false).toBool());
}

void xp_canvas::WriteProperties(PropertyBag& bag, const Ambient& ambient) const {
    bag.WriteProperty(QStringLiteral("Caption"), Caption(), ambient.displayName);
    bag.WriteProperty(QStringLiteral("Icon"), iconIsDefault_ ? QVariant() : QVariant(icon_));
    bag.WriteProperty(QStringLiteral("Fixed_Single"), fixedSingle_, false);
}

}  // namespace skin
