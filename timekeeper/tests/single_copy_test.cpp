// One copy per user, tried on a private socket: a later start hands over and ends.
#include "timekeeper/core/single_copy.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using timekeeper::SingleCopy;
using timekeeper::StartCall;

namespace {

// A socket of its own in the test's private runtime folder (socket paths are short).
QString privateSocket(const char* name) {
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR", QDir::tempPath());
    QFile::remove(dir + "/" + name);
    return dir + "/" + name;
}

bool waitFor(const std::function<bool()>& done) {
    QDeadlineTimer deadline(10'000);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

}  // namespace

TEST(single_copy, a_later_start_brings_the_running_copy_forward) {
    const QString path = privateSocket("forward.socket");
    int asked = 0;
    SingleCopy running(path);
    QList<StartCall> calls;
    ASSERT_TRUE(running.claim([&](const StartCall& call) { ++asked, calls << call; }));
    qputenv("XDG_ACTIVATION_TOKEN", "tok-1");
    qputenv("DESKTOP_STARTUP_ID", "launcher-2_TIME123");
    for (int start = 1; start <= 2; ++start) {
        SingleCopy later(path);
        EXPECT_FALSE(later.claim([](const StartCall&) { ADD_FAILURE() << "a later start took calls"; }));
        EXPECT_TRUE(waitFor([&] { return asked == start; })) << start;
        qputenv("XDG_ACTIVATION_TOKEN", "bad token\nDESKTOP_STARTUP_ID=planted");
    }
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].activationToken, "tok-1");
    EXPECT_EQ(calls[0].startupId, "launcher-2_TIME123");
    // A token that could forge a line is not sent at all.
    EXPECT_TRUE(calls[1].activationToken.isEmpty());
    EXPECT_EQ(calls[1].startupId, "launcher-2_TIME123");
    // What an older copy or a stranger sends brings the window forward with no token.
    EXPECT_TRUE(timekeeper::parseStartCall("XDG_ACTIVATION_TOKEN=x\n").activationToken.isEmpty());
    EXPECT_TRUE(timekeeper::parseStartCall(QByteArray()).startupId.isEmpty());
}

TEST(single_copy, the_socket_is_only_ever_in_a_private_folder) {
    // Short: a socket's whole path must fit in about a hundred bytes.
    QTemporaryDir scratch(QStringLiteral("/tmp/tk-XXXXXX"));
    ASSERT_TRUE(scratch.isValid());
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR"), oldData = qgetenv("XDG_DATA_HOME");
    const QString runtime = scratch.filePath("rt"), data = scratch.filePath("data");
    ASSERT_TRUE(QDir().mkpath(runtime));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    const QString fallback = data + "/shellstyle-suite/run/timekeeper.socket";

    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    EXPECT_EQ(SingleCopy::userSocketPath(), runtime + "/timekeeper.socket");
    // Open to others, a link to a private folder, or missing: the data folder's own.
    ::chmod(QFile::encodeName(runtime).constData(), 0755);
    EXPECT_EQ(SingleCopy::userSocketPath(), fallback);
    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    ASSERT_TRUE(QFile::link(runtime, scratch.filePath("link")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(scratch.filePath("link")));
    EXPECT_EQ(SingleCopy::userSocketPath(), fallback);
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(SingleCopy::userSocketPath(), fallback);
    QFileInfo run(data + "/shellstyle-suite/run");
    EXPECT_EQ(run.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), QFile::Permissions());
    // Not even that folder is private: no socket, never one at the root.
    ::chmod(QFile::encodeName(run.filePath()).constData(), 0777);
    EXPECT_EQ(SingleCopy::userSocketPath(), QString());
    SingleCopy alone(SingleCopy::userSocketPath());
    EXPECT_TRUE(alone.claim({}));
    EXPECT_FALSE(QFile::exists(".turn"));

    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    qputenv("XDG_DATA_HOME", oldData);
}

TEST(single_copy, a_socket_left_behind_does_not_stop_the_next_start) {
    const QString path = privateSocket("left.socket");
    {
        SingleCopy ended(path);
        ASSERT_TRUE(ended.claim({}));
    }
    // A copy that was killed leaves its socket file (here, something in its place).
    QFile left(path);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    int asked = 0;
    SingleCopy next(path);
    ASSERT_TRUE(next.claim([&asked](const StartCall&) { ++asked; }));
    SingleCopy later(path);
    EXPECT_FALSE(later.claim({}));
    EXPECT_TRUE(waitFor([&] { return asked == 1; }));
}
