// The running copy's socket, and the hand-over from a later start.
#include "timekeeper/core/single_copy.h"

#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace timekeeper {
namespace {

// How long a start waits for the running copy to take its call. A copy that is
// stopped still takes it (the system queues the connection) and comes forward
// when it runs again.
constexpr int kConnectMs = 2000;
// Two copies started at once take turns through a lock file beside the socket.
constexpr int kLockWaitMs = 5000;

}  // namespace

SingleCopy::SingleCopy(QString socketPath) : path_(std::move(socketPath)) {}

SingleCopy::~SingleCopy() { server_.close(); }

QString SingleCopy::userSocketPath() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/timekeeper.socket");
}

bool SingleCopy::claim(std::function<void()> onAnotherStart) {
    QLockFile lock(path_ + QStringLiteral(".lock"));
    const bool locked = lock.tryLock(kLockWaitMs);

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
