#include "app/qt/single_instance.h"
#include "app/qt/talvex_app.h"
#include "cli/window_client.h"
#include "qt_test_app.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
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

    // kestrix-cli blocks, so it asks from its own thread while this one serves.
    static WindowAnswer askServing(const QString& socket, const ForwardedRequest& request,
                                   std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::atomic<bool> done = false;
        WindowAnswer answer;
        std::thread client([&] {
            answer = askWindow(socket.toStdString(), request, timeout);
            done = true;
        });
        testing::spinUntil([&] { return done.load(); }, 15000);
        client.join();
        return answer;
    }

    // What the window answers a stranger that sends `bytes` after the greeting.
    static ForwardedReply answerToRaw(const QString& socket, const QByteArray& bytes) {
        QLocalSocket stranger;
        stranger.connectToServer(socket);
        EXPECT_TRUE(stranger.waitForConnected(1000));
        stranger.write("forward\n" + bytes);
        QByteArray got;
        testing::spinUntil([&] {
            got += stranger.readAll();
            return stranger.state() == QLocalSocket::UnconnectedState;
        });
        got += stranger.readAll();
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(got.constData());
        const std::size_t size = static_cast<std::size_t>(got.size());
        // The reply's length, the reply, and nothing after it.
        EXPECT_TRUE(size >= kFrameLengthBytes &&
                    decodeFrameLength(std::span<const std::uint8_t, kFrameLengthBytes>(bytes, 4)) ==
                        size - kFrameLengthBytes);
        std::string error;
        return decodeReply(std::span(bytes, size).subspan(std::min(size, kFrameLengthBytes)), error)
            .value_or(ForwardedReply{});
    }

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

TEST_F(SingleInstanceTest, TheWindowAnswersAForwardedCommandWhenItsWorkIsDone) {
    SingleInstance window(folder(), SingleInstance::kKey);
    ASSERT_TRUE(window.claim());
    ForwardedRequest request;
    request.command = ForwardedCommand::Apply;
    request.args = {"led=3"};
    request.configuration.assign(10060, 7);
    const ForwardedReply reply{ForwardStatus::Done, 1, "applied\n", "", {"> 01"}, {}};
    ForwardedRequest received;
    window.setForwardHandler([&](const ForwardedRequest& asked, auto answer) {
        received = asked;
        QTimer::singleShot(50, [answer, reply] { answer(reply); });
    });
    const WindowAnswer answer = askServing(window.socketPath(), request);
    EXPECT_EQ(answer.outcome, WindowOutcome::Answered) << answer.detail;
    EXPECT_EQ(answer.reply, reply);
    EXPECT_EQ(received, request);

    window.setForwardHandler({});
    const WindowAnswer unhandled = askServing(window.socketPath(), request);
    EXPECT_EQ(unhandled.outcome, WindowOutcome::Answered) << unhandled.detail;
    EXPECT_EQ(unhandled.reply.status, ForwardStatus::NotMine);
}

TEST_F(SingleInstanceTest, AMalformedForwardedCommandIsRefusedWithoutReachingTheHandler) {
    SingleInstance window(folder(), SingleInstance::kKey);
    ASSERT_TRUE(window.claim());
    int handled = 0;
    window.setForwardHandler([&](const ForwardedRequest&, auto) { ++handled; });
    const std::vector<std::uint8_t> empty = encodeRequest({});
    QByteArray otherVersion =
        QByteArray("\x1b\0\0\0", 4) + QByteArray(reinterpret_cast<const char*>(empty.data()), 27);
    otherVersion[8] = 2;
    const struct {
        QByteArray bytes;
        const char* says;
    } cases[] = {
        {QByteArray("\x05\0\0\0hello", 9), "does not start with the mark"},
        {QByteArray("\xff\xff\xff\x7f", 4), "a request of 2147483647 bytes is more than"},
        {otherVersion, "version 1 was expected"},
    };
    for (const auto& bad : cases) {
        const ForwardedReply reply = answerToRaw(window.socketPath(), bad.bytes);
        EXPECT_EQ(reply.status, ForwardStatus::Done);
        EXPECT_EQ(reply.exitCode, 2);
        EXPECT_TRUE(reply.err.starts_with("kestrix-cli: the window refused the request: "));
        EXPECT_NE(reply.err.find(bad.says), std::string::npos) << reply.err;
    }
    EXPECT_EQ(handled, 0);
}

TEST_F(SingleInstanceTest, TheCommandLineTellsNoWindowFromAWindowThatDoesNotAnswer) {
    const std::string tooLong = "/" + std::string(200, 'x');
    for (const std::string& nobody : {(folder() + "/nobody").toStdString(), tooLong}) {
        const WindowAnswer answer = askServing(QString::fromStdString(nobody), {});
        EXPECT_EQ(answer.outcome, WindowOutcome::NoWindow) << nobody;
        EXPECT_FALSE(answer.detail.empty());
    }

    SingleInstance window(folder(), SingleInstance::kKey);
    ASSERT_TRUE(window.claim());
    SingleInstance::ForwardAnswer late;
    window.setForwardHandler([&](const ForwardedRequest&, auto answer) { late = answer; });
    const WindowAnswer answer = askServing(window.socketPath(), {}, std::chrono::milliseconds(300));
    EXPECT_EQ(answer.outcome, WindowOutcome::NoAnswer);
    ASSERT_TRUE(late);
    testing::spinUntil([] { return false; }, 100); // the connection is gone and deleted
    late({});                                      // and answering it now does nothing
}

} // namespace
} // namespace talvex
