// Clock window: controls placed at their design positions, clicks forwarded to ClockForm.
#include "timekeeper/ui/frm_clock.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>

#include "platform/ui/fixed_window.h"
#include "platform/ui/fonts.h"
#include "platform/ui/return_key.h"

namespace timekeeper::ui {
namespace {

#include "timekeeper/ui/timekeeper.xpm"

// Design lengths are in twips, 15 to the pixel.
constexpr int px(int twips) { return twips / 15; }
QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

// The design client width, and what a fixed-single window's title bar and border take
// of its outer height, in pixels.
constexpr int kClientWidthTwips = 4350;
constexpr int kNonClientPx = 22;

// A frame drawn as a thin rounded line in the palette's mid colour, its caption (if
// any) on the line near the left, so that controls at their design places sit below
// the caption.
class Frame final : public QGroupBox {
public:
    Frame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QFontMetrics fm(font());
        const bool captioned = !title().isEmpty();
        const int lineTop = captioned ? kCaptionedLineTop : 0;
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, lineTop + 0.5, -0.5, -0.5), 2, 2);
        if (!captioned) return;
        const QRect caption(6, 0, fm.horizontalAdvance(title()) + 4, fm.height());
        p.fillRect(caption, palette().color(backgroundRole()));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(caption, Qt::AlignCenter, title());
    }

private:
    static constexpr int kCaptionedLineTop = 7;
};

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(rect);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(rect);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QTextEdit* richTextBox(QWidget* parent, const char* name, QRect rect) {
    auto* box = new QTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(rect);
    box->setAcceptRichText(false);
    box->setTabChangesFocus(true);
    box->setLineWrapMode(QTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->document()->setDocumentMargin(1);
    return box;
}

void setBoxText(QTextEdit* box, const QString& text) {
    if (box->toPlainText() == text) return;
    QSignalBlocker block(box);
    box->setPlainText(text);
}

}  // namespace

template <typename Handler>
void FrmClock::run(Handler handler) {
    handler();
    present();
}

int FrmClock::clientHeight(int outerTwips) { return px(outerTwips) - kNonClientPx; }

