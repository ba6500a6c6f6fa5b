// One copy of the program per user: a later start hands over to the
// running one, whose window comes forward, and ends.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace timekeeper {

// What a later start hands over: the tokens its launcher gave it, with which the
// compositor (XDG_ACTIVATION_TOKEN) or the window manager (DESKTOP_STARTUP_ID)
// lets the running copy's window come to the front. Empty when not given.
struct StartCall {
    QByteArray activationToken;
    QByteArray startupId;
};

// The hand-over as sent on the socket: "timekeeper-start 1" and one NAME=value line
// per token. A token with bytes outside printable ASCII, or longer than 512 bytes,
// is left out; so is anything unknown when read back.
QByteArray startCallMessage(const StartCall& call);
StartCall parseStartCall(const QByteArray& message);

class SingleCopy {
public:
    // `socketPath`: where the running copy listens; one per user.
    explicit SingleCopy(QString socketPath);
    ~SingleCopy();
    SingleCopy(const SingleCopy&) = delete;
    SingleCopy& operator=(const SingleCopy&) = delete;

    // The socket in a folder only the user can enter: the runtime folder
    // (XDG_RUNTIME_DIR) when it is the user's own, a directory and closed to others;
    // else a "run" folder under the suite's data folder. Empty when neither will do:
    // the program then runs without the one-copy check. Never a shared folder. Any
    // fallback is said once on standard error.
    static QString userSocketPath();

    // True when this process is the one copy: from now on every later start calls
    // `onAnotherStart` (from the event loop) with what it handed over. False when a
    // copy already runs; it has been handed this start's tokens (taken from the
    // environment) and told to come forward, and this process should end. When no
    // socket can be made the program runs anyway, alone as far as it can tell.
    bool claim(std::function<void(const StartCall&)> onAnotherStart);

private:
    QString path_;
    int listener_ = -1;
    std::unique_ptr<QSocketNotifier> calls_;
    std::function<void(const StartCall&)> onAnotherStart_;
};

}  // namespace timekeeper
