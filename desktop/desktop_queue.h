// The bridge's jobs, run one at a time on a thread of their own, so that no window
// waits for the desktop's settings services.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include <QObject>

#include "desktop/bridge.h"
#include "desktop/desktop_settings.h"

namespace desktop {

class DesktopQueue {
public:
    using MakeSettings = std::function<std::unique_ptr<DesktopSettings>()>;
    using Done = std::function<void(const BridgeResult&)>;

    // The settings are made on the queue's thread when the first job runs.
    DesktopQueue(platform::Environment environment, std::filesystem::path dataHome, MakeSettings makeSettings);
    // Waits up to kExitWait for the jobs queued, so a change made just before closing
    // still reaches the desktop; a job still hanging then is left to the thread.
    ~DesktopQueue();
    DesktopQueue(const DesktopQueue&) = delete;
    DesktopQueue& operator=(const DesktopQueue&) = delete;

    static constexpr std::chrono::seconds kExitWait{10};

    // `done` runs with the result in `context`'s thread (through its event loop), or
    // on the queue's thread when `context` is null. A job of the same kind still
    // waiting is replaced, as the newer one supersedes it.
    void showIcons(IconChoices choices, bool atLogin, QObject* context, Done done);
    void showSwitches(DesiredSwitches wanted, ShownFromDesktop shown, QObject* context, Done done);
    void readSwitches(QObject* context, std::function<void(const DesiredSwitches&)> done);

    // Waits until every job queued so far has run; false when `limit` passed first.
    bool waitIdle(std::chrono::milliseconds limit);

private:
    struct State;
    enum class Kind { Icons, Switches, Read };
    void post(Kind kind, std::function<void(Bridge&)> work);

    std::shared_ptr<State> state_;
};

// The queue of this session: its environment, the user's data folder, and its desktop
// settings; when $SUITE_DESKTOP_LOG names a file (the test sandbox), settings are kept
// in memory and each write is appended there as a line instead.
std::unique_ptr<DesktopQueue> sessionQueue();

}  // namespace desktop