FrmClock::FrmClock(platform::Clock& clock, platform::MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      clock_(clock),
      form_(clock, boxes, [this] { present(); }) {
    setObjectName(QStringLiteral("frmClock"));
    setWindowTitle(kTitle);
    // From the array compiled in: an image file read would load every image-format plugin first.
    setWindowIcon(QIcon(QPixmap(timekeeper_xpm)));

    // The form's font is "宋体" 9 pt, the time's 12 pt. Set as fonts, not through a
    // style sheet: one makes every control's polish, at each start, go the slow way.
    QFont formFont = platform::ui::songFont(9);
    setFont(formFont);


    frame1_ = new Frame({}, this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(twipsRect(0, 0, 4335, 1455));

    lblShowTime_ = label(frame1_, "lblShowTime", {}, twipsRect(120, 120, 4095, 735));
    QFont timeFont = formFont;
    timeFont.setPointSize(12);
    lblShowTime_->setFont(timeFont);
    lblShowTime_->setAutoFillBackground(true);
    QPalette timePalette = lblShowTime_->palette();
    // Light text on a dark field: the system's window-text and highlight-text colours.
    timePalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::WindowText));
    timePalette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::HighlightedText));
    lblShowTime_->setPalette(timePalette);

    lblShowDate_ = label(frame1_, "lblShowDate", {}, twipsRect(840, 480, 2295, 375));
    QPalette datePalette = lblShowDate_->palette();
    datePalette.setColor(QPalette::WindowText, Qt::white);
    lblShowDate_->setPalette(datePalette);
    lblShowDate_->raise();

    cmdStart_ = button(frame1_, "cmdStart", kStart, twipsRect(120, 960, 615, 375));
    cmdCls_ = button(frame1_, "cmdCls", QStringLiteral("清零"), twipsRect(840, 960, 615, 375));
    cmdTime_ = button(frame1_, "cmdTime", kOffersStopwatch, twipsRect(1560, 960, 615, 375));
    cmdDate_ = button(frame1_, "cmdDate", QStringLiteral("日期"), twipsRect(2280, 960, 615, 375));
    cmdAlarm_ = button(frame1_, "cmdAlarm", QStringLiteral("闹钟"), twipsRect(3000, 960, 615, 375));
    cmdClose_ = button(frame1_, "cmdClose", QStringLiteral("关闭"), twipsRect(3720, 960, 495, 375));

    frame2_ = new Frame(QStringLiteral("设置闹钟"), this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    frame2_->setGeometry(twipsRect(0, 1560, 4335, 1095));

    chkAlarm_ = new QCheckBox(QStringLiteral("闹钟无效"), frame2_);
    chkAlarm_->setObjectName(QStringLiteral("chkAlarm"));
    // The design box is 12 px high; it grows downwards to keep its text whole.
    QRect chkRect = twipsRect(120, 240, 1215, 180);
    chkRect.setHeight(std::max(chkRect.height(), chkAlarm_->sizeHint().height()));
    chkAlarm_->setGeometry(chkRect);
    lblDate_ = label(frame2_, "lblDate", QStringLiteral("日期"), twipsRect(1440, 240, 975, 255));
    lblTime_ = label(frame2_, "lblTime", QStringLiteral("时间"), twipsRect(2520, 240, 855, 255));
    cmdOK_ = button(frame2_, "cmdOK", QStringLiteral("确定"), twipsRect(120, 600, 975, 375));
    rtbdate_ = richTextBox(frame2_, "rtbdate", twipsRect(1440, 600, 975, 375));
    rtbtime_ = richTextBox(frame2_, "rtbtime", twipsRect(2520, 600, 975, 375));
    // A screen reader names each box as the label beside it does, not by the frame.
    rtbdate_->setAccessibleName(lblDate_->text());
    rtbtime_->setAccessibleName(lblTime_->text());

    connect(cmdTime_, &QPushButton::clicked, this, [this] { run([this] { form_.switchMode(); }); });
    connect(cmdStart_, &QPushButton::clicked, this, [this] { run([this] { form_.startStop(); }); });
    connect(cmdCls_, &QPushButton::clicked, this, [this] { run([this] { form_.reset(); }); });
    connect(cmdDate_, &QPushButton::clicked, this, [this] { run([this] { form_.showDate(); }); });
    connect(cmdAlarm_, &QPushButton::clicked, this, [this] { run([this] { form_.openAlarmSettings(); }); });
    connect(cmdOK_, &QPushButton::clicked, this, [this] { run([this] { form_.acceptAlarmSettings(); }); });
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
    // Tab reads the alarm settings before their 确定: the boxes first.
    setTabOrder(chkAlarm_, rtbdate_);
    setTabOrder(rtbdate_, rtbtime_);
    setTabOrder(rtbtime_, cmdOK_);
    platform::ui::pressButtonsOnReturn(this);
    platform::ui::refuseMaximise(this);
    connect(chkAlarm_, &QCheckBox::toggled, this, [this](bool on) { form_.setAlarmOff(on); });
    connect(rtbdate_, &QTextEdit::textChanged, this, [this] { form_.setDateBox(rtbdate_->toPlainText()); });
    connect(rtbtime_, &QTextEdit::textChanged, this, [this] { form_.setTimeBox(rtbtime_->toPlainText()); });

    form_.load();
    present();

    timer1_.setSingleShot(true);
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, &FrmClock::onTimer1);
    timer1_.start(msToNextTick(clock_.now()));
}

void FrmClock::onTimer1() {
    // Re-armed first, so that a tick held up by the alarm message keeps the next on time.
    timer1_.start(msToNextTick(clock_.now()));
    run([this] { form_.tick(); });
}

void FrmClock::bringForward(const QByteArray& activationToken) {
    run([this] { form_.bringForward(); });
    // A compositor raises a window only with a token from the launcher; Qt's
    // Wayland plugin hands the one in the environment over with the next activation.
    if (!activationToken.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void FrmClock::present() {
    const ClockFormState& s = form_.state();
    cmdTime_->setText(s.timeCaption);
    cmdStart_->setText(s.startCaption);
    cmdStart_->setEnabled(s.startEnabled);
    cmdCls_->setEnabled(s.resetEnabled);
    lblShowTime_->setText(s.showTime);
    lblShowDate_->setText(s.showDate);
    {
        QSignalBlocker block(chkAlarm_);
        chkAlarm_->setChecked(s.alarmOff);
    }
    if (boxesFilled_ != s.boxesFilled) {
        boxesFilled_ = s.boxesFilled;
        setBoxText(rtbdate_, s.dateBox);
        setBoxText(rtbtime_, s.timeBox);
    }
    frame2_->setVisible(s.expanded);
    setFixedSize(px(kClientWidthTwips), clientHeight(s.heightTwips()));
    if (s.visible && isHidden()) {
        show();
        raise();
        activateWindow();
    } else if (!s.visible && !isHidden()) {
        hide();
    }
}

void FrmClock::closeEvent(QCloseEvent* event) {
    // The window also hides while an alarm waits, so the program ends here, not when
    // its last window goes.
    timer1_.stop();
    event->accept();
    QCoreApplication::quit();
}

}  // namespace timekeeper::ui
