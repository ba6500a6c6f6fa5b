// The running copy's socket, and the hand-over from a later start.
#include "timekeeper/core/single_copy.h"

#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>

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

}  // namespace

SingleCopy::SingleCopy(QString socketPath) : path_(std::move(socketPath)) {}

SingleCopy::~SingleCopy() { server_.close(); }

QString SingleCopy::userSocketPath() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/timekeeper.socket");
}

bool SingleCopy::claim(std::function<void()> onAnotherStart) {
    // Not the ".lock" name earlier copies kept a written lock file under: they
    // would take this file, never removed, for a lock still held.
    const TurnLock lock(path_ + QStringLiteral(".turn"), kLockWaitMs);
    const bool locked = lock.locked();

    QLocalSocket call;
    call.connectToServer(path_);
    if (call.waitForConnected(kConnectMs)) {
        call.disconnectFromServer();
        return false;
    }
    // Nobody answers. Without the lock another start may be taking the socket
    // this moment, so this one runs on without it.
    if (!locked) return true;
    // A socket left by a copy that ended without closing it goes. No socket
    // options: the runtime folder is the user's alone, and the options' temporary
    // name would not fit the socket path limit of deep folders.
    QLocalServer::removeServer(path_);
    if (!server_.listen(path_)) return true;
    QObject::connect(&server_, &QLocalServer::newConnection, &server_,
                     [this, onAnotherStart = std::move(onAnotherStart)] {
                         while (QLocalSocket* s = server_.nextPendingConnection()) {
                             s->disconnectFromServer();
                             s->deleteLater();
                             if (onAnotherStart) onAnotherStart();
                         }
                     });
    return true;
}

}  // namespace timekeeper
