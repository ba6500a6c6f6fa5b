// The practice window.
#include "typedrill/ui/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

#include "platform/ui/fixed_window.h"
#include "platform/ui/fonts.h"
#include "typedrill/core/lesson_file.h"
#include "typedrill/ui/lesson_box.h"
#include "typedrill/ui/menu_keys_first.h"
#include "typedrill/ui/typing_line.h"

namespace typedrill::ui {
namespace {

const QColor kTeal(0, 192, 192);   // &H00C0C000
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// Window geometry in pixels: the form was laid out in twips, 15 to a pixel.
constexpr int twips(int t) { return t / 15; }
constexpr int kClientWidth = twips(7095);
constexpr int kClientHeight = twips(4500);

QFont songti(int pixelSize) {
    QFont f = platform::ui::songFont(9);
    f.setPixelSize(pixelSize);
    f.setWeight(QFont::Normal);
    return f;
}

// Sizes a status-line label to at least its design size and to the whole of its
// text as drawn: the design's 12-pixel line is shorter than the Chinese fonts'
// line height, and a glyph may reach past its advance or before its origin.
void fitLabel(QLabel* label, QSize design) {
    const QFontMetrics fm = label->fontMetrics();
    const QString text = label->text();
    const QRect ink = fm.boundingRect(text);
    const int lead = std::max(0, -ink.left());  // a glyph drawn left of its origin
    label->setContentsMargins(lead, 0, 0, 0);
    const int width = lead + std::max(fm.horizontalAdvance(text), ink.right() + 1);
    label->setFixedSize(std::max(design.width(), width), std::max(design.height(), fm.height()));
}

void paint(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) p.setColor(group, role, colour);
    w->setPalette(p);
}

}  // namespace

Form1::Form1(platform::MessageBoxes& boxes, platform::Clock& clock, std::filesystem::path lessonDir, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      boxes_(boxes),
      clock_(clock),
      lessonDir_(std::move(lessonDir)),
      exercise_(*this, boxes),
      menuKeys_(new MenuKeysFirst(this)) {
    setWindowTitle(QStringLiteral("五笔typedrill"));
    // The default face under its installed name, before any control exists: an empty
    // box's document is laid out in it as the box is made.
    setFont(platform::ui::songFont(9));
    buildControls();
    buildMenus();
    Form_Load();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    platform::ui::refuseMaximise(this);
}

Form1::~Form1() = default;

void Form1::buildControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    client->setAutoFillBackground(true);
    paint(client, QPalette::Window, kTeal);
    setCentralWidget(client);

    struct LabelRow {
        QLabel** label;
        int left, width;  // twips; width 0 sizes the label to its text
        const char* caption;
        bool opaque;
    };
    const LabelRow rows[] = {
        {&Label1, 0, 900, "总共输入：", true},  {&Label2, 960, 0, "", true},
        {&Label5, 1800, 540, "用时：", true},     {&Label6, 2400, 0, "", true},
        {&Label3, 3240, 1080, "平均每分钟：", true}, {&Label4, 4320, 0, "", true},
        {&Label7, 5520, 360, "错：", false},      {&Label8, 6000, 0, "", false},
    };
    for (const auto& row : rows) {
        auto* label = new QLabel(QString::fromUtf8(row.caption), client);
        label->setFont(songti(12));
        label->setAutoFillBackground(row.opaque);
        paint(label, QPalette::Window, kTeal);
        paint(label, QPalette::WindowText, kBlack);
        label->move(twips(row.left), 0);
        fitLabel(label, QSize(twips(row.width), twips(240)));
        *row.label = label;
    }
    // The lesson box starts below the status line and keeps its bottom.
    const int statusHeight = Label1->height();

    RTB = new LessonBox(client);
    RTB->setGeometry(0, statusHeight, twips(7095), twips(240) + twips(3855) - statusHeight);
    RTB->setFont(songti(14));
    RTB->document()->setDefaultFont(songti(14));
    RTB->setFrameShape(QFrame::Box);
    paint(RTB, QPalette::Base, kTeal);
    paint(RTB, QPalette::Text, kBlack);
    RTB->viewport()->installEventFilter(this);
    RTB->setAccessibleName(QStringLiteral("课文"));

    auto makeBox = [&](int left, int top, int width, int height) {
        auto* box = new TypingLine(client);
        box->setGeometry(twips(left), twips(top), twips(width), twips(height));
        box->setFont(songti(14));
        paint(box, QPalette::Base, kTeal);
        QPalette p = box->palette();
        p.setColor(QPalette::Active, QPalette::Text, kWhite);
        p.setColor(QPalette::Inactive, QPalette::Text, kWhite);
        box->setPalette(p);
        return box;
    };
    Text2 = makeBox(0, 4080, 7095, 375);
    Text1 = makeBox(3000, 2040, 1215, 495);
    Text2->setAccessibleName(QStringLiteral("练习输入"));
    Text1->setAccessibleName(QStringLiteral("录入"));
    Text2->installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2), static_cast<QWidget*>(RTB)})
        menuKeys_->watch(w);
    connect(Text2, &TypingLine::textChanged, this, [this](const QString& t) { exercise_.inputChanged(t); });
    connect(Text1, &TypingLine::textChanged, this, [this](const QString& t) { exercise_.freeTextChanged(t); });
    setTabOrder(Text2, RTB);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

