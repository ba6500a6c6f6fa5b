// The forms hand each store change on to the desktop: shellstyle after every walk that
// wrote, systune after every save with the boxes as saved.
#include <future>

#include <QCheckBox>
#include <QCoreApplication>
#include <QTimer>

#include "desktop/form_hooks.h"

#include "platform/testing/recording_restart.h"
#include "registry/testing/fake_registry.h"
#include "shellstyle/tests/form_fixture.h"
#include "shellstyle/ui/xpfg.h"
#include "skin/xpcheckbox/xpcheckbox.h"
#include "systune/ui/reg.h"

namespace {

using shellstyle::testing::FormTest;

TEST_F(FormTest, ShellstyleHandsOnEveryWalkThatWroteTheStore) {
    int walks = 0;
    shellstyle::ui::xpfg form(seams);
    form.afterIconWalk = [&] { ++walks; };
    form.Change_Click();  // no file chosen: nothing written, nothing handed on
    EXPECT_EQ(walks, 0);
    form.WinXp_Click();
    form.restore_Click();
    EXPECT_EQ(walks, 2);
    icons.counts = {{"/lib.icl", 40}};
    dialogs.results = {"/lib.icl"};
    form.OpenFile_Click();
    form.box("check1(0)")->setValue(1);
    form.Change_Click();
    EXPECT_EQ(walks, 3);
    EXPECT_EQ(boxes.shown.size(), 1u);  // only the no-file message: the desktop adds none
}

TEST(SystuneSave, HandsOnTheBoxesAsSavedOnlyWhenTheStoreKeptThem) {
    registry::testing::FakeRegistry store;
    for (const systune::Switch& s : systune::switchTable())
        for (std::size_t k = 0; k < s.keyCount(); ++k) store.addKey(s.keyPaths[k]);
    registry::General general{store};
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::RecordingRestart restart;
    systune::ui::reg form(general, boxes, restart);
    std::vector<systune::SwitchStates> saved;
    form.afterSave = [&](const systune::SwitchStates& s) { saved.push_back(s); };
    form.box(18)->setChecked(true);  // 禁止窗口动画效果
    form.Command1_Click();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(saved[0][18]);
    EXPECT_FALSE(saved[0][17]);
    EXPECT_EQ(boxes.shown.size(), 1u);

    // A save the store could not commit leaves the desktop as it was.
    store.commitStatus = registry::ERROR_DISK_FULL;
    form.box(17)->setChecked(true);
    form.Command1_Click();
    EXPECT_EQ(saved.size(), 1u);
    EXPECT_EQ(boxes.shown.size(), 2u);
}

}  // namespace

namespace desktop {
namespace {

// Each write waits until the test lets it go, as a settings service that hangs; reads
// answer with a value of 8 MB, as one that floods.
class StuckSettings final : public DesktopSettings {
public:
    explicit StuckSettings(std::shared_future<void> release) : release_(std::move(release)) {}
    Reading read(const SettingPlace&) override { return {true, QString(8 << 20, u'x')}; }
    bool write(const SettingPlace&, const std::optional<QString>&) override {
        release_.wait();
        return true;
    }

private:
    std::shared_future<void> release_;
};

TEST(DesktopHooks, SystuneAnswersWhileTheDesktopHangsAndThenShowsOneShortLine) {
    registry::testing::FakeRegistry store;
    for (const systune::Switch& s : systune::switchTable())
        for (std::size_t k = 0; k < s.keyCount(); ++k) store.addKey(s.keyPaths[k]);
    registry::General general{store};
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::RecordingRestart restart;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    systune::ui::reg form(general, boxes, restart);
    {
        const auto gnome = [](const char* var) { return QString::fromLatin1(var) == u"XDG_CURRENT_DESKTOP" ? QStringLiteral("GNOME") : QString(); };
        DesktopQueue queue(gnome, ::testing::TempDir(), [released] { return std::make_unique<StuckSettings>(released); });
        handSwitchesToDesktop(form, general, queue, boxes);
        form.box(18)->setChecked(true);  // 禁止窗口动画效果
        form.Command1_Click();           // returns while the write hangs
        ASSERT_EQ(boxes.shown.size(), 1u);
        bool timerRan = false;
        QTimer::singleShot(0, [&] { timerRan = true; });
        QCoreApplication::processEvents();
        EXPECT_TRUE(timerRan);
        release.set_value();
        ASSERT_TRUE(queue.waitIdle(std::chrono::seconds(30)));
        QCoreApplication::processEvents();
    }
    // The flooded read-back is reported, cut short, on one line.
    ASSERT_EQ(boxes.shown.size(), 2u);
    const QString& text = boxes.shown.back().text;
    EXPECT_LT(text.size(), 400);
    EXPECT_FALSE(text.contains(u'\n'));
    EXPECT_TRUE(text.contains(QStringLiteral("enable-animations")));
}

}  // namespace
}  // namespace desktop
