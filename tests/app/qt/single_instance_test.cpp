#include "app/qt/single_instance.h"
#include "app/qt/talvex_app.h"
#include "qt_test_app.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace talvex {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::qtTestApp();
        ASSERT_TRUE(dir.isValid());
    }
    QString folder() const { return dir.path(); }

    QTemporaryDir dir;
};

TEST_F(SingleInstanceTest, SecondCopyGivesWayAndAsksTheFirstToComeForward) {
    SingleInstance first(folder(), SingleInstance::kKey);
    int requests = 0;
    QObject::connect(&first, &SingleInstance::activationRequested, [&] { ++requests; });
    ASSERT_TRUE(first.claim());

    SingleInstance second(folder(), SingleInstance::kKey);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(testing::spinUntil([&] { return requests == 1; }));
    EXPECT_TRUE(first.holdsLock());
    EXPECT_FALSE(second.holdsLock());

    // A third start works the same way.
    SingleInstance third(folder(), SingleInstance::kKey);
    EXPECT_FALSE(third.claim());
    EXPECT_TRUE(testing::spinUntil([&] { return requests == 2; }));
}

TEST_F(SingleInstanceTest, TheLeadingBlankIsPartOfTheName) {
    SingleInstance first(folder(), SingleInstance::kKey);
    ASSERT_TRUE(first.claim());
    SingleInstance withoutBlank(folder(), SingleInstance::kKey.mid(1));
    EXPECT_TRUE(withoutBlank.claim());
}

TEST_F(SingleInstanceTest, NextCopyStartsAfterTheFirstHasEnded) {
    {
        SingleInstance first(folder(), SingleInstance::kKey);
        ASSERT_TRUE(first.claim());
    }
    SingleInstance next(folder(), SingleInstance::kKey);
    EXPECT_TRUE(next.claim());
}

TEST_F(SingleInstanceTest, LockAndSocketLeftByACrashedCopyDoNotBlockTheNextStart) {
    SingleInstance probe(folder(), SingleInstance::kKey);
    // A process id that surely belongs to no running process: a child that has been reaped.
    pid_t dead = ::fork();
    ASSERT_GE(dead, 0);
    if (dead == 0)
        ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    QFile lock(probe.lockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(dead) + "\nKestrix\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();
    // A socket file whose server is gone.
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QByteArray path = QFile::encodeName(probe.socketPath());
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);

    SingleInstance next(folder(), SingleInstance::kKey);
    ASSERT_TRUE(next.claim());
    int requests = 0;
    QObject::connect(&next, &SingleInstance::activationRequested, [&] { ++requests; });
    SingleInstance later(folder(), SingleInstance::kKey);
    EXPECT_FALSE(later.claim());
    EXPECT_TRUE(testing::spinUntil([&] { return requests == 1; }));
}

TEST_F(SingleInstanceTest, SecondCopyEndsWithinASecondWhenTheFirstDoesNotAnswer) {
    // The first copy holds the lock but is not serving yet (still starting, or hung).
    QLockFile held(SingleInstance(folder(), SingleInstance::kKey).lockPath());
    ASSERT_TRUE(held.tryLock(0));
    QElapsedTimer clock;
    clock.start();
    SingleInstance second(folder(), SingleInstance::kKey);
    EXPECT_FALSE(second.claim());
    EXPECT_LT(clock.elapsed(), 2500); // gives up after one second; slack for a loaded machine
}

TEST_F(SingleInstanceTest, OnlyTheExactRequestBringsTheFirstCopyForward) {
    SingleInstance first(folder(), SingleInstance::kKey);
    int requests = 0;
    QObject::connect(&first, &SingleInstance::activationRequested, [&] { ++requests; });
    ASSERT_TRUE(first.claim());
    QLocalSocket stranger;
    stranger.connectToServer(first.socketPath());
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write("raise everything\n");
    stranger.flush();
    EXPECT_TRUE(
        testing::spinUntil([&] { return stranger.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(requests, 0);
}

TEST_F(SingleInstanceTest, UnusableFolderRunsAsTheFirstCopy) {
    SingleInstance first(folder() + "/missing/folder", SingleInstance::kKey);
    EXPECT_TRUE(first.claim());
    EXPECT_FALSE(first.holdsLock()); // so it sweeps no data folder another copy may save in
}

TEST_F(SingleInstanceTest, SecondStartShowsTheHiddenWindowOfTheFirstCopy) {
    CTalvexApp first(folder());
    ASSERT_TRUE(first.initInstance());
    QWidget window;
    first.setMainWindow(&window);
    window.showMinimized();
    window.hide(); // living in the notification area only

    CTalvexApp second(folder());
    EXPECT_FALSE(second.initInstance());
    EXPECT_TRUE(first.holdsInstanceLock());
    EXPECT_FALSE(second.holdsInstanceLock());
    EXPECT_TRUE(testing::spinUntil([&] { return window.isVisible(); }));
    EXPECT_FALSE(window.isMinimized());
}

TEST_F(SingleInstanceTest, RequestBeforeTheWindowExistsShowsItWhenItArrives) {
    CTalvexApp first(folder());
    ASSERT_TRUE(first.initInstance());
    CTalvexApp second(folder());
    EXPECT_FALSE(second.initInstance());
    testing::spinUntil([] { return false; }, 200); // let the request arrive
    QWidget window;
    first.setMainWindow(&window);
    EXPECT_TRUE(window.isVisible());
}

} // namespace
} // namespace talvex
