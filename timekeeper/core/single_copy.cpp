// The running copy's socket, and the hand-over from a later start.
#include "timekeeper/core/single_copy.h"

#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

namespace timekeeper {
namespace {

// How long a start waits for the running copy to take its call. A copy that is
// stopped still takes it (the system queues the connection) and comes forward
// when it runs again.
constexpr int kConnectMs = 2000;
// Two copies started at once take turns through a lock file beside the socket.
constexpr int kLockWaitMs = 5000;

// An advisory lock on a file beside the socket, held while this object lives.
// The system drops it when the holder ends, so a crashed copy leaves no stale
// lock, and taking it writes nothing (a written lock file costs a disk sync,
// tens of milliseconds of every start).
class TurnLock {
public:
    TurnLock(const QString& path, int waitMs) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd_ < 0) return;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (!(locked_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0) && std::chrono::steady_clock::now() < deadline)
            QThread::msleep(10);
    }
    ~TurnLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    TurnLock(const TurnLock&) = delete;
    TurnLock& operator=(const TurnLock&) = delete;
    bool locked() const { return locked_; }

private:
    int fd_ = -1;
    bool locked_ = false;
};

// The socket's address, or nothing when the path does not fit one.
std::optional<sockaddr_un> addressOf(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    return address;
}

// True when a copy listens at `address` and took the call within `waitMs`.
bool callRunningCopy(const sockaddr_un& address, int waitMs) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    bool answered = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!answered && (errno == EAGAIN || errno == EINPROGRESS)) {
        // The running copy's queue is full: wait for room.
        pollfd ready{fd, POLLOUT, 0};
        int error = 0;
        socklen_t length = sizeof error;
        answered = ::poll(&ready, 1, waitMs) == 1 &&
                   ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
    }
    ::close(fd);
    return answered;
}

}  // namespace

SingleCopy::SingleCopy(QString socketPath) : path_(std::move(socketPath)) {}

SingleCopy::~SingleCopy() {
    calls_.reset();
    if (listener_ < 0) return;
    ::close(listener_);
    // The next start then finds no socket and need not wait on one nobody answers.
    ::unlink(QFile::encodeName(path_).constData());
}

QString SingleCopy::userSocketPath() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/timekeeper.socket");
}

bool SingleCopy::claim(std::function<void()> onAnotherStart) {
    // Not the ".lock" name earlier copies kept a written lock file under: they
    // would take this file, never removed, for a lock still held.
    const TurnLock lock(path_ + QStringLiteral(".turn"), kLockWaitMs);
    const bool locked = lock.locked();

    const std::optional<sockaddr_un> address = addressOf(path_);
    if (!address) return true;
    if (callRunningCopy(*address, kConnectMs)) return false;
    // Nobody answers. Without the lock another start may be taking the socket
    // this moment, so this one runs on without it.
    if (!locked) return true;
    // A socket left by a copy that ended without closing it goes (the name only:
    // a link there is removed, never followed).
    ::unlink(address->sun_path);
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener_ < 0) return true;
    if (::bind(listener_, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        ::listen(listener_, SOMAXCONN) != 0) {
        ::close(listener_);
        listener_ = -1;
        return true;
    }
    calls_ = std::make_unique<QSocketNotifier>(listener_, QSocketNotifier::Read);
    QObject::connect(calls_.get(), &QSocketNotifier::activated, calls_.get(),
                     [this, onAnotherStart = std::move(onAnotherStart)] {
                         int call;
                         while ((call = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
                             ::close(call);
                             if (onAnotherStart) onAnotherStart();
                         }
                     });
    return true;
}

}  // namespace timekeeper
