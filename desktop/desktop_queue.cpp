// One worker thread for the bridge; results go back to the caller's thread as queued calls.
#include "desktop/desktop_queue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <QFile>
#include <QMetaObject>

#include "desktop/session_settings.h"
#include "platform/data_dir.h"

namespace desktop {

struct DesktopQueue::State {
    platform::Environment environment;
    std::filesystem::path dataHome;
    MakeSettings makeSettings;
    std::unique_ptr<DesktopSettings> settings;  // the worker's alone

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::pair<Kind, std::function<void(Bridge&)>>> jobs;
    bool running = false;
    bool closing = false;  // no more jobs; the worker ends when the queue is empty
    bool callersGone = false;  // results are no longer delivered

    void work() {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return !jobs.empty() || closing; });
            if (jobs.empty()) return;
            auto job = std::move(jobs.front().second);
            jobs.pop_front();
            running = true;
            lock.unlock();
            if (!settings) settings = makeSettings();
            Bridge bridge(environment, *settings, dataHome);
            job(bridge);
            lock.lock();
            running = false;
            changed.notify_all();
        }
    }

    // Runs `deliver` on `context`'s thread unless the callers are gone.
    void send(QObject* context, std::function<void()> deliver) {
        if (!context) return deliver();
        std::lock_guard lock(mutex);
        if (!callersGone) QMetaObject::invokeMethod(context, std::move(deliver), Qt::QueuedConnection);
    }
};

DesktopQueue::DesktopQueue(platform::Environment environment, std::filesystem::path dataHome, MakeSettings makeSettings)
    : state_(std::make_shared<State>()) {
    state_->environment = std::move(environment);
    state_->dataHome = std::move(dataHome);
    state_->makeSettings = std::move(makeSettings);
    std::thread([state = state_] { state->work(); }).detach();
}

DesktopQueue::~DesktopQueue() {
    const bool idle = waitIdle(kExitWait);
    std::lock_guard lock(state_->mutex);
    if (!idle) state_->jobs.clear();
    state_->closing = true;
    state_->callersGone = true;
    state_->changed.notify_all();
}

void DesktopQueue::post(Kind kind, std::function<void(Bridge&)> work) {
    std::lock_guard lock(state_->mutex);
    auto& jobs = state_->jobs;
    for (auto& waiting : jobs)
        if (waiting.first == kind) {
            waiting.second = std::move(work);
            return;
        }
    jobs.emplace_back(kind, std::move(work));
    state_->changed.notify_all();
}

void DesktopQueue::showIcons(IconChoices choices, bool atLogin, QObject* context, Done done) {
    post(Kind::Icons, [state = state_.get(), choices = std::move(choices), atLogin, context, done](Bridge& bridge) {
        BridgeResult r = bridge.applyIcons(choices, atLogin);
        state->send(context, [done, r] { if (done) done(r); });
    });
}

void DesktopQueue::showSwitches(DesiredSwitches wanted, ShownFromDesktop shown, QObject* context, Done done) {
    post(Kind::Switches, [state = state_.get(), wanted, shown, context, done](Bridge& bridge) {
        BridgeResult r = bridge.applySwitches(wanted, shown);
        state->send(context, [done, r] { if (done) done(r); });
    });
}

void DesktopQueue::readSwitches(QObject* context, std::function<void(const DesiredSwitches&)> done) {
    post(Kind::Read, [state = state_.get(), context, done](Bridge& bridge) {
        DesiredSwitches s = bridge.desktopSwitches();
        state->send(context, [done, s] { if (done) done(s); });
    });
}

bool DesktopQueue::waitIdle(std::chrono::milliseconds limit) {
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_for(lock, limit, [&] { return state_->jobs.empty() && !state_->running; });
}

namespace {

// Settings kept in memory, each write logged as "write <group> <key> <value>".
class LoggedSettings final : public DesktopSettings {
public:
    explicit LoggedSettings(QString log) : log_(std::move(log)) {}
    Reading read(const SettingPlace& place) override {
        for (const auto& [p, v] : values_)
            if (p == place) return {true, v};
        return {true, std::nullopt};
    }
    bool write(const SettingPlace& place, const std::optional<QString>& value) override {
        QFile file(log_);
        if (!file.open(QIODevice::Append | QIODevice::Text)) return false;
        file.write((QStringLiteral("write ") + place.text() + u' ' + value.value_or(QStringLiteral("(reset)")) + u'\n').toUtf8());
        for (auto& [p, v] : values_)
            if (p == place) {
                v = value;
                return true;
            }
        values_.emplace_back(place, value);
        return true;
    }

private:
    QString log_;
    std::vector<std::pair<SettingPlace, std::optional<QString>>> values_;
};

}  // namespace

std::unique_ptr<DesktopQueue> sessionQueue() {
    const platform::Environment environment = platform::processEnvironment();
    std::filesystem::path dataHome;
    try {
        dataHome = platform::suiteDataDir().parent_path();
    } catch (const platform::NoDataDir&) {
        // Left empty: every job then fails to find its folders, and says so.
    }
    DesktopQueue::MakeSettings make = [environment]() -> std::unique_ptr<DesktopSettings> {
        if (const QString log = environment("SUITE_DESKTOP_LOG"); !log.isEmpty())
            return std::make_unique<LoggedSettings>(log);
        return sessionSettings(environment);
    };
    return std::make_unique<DesktopQueue>(environment, dataHome, std::move(make));
}

}  // namespace desktop