void Form1::buildMenus() {
    auto* bar = menuBar();
    // The menus in the window's own face: a second Chinese face (the default
    // font's fallback) would cost its load at every start.
    bar->setFont(songti(12));
    auto item = [this](QMenu* menu, const char* caption, QKeySequence key, auto handler) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    file = bar->addMenu(QStringLiteral("文件(&F)"));
    begin = item(file, "开始(&B)", QKeySequence(Qt::CTRL | Qt::Key_B), [this] { begin_Click(); });
    go = item(file, "继续(&G)", QKeySequence(Qt::Key_F12), [this] { go_Click(); });
    pause = item(file, "暂停(&P)", QKeySequence(Qt::Key_F11), [this] { exercise_.pause(); });
    line1 = file->addSeparator();
    quit = item(file, "退出(&Q)", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });

    set = bar->addMenu(QStringLiteral("设置(&S)"));
    const char* levels[] = {"初级练习", "二级练习", "三级练习", "四级练习", "五级练习"};
    QAction** levelItems[] = {&one, &two, &three, &four, &five};
    for (int i = 0; i < 5; ++i) {
        const QString name = QStringLiteral("%1.txt").arg(i + 1);
        *levelItems[i] = item(set, levels[i], QKeySequence(), [this, name] { OpenFile(name); });
    }
    inset = item(set, "录入练习", QKeySequence(), [this] { inset_Click(); });

    about = bar->addMenu(QStringLiteral("关于(&A)"));
    about1 = item(about, "关于(&C)", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { exercise_.about(); });
}

void Form1::Form_Load() {
    setWindowIcon(QIcon());
    go->setVisible(false);
    pause->setVisible(false);
    Text1->setGeometry(Text2->geometry());
    Text1->hide();
    lessonReplaced();
}

void Form1::OpenFile(const QString& fileName) {
    const LessonRead read = readLessonFile(lessonDir_ / fileName.toStdString());
    exercise_.openLesson(read.text);
    if (!read.refusal.isEmpty())
        boxes_.show(read.refusal, kProgramTitle, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

void Form1::begin_Click() {
    {
        // Input past the lesson's end is refused, as a text box refuses what is past
        // its limit; the box is emptied by the start that follows.
        const QSignalBlocker quiet(Text2);
        Text2->setMaxLength(static_cast<int>(exercise_.lesson().size()));
    }
    exercise_.begin();
    focusTypingBox();
}

void Form1::go_Click() {
    exercise_.resume();
    focusTypingBox();
}

void Form1::inset_Click() {
    exercise_.freeEntry();
    focusTypingBox();
}

// Pausing disables the box that had the keyboard focus, and the focus leaves it;
// whatever lets typing go on again gives it back, so that key strokes and the
// input method's commits land in the box in front.
void Form1::focusTypingBox() {
    for (TypingLine* box : {Text1, Text2}) {
        if (box->isVisibleTo(this) && box->isEnabled()) {
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void Form1::Timer1_Timer() {
    const int due = schedule_.takeDue(clock_.monotonicMs());
    for (int i = 0; i < due && schedule_.running(); ++i) exercise_.tick();
    armTimer();
}

void Form1::armTimer() {
    if (!schedule_.running()) return;
    Timer1->start(static_cast<int>(schedule_.msUntilNext(clock_.monotonicMs())));
}

void Form1::RTB_MouseUp(Qt::MouseButton button) {
    if (button == Qt::RightButton && RTB->isEnabled()) QApplication::clipboard()->clear();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // Backspace with Ctrl deletes a word and is no character 8.
    if (watched == Text2 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace &&
        !(static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier)) {
        exercise_.backspace();  // counted before the box deletes; the key goes on
    } else if (watched == RTB->viewport() && event->type() == QEvent::MouseButtonRelease) {
        RTB_MouseUp(static_cast<QMouseEvent*>(event)->button());
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::lessonReplaced() { RTB->showLesson(exercise_.lesson(), &exercise_.marks()); }

void Form1::markChanged(int position) { RTB->refreshMark(position); }

void Form1::caretMoved(int position) { RTB->scrollToCharacter(position); }

void Form1::clearInputBox() {
    const QSignalBlocker quiet(Text2);
    Text2->clear();
}

void Form1::clearFreeBox() {
    const QSignalBlocker quiet(Text1);
    Text1->clear();
}

void Form1::stateChanged() {
    const StatusLabels& l = exercise_.labels();
    const std::pair<QLabel*, const QString*> values[] = {
        {Label2, &l.typed}, {Label4, &l.speed}, {Label6, &l.time}, {Label8, &l.errors}};
    for (auto [label, text] : values) {
        if (label->text() == *text) continue;
        label->setText(*text);
        fitLabel(label, QSize(0, Label1->height()));
    }

    const Controls& c = exercise_.controls();
    Text1->setVisible(c.text1Visible);
    Text1->setEnabled(c.text1Enabled);
    Text2->setVisible(c.text2Visible);
    Text2->setEnabled(c.text2Enabled);
    RTB->setEnabled(c.lessonEnabled);
    go->setVisible(c.goVisible);
    pause->setVisible(c.pauseVisible);
    if (c.text1First) setTabOrder(Text1, Text2);

    if (c.timerOn && !schedule_.running()) {
        schedule_.start(clock_.monotonicMs());
        armTimer();
    } else if (!c.timerOn && schedule_.running()) {
        schedule_.stop();
        Timer1->stop();
    }
}

}  // namespace typedrill::ui
