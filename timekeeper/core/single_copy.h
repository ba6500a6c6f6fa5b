// One copy of the program per user: a later start hands over to the
// running one, whose window comes forward, and ends.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace timekeeper {

class SingleCopy {
public:
    // `socketPath`: where the running copy listens; one per user.
    explicit SingleCopy(QString socketPath);
    ~SingleCopy();
    SingleCopy(const SingleCopy&) = delete;
    SingleCopy& operator=(const SingleCopy&) = delete;

    // The socket in the user's own runtime folder (XDG_RUNTIME_DIR, which only the
    // user can enter).
    static QString userSocketPath();

    // True when this process is the one copy: from now on every later start calls
    // `onAnotherStart` (from the event loop). False when a copy already runs; it has
    // been told to come forward, and this process should end. When no socket can be
    // made the program runs anyway, alone as far as it can tell.
    bool claim(std::function<void()> onAnotherStart);

private:
    QString path_;
    int listener_ = -1;
    std::unique_ptr<QSocketNotifier> calls_;
};

}  // namespace timekeeper
