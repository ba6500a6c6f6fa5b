// Form reg: builds the frames and boxes at their design positions and forwards
// load, save and close to the switch sequences.
#include "systune/ui/reg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/fixed_window.h"
#include "platform/ui/fonts.h"
#include "platform/ui/return_key.h"
#include "systune/core/apply_switches.h"
#include "systune/core/load_switches.h"

namespace systune::ui {
namespace {

// Design lengths are twips; 15 twips make one pixel on a standard screen.
constexpr int px(int twips) { return twips / 15; }

struct Place {
    int left, top, width, height;  // twips
};

constexpr Place kFrame1 = {120, 120, 4935, 3360};
constexpr Place kFrame2 = {120, 3600, 4935, 1320};
constexpr Place kHint = {120, 5040, 4935, 270};
constexpr Place kSave = {1140, 5460, 1215, 375};
constexpr Place kExit = {2835, 5460, 1215, 375};
constexpr int kFormWidth = 5175;
constexpr int kFormHeight = 6060;
constexpr int kBoxHeight = 255;
constexpr int kColumnGap = 2160;  // the right column's left edge

void place(QWidget* w, const Place& p) { w->setGeometry(px(p.left), px(p.top), px(p.width), px(p.height)); }

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

reg::reg(registry::General& registry, platform::MessageBoxes& boxes, platform::RestartRequest& restart,
         QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      registry_(registry),
      boxes_(boxes),
      restart_(restart) {
    setObjectName(QStringLiteral("reg"));
    setWindowTitle(QStringLiteral("systune"));
    QFont font = platform::ui::songFont(9);
    font.setPixelSize(12);  // 9 points at 96 dots per inch
    setFont(font);
    setFixedSize(px(kFormWidth), px(kFormHeight));

    Frame1 = new QGroupBox(QStringLiteral("注册表禁止"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    place(Frame1, kFrame1);
    Frame2 = new QGroupBox(QStringLiteral("Windows优化"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    place(Frame2, kFrame2);

    const auto& table = switchTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Switch& s = table[i];
        bool policy = s.frame == Frame::Prohibitions;
        QGroupBox* frame = policy ? Frame1 : Frame2;
        auto* check = new QCheckBox(qs(s.caption), frame);
        check->setObjectName(QStringLiteral("%1_%2").arg(policy ? "Check1" : "Check2").arg(s.index));
        // Left-column boxes end where the right column begins; right ones at the frame's edge.
        int right = s.left < kColumnGap ? kColumnGap - 15 : kFrame1.width - 60;
        check->setGeometry(px(s.left), px(s.top), px(right - s.left), px(kBoxHeight));
        if (policy)
            Check1[static_cast<std::size_t>(s.index)] = check;
        else
            Check2[static_cast<std::size_t>(s.index)] = check;
    }

    Label1 = new QLabel(QStringLiteral("设置后立即刷新桌面或重新启动即可看到效果！"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, kHint);

    Command1 = new QPushButton(QStringLiteral("保存设置"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    place(Command1, kSave);
    connect(Command1, &QPushButton::clicked, this, &reg::Command1_Click);
    Command2 = new QPushButton(QStringLiteral("退    出"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    place(Command2, kExit);
    connect(Command2, &QPushButton::clicked, this, &reg::Command2_Click);
    platform::ui::pressButtonsOnReturn(this);
    platform::ui::refuseMaximise(this);

    Form_Load();
}

QCheckBox* reg::box(std::size_t row) const {
    return row < kProhibitionCount ? Check1[row] : Check2[row - kProhibitionCount];
}

SwitchStates reg::states() const {
    SwitchStates s{};
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = box(i)->isChecked();
    return s;
}

void reg::Form_Load() {
    SwitchStates s = loadSwitches(registry_);
    for (std::size_t i = 0; i < s.size(); ++i) box(i)->setChecked(s[i]);
}

void reg::Command1_Click() {
    ApplyReport report = applySwitches(registry_, states());
    // The desktop follows what the store kept; a save that was not kept changes nothing there.
    if (afterSave && report.commitStatus == registry::ERROR_SUCCESS) afterSave(states());
    if (report.saved()) {
        boxes_.show(QStringLiteral("设置成功！"), QStringLiteral("信息"), platform::MsgButtons::Ok,
                    platform::MsgIcon::Information);
        return;
    }
    QString text = QStringLiteral("保存设置失败！有 %1 项设置未能写入注册表，请检查注册表是否可以写入。")
                       .arg(report.refusedSwitchCount());
    if (const auto missing = report.missingKeys(); !missing.empty() && report.commitStatus == registry::ERROR_SUCCESS) {
        text += QStringLiteral("\n以下注册表项不存在：");
        for (std::string_view key : missing) text += QLatin1Char('\n') + qs(key);
    }
    boxes_.show(text, QStringLiteral("systune Error"), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
}

void reg::Command2_Click() {
    ending_ = true;
    close();
    QCoreApplication::exit(0);
}

void reg::closeEvent(QCloseEvent* event) {
    if (!ending_) Form_Unload();
    event->accept();
}

void reg::Form_Unload() {
    platform::MsgAnswer answer =
        boxes_.show(QStringLiteral("设置后需要重新启动计算机，是否重新启动？"), QStringLiteral("重新启动"),
                    platform::MsgButtons::YesNo, platform::MsgIcon::Question);
    if (answer == platform::MsgAnswer::Yes) restart_.request();
}

}  // namespace systune::ui
