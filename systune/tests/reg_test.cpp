// Form reg offscreen: boxes from the store, save messages, and the two ways to close.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/testing/fake_dialogs.h"
#include "platform/testing/recording_restart.h"
#include "registry/testing/fake_registry.h"
#include "systune/ui/reg.h"

namespace systune::ui {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using registry::testing::FakeRegistry;

constexpr const char* kPolicy =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

struct Harness {
    FakeRegistry store;
    registry::General general{store};
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::RecordingRestart restart;

    explicit Harness(std::string_view withoutKey = {}) {
        for (const Switch& s : switchTable())
            for (std::size_t k = 0; k < s.keyCount(); ++k)
                if (s.keyPaths[k] != withoutKey) store.addKey(s.keyPaths[k]);
    }
};

// Lays the form out under the given style; the program itself runs in "Windows".
void checkLayout(const QString& style) {
    SCOPED_TRACE(style.toStdString());
    ASSERT_NE(QApplication::setStyle(style), nullptr);
    Harness h;
    reg form(h.general, h.boxes, h.restart);
    EXPECT_EQ(form.windowTitle(), "systune");
    EXPECT_EQ(form.Frame1->title(), "注册表禁止");
    EXPECT_EQ(form.Frame2->title(), "Windows优化");
    EXPECT_EQ(form.Command1->text(), "保存设置");
    EXPECT_EQ(form.Command2->text(), "退    出");
    EXPECT_EQ(form.Label1->text(), "设置后立即刷新桌面或重新启动即可看到效果！");

    const QRect client = form.rect();
    for (QWidget* w : std::initializer_list<QWidget*>{form.Frame1, form.Frame2, form.Label1, form.Command1,
                                                      form.Command2})
        EXPECT_TRUE(client.contains(w->geometry())) << w->objectName().toStdString();
    EXPECT_FALSE(form.Frame1->geometry().intersects(form.Frame2->geometry()));
    EXPECT_FALSE(form.Command1->geometry().intersects(form.Command2->geometry()));
    EXPECT_GE(form.Label1->width(), form.Label1->sizeHint().width()) << "hint clipped";

    for (std::size_t i = 0; i < kSwitchCount; ++i) {
        QCheckBox* box = form.box(i);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text().toStdString(), switchTable()[i].caption);
        auto* frame = qobject_cast<QGroupBox*>(box->parentWidget());
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame, i < kProhibitionCount ? form.Frame1 : form.Frame2);
        EXPECT_TRUE(frame->rect().contains(box->geometry())) << i;
        EXPECT_GE(box->width(), box->sizeHint().width()) << "caption clipped: " << i;
        for (std::size_t j = 0; j < i; ++j)
            if (form.box(j)->parentWidget() == frame) {
                EXPECT_FALSE(box->geometry().intersects(form.box(j)->geometry())) << i << " and " << j;
            }
    }
}

TEST(RegForm, ShowsEveryBoxReadableInsideItsFrame) {
    checkLayout(QStringLiteral("Windows"));
    checkLayout(QStringLiteral("Fusion"));
}

TEST(RegForm, OpensWithTheStoredSwitches) {
    Harness h;
    h.store.put(kPolicy, "NoRun", registry::REG_DWORD, FakeRegistry::dword(1));
    h.store.put("HKEY_CURRENT_USER\\Control Panel\\desktop\\WindowMetrics", "MinAnimate", registry::REG_SZ, "0");
    h.store.put("HKEY_CLASSES_ROOT\\lnkfile", "IsShortcut", registry::REG_SZ, "");
    reg form(h.general, h.boxes, h.restart);
    EXPECT_TRUE(form.Check1[5]->isChecked());
    EXPECT_FALSE(form.Check1[0]->isChecked());
    EXPECT_TRUE(form.Check2[2]->isChecked());
    EXPECT_FALSE(form.Check2[0]->isChecked());
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST(RegForm, SaveWritesTheBoxesAndConfirms) {
    Harness h;
    reg form(h.general, h.boxes, h.restart);
    form.Check1[8]->setChecked(true);
    form.Check2[3]->setChecked(true);
    form.Command1->click();
    auto v = h.store.get(kPolicy, "NoSaveSetting");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->data, FakeRegistry::dword(1));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].text, "设置成功！");
    EXPECT_EQ(h.boxes.shown[0].caption, "信息");
    EXPECT_EQ(h.boxes.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(h.restart.requests, 0);

    // A second form over the same store shows what was saved.
    reg again(h.general, h.boxes, h.restart);
    EXPECT_EQ(again.states(), form.states());
}

TEST(RegForm, RefusedSaveSaysSoInsteadOfConfirming) {
    for (bool broken : {false, true}) {
        Harness h;
        reg form(h.general, h.boxes, h.restart);
        if (broken)
            h.store.broken = true;
        else
            h.store.refusedKeys = {kPolicy};
        form.Command1->click();
        ASSERT_EQ(h.boxes.shown.size(), 1u);
        EXPECT_NE(h.boxes.shown[0].text, "设置成功！");
        EXPECT_TRUE(h.boxes.shown[0].text.contains("失败")) << h.boxes.shown[0].text.toStdString();
        EXPECT_EQ(h.boxes.shown[0].icon, platform::MsgIcon::Critical);
    }
}

TEST(RegForm, SaveOverAMissingKeyFailsNamingIt) {
    Harness h(kPolicy);
    reg form(h.general, h.boxes, h.restart);
    form.Check1[0]->setChecked(true);
    form.Command1->click();
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(h.boxes.shown[0].text.startsWith("保存设置失败！")) << h.boxes.shown[0].text.toStdString();
    EXPECT_TRUE(h.boxes.shown[0].text.contains(kPolicy)) << h.boxes.shown[0].text.toStdString();
}

TEST(RegForm, ExitButtonEndsWithoutTheRestartQuestion) {
    Harness h;
    reg form(h.general, h.boxes, h.restart);
    form.show();
    form.Command2->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(h.restart.requests, 0);
}

TEST(RegForm, ClosingAsksAndRestartsOnlyOnYes) {
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        Harness h;
        h.boxes.answers = {answer};
        reg form(h.general, h.boxes, h.restart);
        form.show();
        EXPECT_TRUE(form.close());
        EXPECT_FALSE(form.isVisible());
        ASSERT_EQ(h.boxes.shown.size(), 1u);
        EXPECT_EQ(h.boxes.shown[0].text, "设置后需要重新启动计算机，是否重新启动？");
        EXPECT_EQ(h.boxes.shown[0].caption, "重新启动");
        EXPECT_EQ(h.boxes.shown[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(h.restart.requests, answer == MsgAnswer::Yes ? 1 : 0);
    }
}

}  // namespace
}  // namespace systune::ui
