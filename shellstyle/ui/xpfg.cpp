// The main window's controls and handlers.
#include "shellstyle/ui/xpfg.h"

#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

#include "shellstyle/core/error_report.h"
#include "shellstyle/core/icon_walks.h"
#include "shellstyle/core/open_dialog.h"
#include "shellstyle/core/restart_question.h"
#include "shellstyle/ui/frmmsg.h"
#include "shellstyle/ui/icon_preview.h"
#include "shellstyle/ui/placement.h"
#include "shellstyle/ui/twips.h"
#include "skin/core/ole_colour.h"
#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcheckbox/xpcheckbox.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"
#include "skin/xptopbuttons/xptopbuttons.h"

namespace shellstyle::ui {
namespace {

// The form: 4455 x 5175 twips, covered by its frame.
constexpr int kFormWidth = 4455, kFormHeight = 5175;
constexpr int kButtonHeight = 375;
// The face colour the check boxes are given on load.
constexpr skin::OleColour kBoxBack = skin::oleRgb(236, 233, 216);

struct ButtonRow {
    skin::xpcmdbutton* xpfg::*member;
    const char* name;
    const char* caption;
    int left, top, width;
};
constexpr ButtonRow kButtons[] = {
    {&xpfg::OpenFile, "OpenFile", "打开图标文件", 120, 480, 1335},
    {&xpfg::About, "About", "软件作者信息", 120, 960, 1335},
    {&xpfg::Change, "Change", "替换指定图标", 120, 1440, 1335},
    {&xpfg::restore, "restore", "恢复全部图标", 1560, 1440, 1335},
    {&xpfg::WinXp, "WinXp", "XP界面风格", 3000, 1440, 1215},
};

struct LabelRow {
    QLabel* xpfg::*member;
    const char* name;
    const char* caption;
    int left, top;
};
constexpr LabelRow kLabels[] = {
    {&xpfg::Label1, "Label1", "当前的图标序号：", 1800, 600},
    {&xpfg::Label3, "Label3", "", 3240, 600},
    {&xpfg::Label2, "Label2", "文件中图标总数：", 1800, 960},
    {&xpfg::Label4, "Label4", "", 3240, 960},
    {&xpfg::Label5, "Label5", ")开始菜单(", 1800, 3720},
};

// The two lines around the Start-menu heading, at height 3840.
struct LineRow {
    int x1, x2;
};
constexpr LineRow kLines[] = {{120, 1680}, {2760, 4200}};
constexpr int kLineY = 3840;

void fitLabel(QLabel* label) { label->adjustSize(); }

// Left and Right step a horizontal scroll bar the way they point. Qt's scroll bar
// inverts its controls for the wheel, and its arrow keys with them.
class ArrowKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* bar = qobject_cast<QScrollBar*>(watched);
        if (!bar || event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Left && key != Qt::Key_Right) return false;
        bar->triggerAction(key == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                               : QAbstractSlider::SliderSingleStepAdd);
        return true;
    }
};

}  // namespace

xpfg::xpfg(Seams& seams, QWidget* splash, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), seams_(seams) {
    setObjectName(QStringLiteral("xpfg"));
    setWindowTitle(QStringLiteral("shellstyle"));
    QFont formFont(QStringLiteral("宋体"), 9);
    setFont(formFont);
    const QImage icon(QStringLiteral(":/shellstyle/shellstyle.png"));
    if (!icon.isNull()) setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    setFixedSize(px(kFormWidth), px(kFormHeight));
    buildControls();
    centreOnScreen(this);
    Form_Load(splash);
}

xpfg::~xpfg() {
    if (message_) delete message_.data();
}

