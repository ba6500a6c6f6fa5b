// The bridge's thread: jobs run away from the caller, a waiting job is replaced by a
// newer one of its kind, and a hanging settings service holds up nobody but the queue.
#include "desktop/desktop_queue.h"

#include <atomic>
#include <future>

#include "desktop/tests/desktop_fixture.h"

namespace desktop {
namespace {

using testing::DesktopTest;

// Every call waits until `release` is set; counts the calls.
class HangingSettings final : public DesktopSettings {
public:
    explicit HangingSettings(std::shared_future<void> release) : release_(std::move(release)) {}
    Reading read(const SettingPlace&) override {
        entered = true;
        release_.wait();
        ++calls;
        return {true, std::nullopt};
    }
    bool write(const SettingPlace&, const std::optional<QString>&) override { return false; }
    static inline std::atomic<int> calls = 0;
    static inline std::atomic<bool> entered = false;

private:
    std::shared_future<void> release_;
};

TEST_F(DesktopTest, AHangingServiceHoldsUpOnlyTheQueueAndNewerJobsReplaceWaitingOnes) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    const auto gnome = [](const char* var) { return QString::fromLatin1(var) == u"XDG_CURRENT_DESKTOP" ? QStringLiteral("GNOME") : QString(); };
    auto queue = std::make_unique<DesktopQueue>(gnome, dataHome, [released] { return std::make_unique<HangingSettings>(released); });
    std::atomic<int> reads = 0;
    std::atomic<bool> onCallersThread = false;
    const std::thread::id caller = std::this_thread::get_id();
    auto count = [&](const DesiredSwitches&) {
        ++reads;
        if (std::this_thread::get_id() == caller) onCallersThread = true;
    };
    queue->readSwitches(nullptr, count);
    while (!HangingSettings::entered) std::this_thread::yield();
    queue->readSwitches(nullptr, count);
    queue->readSwitches(nullptr, count);
    // Still hanging: the caller goes on.
    EXPECT_FALSE(queue->waitIdle(std::chrono::milliseconds(50)));
    release.set_value();
    ASSERT_TRUE(queue->waitIdle(std::chrono::seconds(30)));
    // The first ran; of the two waiting behind it, the newer replaced the older.
    EXPECT_EQ(reads, 2);
    EXPECT_FALSE(onCallersThread);
}

}  // namespace
}  // namespace desktop
