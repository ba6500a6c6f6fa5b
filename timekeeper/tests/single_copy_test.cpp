// One copy per user, tried on a private socket: a later start hands over and ends.
#include "timekeeper/core/single_copy.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QDir>

#include <gtest/gtest.h>

using timekeeper::SingleCopy;

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
    ASSERT_TRUE(running.claim([&asked] { ++asked; }));
    for (int start = 1; start <= 2; ++start) {
        SingleCopy later(path);
        EXPECT_FALSE(later.claim([] { ADD_FAILURE() << "a later start took calls"; }));
        EXPECT_TRUE(waitFor([&] { return asked == start; })) << start;
    }
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
    ASSERT_TRUE(next.claim([&asked] { ++asked; }));
    SingleCopy later(path);
    EXPECT_FALSE(later.claim({}));
    EXPECT_TRUE(waitFor([&] { return asked == 1; }));
}