void xpfg::buildControls() {
    const QFont formFont = font();
    auto ambient = [&](const char* name) { return skin::Ambient{QString::fromLatin1(name), formFont}; };

    frame_ = new skin::xp_canvas(this);
    frame_->setObjectName(QStringLiteral("xpfg"));
    frame_->InitProperties(ambient("xpfg"));
    frame_->setGeometry(twipsRect(0, 0, kFormWidth, kFormHeight));
    frame_->setCaption(QStringLiteral("shellstyle"));
    // The controls sit at fixed places, so the window keeps its size: no sizing
    // cursors on the borders and no maximise on a title double click.
    frame_->setFixed_Single(true);
    const QImage icon(QStringLiteral(":/shellstyle/shellstyle.png"));
    if (!icon.isNull()) frame_->setIcon(icon);

    for (const ButtonRow& row : kButtons) {
        auto* b = new skin::xpcmdbutton(frame_);
        b->setObjectName(QString::fromLatin1(row.name));
        b->InitProperties(ambient(row.name));
        b->setCaption(QString::fromUtf8(row.caption));
        b->setGeometry(twipsRect(row.left, row.top, row.width, kButtonHeight));
        this->*row.member = b;
    }
    for (const LabelRow& row : kLabels) {
        auto* l = new QLabel(QString::fromUtf8(row.caption), frame_);
        l->setObjectName(QString::fromLatin1(row.name));
        l->move(px(row.left), px(row.top));
        fitLabel(l);
        this->*row.member = l;
    }
    for (std::size_t i = 0; i < Line1.size(); ++i) {
        auto* line = new QWidget(frame_);
        line->setObjectName(QStringLiteral("Line1(%1)").arg(i));
        line->setAutoFillBackground(true);
        QPalette pal = line->palette();
        pal.setColor(QPalette::Window, QColor(128, 128, 128));
        line->setPalette(pal);
        line->setGeometry(px(kLines[i].x1), px(kLineY), px(kLines[i].x2 - kLines[i].x1), 1);
        Line1[i] = line;
    }

    Pic = new IconPreview(frame_);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->setGeometry(twipsRect(3675, 480, 540, 540));
    Pic->setAccessibleName(QString::fromUtf8("图标预览"));

    HS = new QScrollBar(Qt::Horizontal, frame_);
    HS->setObjectName(QStringLiteral("HS"));
    HS->setGeometry(twipsRect(3675, 1005, 540, 255));
    HS->setRange(0, 0);
    HS->setAccessibleName(QString::fromUtf8("图标序号"));
    // The number labels are read with their headings.
    Label1->setBuddy(Label3);
    Label2->setBuddy(Label4);
    connect(HS, &QScrollBar::valueChanged, this, &xpfg::HS_Change);
    // Reached by Tab, stepped by the arrows and Page Up/Down; a click leaves the focus.
    HS->setFocusPolicy(Qt::TabFocus);
    HS->installEventFilter(new ArrowKeys(HS));

    const auto boxes = iconBoxes();
    for (int i = 0; i < kIconBoxCount; ++i) {
        const IconBox& row = boxes[static_cast<std::size_t>(i)];
        const QByteArray name(row.name.data(), static_cast<qsizetype>(row.name.size()));
        auto* c = new skin::xpcheckbox(frame_);
        c->setObjectName(QString::fromLatin1(name));
        c->InitProperties(skin::Ambient{QString::fromLatin1(name), formFont});
        c->setCaption(QString::fromUtf8(row.caption.data(), static_cast<qsizetype>(row.caption.size())));
        c->setGeometry(twipsRect(row.left, row.top, row.width, kIconBoxHeight));
        c->setValue(0);
        boxes_[static_cast<std::size_t>(i)] = c;
    }

    // The caption button sits over the right end of the title bar.
    xptopbuttons1 = new skin::xptopbuttons(frame_);
    xptopbuttons1->setObjectName(QStringLiteral("xptopbuttons1"));
    xptopbuttons1->InitProperties(ambient("xptopbuttons1"));
    xptopbuttons1->setGeometry(twipsRect(4080, 60, 315, 315));
    xptopbuttons1->raise();

    // Tab goes in reading order: row by row, left to right.
    QWidget* previous = OpenFile;
    for (QWidget* next : {static_cast<QWidget*>(About), static_cast<QWidget*>(HS), static_cast<QWidget*>(Change),
                          static_cast<QWidget*>(restore), static_cast<QWidget*>(WinXp)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (skin::xpcheckbox* c : boxes_) {
        setTabOrder(previous, c);
        previous = c;
    }

    connect(OpenFile, &skin::xpcmdbutton::Click, this, &xpfg::OpenFile_Click);
    connect(About, &skin::xpcmdbutton::Click, this, &xpfg::About_Click);
    connect(Change, &skin::xpcmdbutton::Click, this, &xpfg::Change_Click);
    connect(restore, &skin::xpcmdbutton::Click, this, &xpfg::restore_Click);
    connect(WinXp, &skin::xpcmdbutton::Click, this, &xpfg::WinXp_Click);
    connect(xptopbuttons1, &skin::xptopbuttons::Click, this, &xpfg::xptopbuttons1_Click);
}

frmmsg* xpfg::messageWindow() const { return message_.data(); }

skin::xpcheckbox* xpfg::box(std::string_view name) const {
    const int i = iconBoxIndex(name);
    return i < 0 ? nullptr : box(i);
}

void xpfg::Form_Load(QWidget* splash) {
    frame_->resize(size());
    frame_->make_trans(this);
    for (skin::xpcheckbox* c : boxes_) c->setBackColor(kBoxBack);
    Label3->setText(browser_.indexText());
    Label4->setText(browser_.countText());
    fitLabel(Label3);
    fitLabel(Label4);
    HS->setEnabled(false);
    if (!splash) return;
    reportErrors(seams_.boxes, [&] {
        // The splash is owned by this window, so it stays in front of it.
        winId();
        splash->winId();
        QWindow* own = windowHandle();
        QWindow* splashWindow = splash->windowHandle();
        if (!own || !splashWindow) throw RunError("无法设置启动画面的所有者窗口", 5);
        splashWindow->setTransientParent(own);
    });
}

void xpfg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    // Run after the activation has been delivered; one wait at a time.
    QTimer::singleShot(0, this, [this] {
        if (waiting_ || unloaded_) return;
        Form_Activate();
    });
}

void xpfg::Form_Activate() {
    ++activations_;
    waiting_ = true;
    reportErrors(seams_.boxes, [this] {
        if (seams_.wait) seams_.wait();
    });
    waiting_ = false;
}

void xpfg::OpenFile_Click() {
    const QString file = seams_.dialogs.openFile(QString::fromUtf8(kOpenTitle),
                                                 nameFiltersFrom(QString::fromUtf8(kOpenFilter)), QString());
    Pic->Cls();
    browser_.opened(file, file.isEmpty() ? 0 : seams_.icons.count(file));
    Label4->setText(browser_.countText());
    fitLabel(Label4);
    HS->setEnabled(browser_.scrollEnabled());
    if (browser_.iconCount() > 0) Pic->drawIcon(seams_.icons.picture(browser_.iconFile(), 0));
    {
        const QSignalBlocker quiet(HS);
        HS->setRange(0, browser_.scrollMax());
        HS->setValue(0);
    }
    Label3->setText(QString::number(HS->value()));
    fitLabel(Label3);
}

void xpfg::HS_Change(int value) {
    if (!browser_.moved(value)) return;
    Pic->Cls();
    const QImage icon = seams_.icons.picture(browser_.iconFile(), browser_.iconIndex());
    Label3->setText(QString::number(value));
    fitLabel(Label3);
    Pic->drawIcon(icon);
}

void xpfg::Change_Click() {
    const WalkOutcome outcome = replaceIcons(
        seams_.registry, [this](int i) { return box(i)->Value() == 1; }, browser_.iconFile(), Label3->text());
    const QString title = QString::fromLatin1(kAppTitle);
    if (outcome == WalkOutcome::Written && afterIconWalk) afterIconWalk();
    if (outcome == WalkOutcome::NoFile) {
        seams_.boxes.show(QString::fromUtf8(kNoFileMessage), title, platform::MsgButtons::Ok,
                          platform::MsgIcon::None);
        OpenFile->setFocus();
    } else if (outcome == WalkOutcome::UnstorablePath) {
        seams_.boxes.show(QString::fromUtf8(kUnstorablePathMessage), title, platform::MsgButtons::Ok,
                          platform::MsgIcon::Exclamation);
    }
    tellIfNotKept(outcome);
}

void xpfg::About_Click() {
    if (!message_) message_ = new frmmsg(seams_, frame_);
    message_->show();
    message_->raise();
    message_->activateWindow();
    message_->showInformation();
}

void xpfg::WinXp_Click() {
    const WalkOutcome outcome = applyXpPreset(seams_.registry, seams_.programFolder);
    if (outcome == WalkOutcome::Written && afterIconWalk) afterIconWalk();
    if (outcome == WalkOutcome::UnstorablePath)
        seams_.boxes.show(QString::fromUtf8(kUnstorablePathMessage), QString::fromLatin1(kAppTitle),
                          platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
    tellIfNotKept(outcome);
}

void xpfg::restore_Click() {
    const WalkOutcome outcome = restoreAllIcons(seams_.registry);
    if (outcome == WalkOutcome::Written && afterIconWalk) afterIconWalk();
    tellIfNotKept(outcome);
}

void xpfg::tellIfNotKept(WalkOutcome outcome) {
    if (outcome == WalkOutcome::NotKept)
        seams_.boxes.show(QString::fromUtf8(kNotKeptMessage), QString::fromLatin1(kAppTitle),
                          platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

void xpfg::xptopbuttons1_Click() {
    close();
    if (seams_.end) seams_.end();
}

void xpfg::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    event->accept();
    if (seams_.end) seams_.end();
}

void xpfg::Form_Unload() {
    if (message_) message_->close();
    askRestart(seams_.boxes, seams_.restart);
}

}  // namespace shellstyle::ui
