// The main window with fakes behind it: browsing, replacing, preset, restore, closing.
#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>

#include "shellstyle/tests/form_fixture.h"
#include "shellstyle/ui/icon_preview.h"
#include "shellstyle/ui/xpfg.h"
#include "skin/core/edge_resize.h"
#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcheckbox/xpcheckbox.h"

namespace shellstyle {
namespace {

using platform::MsgAnswer;
using testing::FakeIconPictures;

const std::string kShellIcons =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
const std::string kMyComputer =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon";

class XpfgTest : public testing::FormTest {
protected:
    QRgb previewPixel(ui::xpfg& form) {
        const QImage& shown = form.Pic->shown();
        return shown.isNull() ? 0 : shown.pixel(5, 5);
    }
};

TEST_F(XpfgTest, LoadsWithTheFrameCaptionTheGridAndNothingOpen) {
    ui::xpfg form(seams);
    EXPECT_EQ(form.frame()->Caption(), QStringLiteral("shellstyle"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("shellstyle"));
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.size(), QSize(297, 345));
    EXPECT_EQ(form.box("checkbao")->geometry(), QRect(200, 200, 88, 17));
    EXPECT_EQ(form.box("check1(16)")->Caption(), QStringLiteral("关闭系统"));
    for (int i = 0; i < kIconBoxCount; ++i) {
        EXPECT_EQ(form.box(i)->Value(), 0);
        EXPECT_EQ(form.box(i)->BackColor(), 0x00D8E9ECu);
    }
    EXPECT_FALSE(form.HS->isEnabled());
    EXPECT_TRUE(form.Pic->shown().isNull());
    EXPECT_EQ(form.Label3->text(), "0");
    EXPECT_EQ(form.Label4->text(), "0");
}

TEST_F(XpfgTest, WindowKeepsItsSizeAndOffersNoResizing) {
    ui::xpfg form(seams);
    form.show();
    EXPECT_TRUE(form.frame()->Fixed_Single());
    for (int code = 0; code < skin::kEdgeCount; ++code)
        EXPECT_EQ(form.frame()->grip(skin::Edge(code))->cursor().shape(), Qt::ArrowCursor) << code;
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(100, 10), form.frame()->pictop()->mapToGlobal(QPointF(100, 10)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.frame()->pictop(), &dbl);
    EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form.size(), QSize(297, 345));
}

TEST_F(XpfgTest, ScreenReadersGetNamedPreviewScrollBarAndLabelledNumbers) {
    ui::xpfg form(seams);
    QAccessibleInterface* pic = QAccessible::queryAccessibleInterface(form.Pic);
    EXPECT_EQ(pic->role(), QAccessible::Graphic);
    EXPECT_EQ(pic->text(QAccessible::Name), QString::fromUtf8("图标预览"));
    QAccessibleInterface* hs = QAccessible::queryAccessibleInterface(form.HS);
    EXPECT_EQ(hs->role(), QAccessible::ScrollBar);
    EXPECT_EQ(hs->text(QAccessible::Name), QString::fromUtf8("图标序号"));
    // Each number is labelled by its heading.
    for (auto [number, heading] : {std::pair{form.Label3, form.Label1}, std::pair{form.Label4, form.Label2}}) {
        const auto labels = QAccessible::queryAccessibleInterface(number)->relations(QAccessible::Label);
        ASSERT_EQ(labels.size(), 1);
        EXPECT_EQ(labels[0].first->object(), heading);
    }
}

TEST_F(XpfgTest, OpeningSetsCountScrollBarAndPreview) {
    icons.counts = {{"/two.icl", 2}, {"/one.ico", 1}};
    dialogs.results = {"/two.icl", "/one.ico", ""};
    ui::xpfg form(seams);

    form.OpenFile_Click();
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, QStringLiteral("打开图标文件"));
    EXPECT_EQ(dialogs.requests[0].nameFilters.size(), 4);
    EXPECT_EQ(form.Label4->text(), "2");
    EXPECT_TRUE(form.HS->isEnabled());
    EXPECT_EQ(form.HS->maximum(), 1);
    EXPECT_EQ(previewPixel(form), FakeIconPictures::colourOf(0).rgba());

    form.HS->setValue(1);
    EXPECT_EQ(form.Label3->text(), "1");
    EXPECT_EQ(previewPixel(form), FakeIconPictures::colourOf(1).rgba());

