// The author window's controls and handlers.
#include "shellstyle/ui/frmmsg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QShortcut>

#include "shellstyle/core/author_text.h"
#include "shellstyle/ui/placement.h"
#include "shellstyle/ui/twips.h"
#include "skin/skin_bitmaps.h"
#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"
#include "skin/xptopbuttons/xptopbuttons.h"

namespace shellstyle::ui {
namespace {

// Client area 3270 x 2520 twips.
constexpr int kFormWidth = 3270, kFormHeight = 2520;

}  // namespace

frmmsg::frmmsg(Seams& seams, skin::xp_canvas* mainFrame)
    : QWidget(mainFrame ? mainFrame->window() : nullptr, Qt::Window | Qt::FramelessWindowHint),
      seams_(seams),
      mainFrame_(mainFrame) {
    // Owned by the main window and modal to it: the compositor or window manager
    // keeps it in front, and the main window's input comes here while it is open.
    setWindowModality(Qt::WindowModal);
    setObjectName(QStringLiteral("frmmsg"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("版权信息"));
    setFont(QFont(QStringLiteral("宋体"), 9));
    setFixedSize(px(kFormWidth), px(kFormHeight));
    centreOnScreen(this);
    const QFont formFont = font();

    xp_canvas2 = new skin::xp_canvas(this);
    xp_canvas2->setObjectName(QStringLiteral("xp_canvas2"));
    xp_canvas2->InitProperties(skin::Ambient{QStringLiteral("xp_canvas2"), formFont});
    xp_canvas2->setGeometry(twipsRect(0, 0, 3255, 2535));
    xp_canvas2->setCaption(QStringLiteral("版权信息"));
    xp_canvas2->setFixed_Single(true);  // a fixed layout: the window keeps its size

    imginformation = new QLabel(xp_canvas2);
    imginformation->setObjectName(QStringLiteral("imginformation"));
    imginformation->setGeometry(twipsRect(120, 600, 480, 480));
    imginformation->setPixmap(QPixmap::fromImage(skin::readEmbeddedPng(QStringLiteral(":/shellstyle/information.png"))));
    imginformation->setAccessibleName(QString::fromUtf8("信息"));
    imginformation->hide();

    Label1_1 = new QLabel(xp_canvas2);
    Label1_1->setObjectName(QStringLiteral("Label1(1)"));
    Label1_1->setGeometry(twipsRect(840, 720, 2055, 975));
    Label1_1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1_1->setWordWrap(true);
    Label1_1->setAttribute(Qt::WA_TranslucentBackground);

    cmdexit = new skin::xpcmdbutton(xp_canvas2);
    cmdexit->setObjectName(QStringLiteral("cmdexit"));
    cmdexit->InitProperties(skin::Ambient{QStringLiteral("cmdexit"), formFont});
    cmdexit->setCaption(QStringLiteral("确  定"));
    cmdexit->setGeometry(twipsRect(1800, 1920, 1095, 375));

    xpclose = new skin::xptopbuttons(xp_canvas2);
    xpclose->setObjectName(QStringLiteral("xpclose"));
    xpclose->InitProperties(skin::Ambient{QStringLiteral("xpclose"), formFont});
    xpclose->setGeometry(twipsRect(2880, 60, 315, 315));
    xpclose->raise();

    connect(cmdexit, &skin::xpcmdbutton::Click, this, &QWidget::close);
    connect(xpclose, &skin::xptopbuttons::Click, this, &QWidget::close);
    // Return presses the default button; Escape closes as the caption button does.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, cmdexit, &skin::xpcmdbutton::Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    Form_Load();
}

void frmmsg::Form_Load() {
    xp_canvas2->resize(size());
    cmdexit->setState(1);
    seams_.boxes.beep();
    xp_canvas2->make_trans(this);
    Label1_1->setText(authorDisplayText());
}

void frmmsg::showInformation() { imginformation->show(); }

void frmmsg::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmmsg::Form_Unload() {
    if (!mainFrame_) return;
    QWidget* main = mainFrame_->window();
    if (main && main->isVisible()) {
        main->activateWindow();
        mainFrame_->SetFocus();
    }
}

}  // namespace shellstyle::ui
