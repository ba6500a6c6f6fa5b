// The running copy's socket, and the hand-over from a later start.
#include "timekeeper/core/single_copy.h"

#include <QFile>
#include <QList>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/data_dir.h"

namespace timekeeper {
namespace {

// How long a start waits for the running copy to take its call. A copy that is
// stopped still takes it (the system queues the connection) and comes forward
// when it runs again.
constexpr int kConnectMs = 2000;
// Two copies started at once take turns through a lock file beside the socket.
constexpr int kLockWaitMs = 5000;
// How long the running copy waits for a caller's hand-over, and how much it reads.
constexpr int kHandOverMs = 1000;
constexpr qsizetype kHandOverBytes = 2048;
constexpr qsizetype kTokenBytes = 512;

constexpr char kGreeting[] = "timekeeper-start 1";
constexpr char kTokenName[] = "XDG_ACTIVATION_TOKEN";
constexpr char kStartupName[] = "DESKTOP_STARTUP_ID";

bool sendableToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kTokenBytes) return false;
    for (const char c : token)
        if (c < 0x21 || c > 0x7e) return false;
    return true;
}

// A folder only this user can enter: their own, a real directory (not a link),
// closed to group and others.
bool privateFolder(const QByteArray& dir) {
    struct stat st {};
    return dir.startsWith('/') && ::lstat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// One caller's hand-over, read as it comes, without holding up the event loop.
class HandOver : public QObject {
public:
    HandOver(int fd, QObject* parent, std::function<void(const StartCall&)> done)
        : QObject(parent), fd_(fd), notifier_(fd, QSocketNotifier::Read, this), done_(std::move(done)) {
        connect(&notifier_, &QSocketNotifier::activated, this, &HandOver::read);
        QTimer::singleShot(kHandOverMs, this, &HandOver::finish);
    }
    ~HandOver() override { ::close(fd_); }

private:
    void read() {
        char buffer[512];
        for (;;) {
            const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
            if (got > 0) {
                message_.append(buffer, qMin<qsizetype>(got, kHandOverBytes - message_.size()));
                if (message_.size() < kHandOverBytes) continue;
            } else if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
                return;
            }
            return finish();  // the end, an error, or as much as is read
        }
    }
    void finish() {
        if (finished_) return;
        finished_ = true;
        notifier_.setEnabled(false);
        // A copy from before the hand-over sends nothing: it still comes forward.
        if (done_) done_(parseStartCall(message_));
        deleteLater();
    }

    int fd_;
    QSocketNotifier notifier_;
    std::function<void(const StartCall&)> done_;
    QByteArray message_;
    bool finished_ = false;
};

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

// True when a copy listens at `address` and took the call within `waitMs`; the
// hand-over goes with the call.
bool callRunningCopy(const sockaddr_un& address, int waitMs, const QByteArray& handOver) {
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
    // A few hundred bytes fit the socket's buffer; a running copy that closes at
    // once (one from before the hand-over) has still answered.
    if (answered) (void)::send(fd, handOver.constData(), static_cast<std::size_t>(handOver.size()), MSG_NOSIGNAL);
    ::close(fd);
    return answered;
}

void sayOnce(const QString& text) {
    static bool said = false;
    if (said) return;
    said = true;
    std::fprintf(stderr, "timekeeper: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

QByteArray startCallMessage(const StartCall& call) {
    QByteArray out = QByteArray(kGreeting) + '\n';
    if (sendableToken(call.activationToken)) out += QByteArray(kTokenName) + '=' + call.activationToken + '\n';
    if (sendableToken(call.startupId)) out += QByteArray(kStartupName) + '=' + call.startupId + '\n';
    return out;
}

StartCall parseStartCall(const QByteArray& message) {
    StartCall call;
    const QList<QByteArray> lines = message.split('\n');
    if (lines.isEmpty() || lines.first() != kGreeting) return call;
    for (const QByteArray& line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0) continue;
        const QByteArray name = line.left(eq), value = line.mid(eq + 1);
        if (!sendableToken(value)) continue;
        if (name == kTokenName) call.activationToken = value;
        else if (name == kStartupName) call.startupId = value;
    }
    return call;
}

SingleCopy::SingleCopy(QString socketPath) : path_(std::move(socketPath)) {}

SingleCopy::~SingleCopy() {
    calls_.reset();
    if (listener_ < 0) return;
    ::close(listener_);
    // The next start then finds no socket and need not wait on one nobody answers.
    ::unlink(QFile::encodeName(path_).constData());
}

QString SingleCopy::userSocketPath() {
    static const QString kName = QStringLiteral("/timekeeper.socket");
    // Empty when `dir` will do, else why not.
    auto unusable = [](const QByteArray& dir) -> QString {
        if (!privateFolder(dir))
            return QStringLiteral("%1 is not a folder of this user's alone").arg(QFile::decodeName(dir));
        if (!addressOf(QFile::decodeName(dir) + kName))
            return QStringLiteral("%1 is too long a path for a socket").arg(QFile::decodeName(dir));
        return {};
    };
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QString why = runtime.isEmpty() ? QStringLiteral("XDG_RUNTIME_DIR is not set") : unusable(runtime);
    if (why.isEmpty()) return QFile::decodeName(runtime) + kName;
    try {
        const std::filesystem::path run = platform::suiteDataDir() / "run";
        std::error_code ignored;
        std::filesystem::create_directories(run.parent_path(), ignored);
        ::mkdir(run.c_str(), 0700);
        const QByteArray dir(run.c_str());
        const QString runWhy = unusable(dir);
        if (runWhy.isEmpty()) {
            sayOnce(QStringLiteral("%1; the one-copy socket is in %2").arg(why, QFile::decodeName(dir)));
            return QFile::decodeName(dir) + kName;
        }
        why += QStringLiteral(", and ") + runWhy;
    } catch (const std::exception& e) {
        why += QStringLiteral(", and ") + QString::fromLocal8Bit(e.what());
    }
    sayOnce(why + QStringLiteral("; running without the one-copy check"));
    return {};
}

bool SingleCopy::claim(std::function<void(const StartCall&)> onAnotherStart) {
    // No socket (no private folder for one): alone, and nothing written anywhere.
    const std::optional<sockaddr_un> address = addressOf(path_);
    if (!address) return true;
    // Not the ".lock" name earlier copies kept a written lock file under: they
    // would take this file, never removed, for a lock still held.
    const TurnLock lock(path_ + QStringLiteral(".turn"), kLockWaitMs);
    const bool locked = lock.locked();

    const StartCall mine{qgetenv(kTokenName), qgetenv(kStartupName)};
    if (callRunningCopy(*address, kConnectMs, startCallMessage(mine))) return false;
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
    onAnotherStart_ = std::move(onAnotherStart);
    calls_ = std::make_unique<QSocketNotifier>(listener_, QSocketNotifier::Read);
    QObject::connect(calls_.get(), &QSocketNotifier::activated, calls_.get(), [this] {
        int call;
        while ((call = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0)
            new HandOver(call, calls_.get(), onAnotherStart_);
    });
    return true;
}

}  // namespace timekeeper