    form.OpenFile_Click();
    EXPECT_EQ(form.Label4->text(), "1");
    EXPECT_EQ(form.Label3->text(), "0");
    EXPECT_FALSE(form.HS->isEnabled());
    EXPECT_EQ(previewPixel(form), FakeIconPictures::colourOf(0).rgba());

    // Cancelled: nothing chosen, nothing shown.
    form.OpenFile_Click();
    EXPECT_EQ(form.Label4->text(), "0");
    EXPECT_FALSE(form.HS->isEnabled());
    EXPECT_TRUE(form.Pic->shown().isNull());
}

TEST_F(XpfgTest, ReplaceWritesTheTickedBoxesWithTheShownIcon) {
    icons.counts = {{"/lib.icl", 40}};
    dialogs.results = {"/lib.icl"};
    ui::xpfg form(seams);
    form.OpenFile_Click();
    form.HS->setValue(12);
    form.box("check1(3)")->setValue(1);
    form.Change_Click();
    EXPECT_EQ(store.value(kShellIcons, "15"), "/lib.icl,12");
    EXPECT_EQ(store.value(kMyComputer, ""), "/lib.icl,12");
    EXPECT_EQ(store.value(kShellIcons, "8"), std::nullopt);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(XpfgTest, ReplaceWithoutFileOrWithAnUnstorablePathWarnsAndWritesNothing) {
    ui::xpfg form(seams);
    form.box("check1(0)")->setValue(1);
    form.Change_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("你还没有选择图标文件！"));
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("shellstyle"));
    EXPECT_EQ(boxes.shown[0].buttons, platform::MsgButtons::Ok);

    const QString odd = QString::fromUtf8("/tmp/\xF0\x9F\x98\x80.ico");
    icons.counts = {{odd, 1}};
    dialogs.results = {odd};
    form.OpenFile_Click();
    form.Change_Click();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(boxes.shown[1].text.contains(QStringLiteral("无法保存")));
    EXPECT_TRUE(store.calls.empty());
}

TEST_F(XpfgTest, PresetAndRestoreIgnoreAndKeepTheBoxes) {
    ui::xpfg form(seams);
    form.box("checkie")->setValue(1);
    form.WinXp_Click();
    EXPECT_EQ(store.value(kShellIcons, "11"), "/opt/shellstyle/voveredav.icl,37");
    EXPECT_EQ(form.box("checkie")->Value(), 1);
    form.restore_Click();
    EXPECT_EQ(store.value(kShellIcons, "11"), "");
    EXPECT_EQ(form.box("checkie")->Value(), 1);
    EXPECT_EQ(form.box("check1(0)")->Value(), 0);
}

TEST_F(XpfgTest, AWalkTheStoreCouldNotKeepSaysSo) {
    store.commitStatus = registry::ERROR_BUSY;
    icons.counts = {{"/a.icl", 1}};
    dialogs.results = {"/a.icl"};
    ui::xpfg form(seams);
    form.OpenFile_Click();
    form.box("checkie")->setValue(1);
    form.Change_Click();
    form.WinXp_Click();
    form.restore_Click();
    ASSERT_EQ(boxes.shown.size(), 3u);
    for (const auto& shown : boxes.shown)
        EXPECT_TRUE(shown.text.contains(QStringLiteral("没有保存"))) << shown.text.toStdString();
}

TEST_F(XpfgTest, EveryWayOfClosingAsksOnceAndOnlyYesRestarts) {
    {
        ui::xpfg form(seams);
        form.show();
        form.xptopbuttons1_Click();  // answered No (nothing queued)
        EXPECT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("重新启动"));
        EXPECT_EQ(restart.requests, 0);
        EXPECT_GE(ends, 1);
        EXPECT_FALSE(form.isVisible());
    }
    {
        boxes.answers = {MsgAnswer::Yes};
        ui::xpfg form(seams);
        form.show();
        form.close();  // the window system's close
        EXPECT_EQ(boxes.shown.size(), 2u);
        EXPECT_EQ(restart.requests, 1);
        form.close();
        EXPECT_EQ(boxes.shown.size(), 2u) << "asked once per window";
    }
}

TEST_F(XpfgTest, BecomingActiveRunsTheWait) {
    ui::xpfg form(seams);
    form.show();
    form.activateWindow();
    for (int i = 0; i < 50 && form.activations() == 0; ++i) QCoreApplication::processEvents();
    EXPECT_GE(form.activations(), 1);
    EXPECT_EQ(waits, form.activations());
}

}  // namespace
}  // namespace shellstyle
