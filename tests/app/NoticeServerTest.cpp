#include "app/endpoint/AbstractSocket.h"
#include <KestrelCtl.h>
#include "app/NoticeServer.h"
#include <NotifyCommand.h>

#include <FileTestSupport.h>

#include <QLocalSocket>
#include <QTest>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <sstream>

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

// A notice server listening on a name of its own, keeping what it receives.
struct ServerRig {
    std::string name = "kestrel-server-test." + std::to_string(getpid()) + '.' + std::to_string(++made);
    NoticeServer server;
    std::vector<Notice> received;
    int showRequests = 0;

    explicit ServerRig(std::chrono::milliseconds lineTimeout = NoticeServer::kLineTimeout)
        : server(nullptr, lineTimeout)
    {
        QObject::connect(&server, &NoticeServer::noticeReceived, [this](Notice notice) { received.push_back(notice); });
        QObject::connect(&server, &NoticeServer::showRequested, [this] { ++showRequests; });
    }

    bool listen() { return server.listen(name); }
    // A client connected to the server's abstract name.
    void connect(QLocalSocket& client) const
    {
        client.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        client.connectToServer(QString::fromStdString(name));
    }
    bool waitFor(std::size_t count)
    {
        return QTest::qWaitFor([&] { return received.size() >= count; }, 5000);
    }

    static inline int made = 0;
};

} // namespace

TEST(NoticeServer, EveryLineIsANoticeAndOthersAreDropped)
{
    ServerRig rig;
    ASSERT_TRUE(rig.listen());
    QLocalSocket client;
    rig.connect(client);
    ASSERT_TRUE(client.waitForConnected(5000));
    client.write("5 1\nnot a notice\n7 2\n9 ");
    client.flush();
    ASSERT_TRUE(rig.waitFor(2));
    // The end of a line may come in a later piece.
    client.write("12\n");
    client.flush();
    ASSERT_TRUE(rig.waitFor(3));
    EXPECT_EQ(rig.received, (std::vector<Notice>{{5, 1}, {7, 2}, {9, 12}}));
    EXPECT_EQ(rig.showRequests, 0);
}

TEST(NoticeServer, ShowRequestsAreHandedOnApartFromNotices)
{
    ServerRig rig;
    ASSERT_TRUE(rig.listen());
    QLocalSocket client;
    rig.connect(client);
    ASSERT_TRUE(client.waitForConnected(5000));
    client.write("show\n14 0\n show \nshow 1\n");
    client.flush();
    ASSERT_TRUE(rig.waitFor(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.showRequests == 2; }, 5000));
    EXPECT_EQ(rig.received, (std::vector<Notice>{{14, 0}}));
}

TEST(NoticeServer, AnswersOnASocketThatAlreadyListens)
{
    ServerRig rig;
    ASSERT_TRUE(rig.server.adopt(AbstractSocket::listenOn(rig.name, 4)));
    std::ostringstream err;
    EXPECT_EQ(ctl::NotifyCommand(err, rig.name).run({"7", "3"}), 0);
    ASSERT_TRUE(rig.waitFor(1));
    EXPECT_EQ(rig.received, (std::vector<Notice>{{7, 3}}));
    // Nothing to answer on.
    EXPECT_FALSE(rig.server.adopt(-1));
}

namespace {

bool droppedByServer(QLocalSocket& client)
{
    return QTest::qWaitFor([&] { return client.state() == QLocalSocket::UnconnectedState; }, 5000);
}

bool sendsNoticeThrough(ServerRig& rig, int value)
{
    std::ostringstream err;
    const std::size_t before = rig.received.size();
    return ctl::NotifyCommand(err, rig.name).run({"9", std::to_string(value)}) == 0 && rig.waitFor(before + 1)
           && rig.received.back() == Notice{9, value};
}

} // namespace

TEST(NoticeServer, SendersThatHogTheSocketAreDropped)
{
    ServerRig rig(std::chrono::milliseconds(50));
    ASSERT_TRUE(rig.listen());

    QLocalSocket unfinished;
    rig.connect(unfinished);
    ASSERT_TRUE(unfinished.waitForConnected(5000));
    unfinished.write("9 1");
    unfinished.flush();
    EXPECT_TRUE(droppedByServer(unfinished));

    QLocalSocket longLine;
    rig.connect(longLine);
    ASSERT_TRUE(longLine.waitForConnected(5000));
    longLine.write(QByteArray(200, '7') + "\n");
    longLine.flush();
    EXPECT_TRUE(droppedByServer(longLine));

    QLocalSocket endless;
    rig.connect(endless);
    ASSERT_TRUE(endless.waitForConnected(5000));
    endless.write(QByteArray(200, ' '));
    endless.flush();
    EXPECT_TRUE(droppedByServer(endless));

    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.server.connectionCount() == 0; }, 5000));
    EXPECT_TRUE(rig.received.empty());
    EXPECT_TRUE(sendsNoticeThrough(rig, 1));
}

TEST(NoticeServer, ConnectionsBeyondTheCapAreTurnedAway)
{
    ServerRig rig;
    ASSERT_TRUE(rig.listen());
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < NoticeServer::kMaxConnections; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        rig.connect(*idle.back());
        ASSERT_TRUE(idle.back()->waitForConnected(5000));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.server.connectionCount() == NoticeServer::kMaxConnections; }, 5000));
    QLocalSocket extra;
    rig.connect(extra);
    EXPECT_TRUE(droppedByServer(extra));
    EXPECT_EQ(rig.server.connectionCount(), NoticeServer::kMaxConnections);

    idle.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.server.connectionCount() == 0; }, 5000));
    EXPECT_TRUE(sendsNoticeThrough(rig, 2));
}

TEST(NoticeServer, RunningOutOfFileDescriptorsDoesNotCloseTheSocket)
{
    ServerRig rig;
    ASSERT_TRUE(rig.listen());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, rig.name.data(), rig.name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + rig.name.size());

    // The senders' sockets exist before the descriptors run out; only the server's accepts fail.
    std::vector<int> senders;
    for (int i = 0; i < 4; ++i)
        senders.push_back(socket(AF_UNIX, SOCK_STREAM, 0));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    std::vector<int> fillers;
    for (int fd = dup(0); fd >= 0; fd = dup(0)) {
        fillers.push_back(fd);
        if (fillers.size() == 1) {
            rlimit lowered = saved;
            lowered.rlim_cur = static_cast<rlim_t>(fd + 1);
            ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);
        }
    }
    for (const int sender : senders) {
        ASSERT_EQ(::connect(sender, reinterpret_cast<const sockaddr*>(&address), length), 0);
        ASSERT_EQ(::send(sender, "9 5\n", 4, MSG_NOSIGNAL), 4);
    }
    // Each sender learns that it was turned away.
    for (const int sender : senders) {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                char byte = 0;
                return recv(sender, &byte, 1, MSG_DONTWAIT) != -1 || (errno != EAGAIN && errno != EWOULDBLOCK);
            },
            5000));
    }
    for (const int fd : fillers)
        ::close(fd);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
    for (const int sender : senders)
        ::close(sender);

    EXPECT_TRUE(sendsNoticeThrough(rig, 3));
}

TEST(NotifyCommand, DeliversTheNoticeToTheRunningCopy)
{
    ServerRig rig;
    ASSERT_TRUE(rig.listen());
    std::ostringstream err;
    EXPECT_EQ(ctl::NotifyCommand(err, rig.name).run({"8", "2"}), 0);
    EXPECT_EQ(ctl::NotifyCommand(err, rig.name).run({"9", "-3"}), 0);
    ASSERT_TRUE(rig.waitFor(2));
    EXPECT_EQ(rig.received, (std::vector<Notice>{{8, 2}, {9, -3}}));
    EXPECT_EQ(err.str(), "");
}

TEST(NotifyCommand, SaysSoWhenNoCopyRuns)
{
    const ServerRig rig;
    std::ostringstream err;
    EXPECT_EQ(ctl::NotifyCommand(err, rig.name).run({"14", "0"}), 1);
    EXPECT_EQ(err.str(), "kestrelctl: no running copy of kestrel to notify (nothing listens on @" + rig.name + ")\n");
}

// Whether kestrelctl reaches the user's own running copy is tested with the
// real programs in a network namespace of their own; here only what never connects.
TEST(NotifyCommand, KestrelctlTakesKindAndValueAsWholeNumbers)
{
    std::ostringstream out;
    std::ostringstream err;
    ctl::KestrelCtl ctl(out, err);
    EXPECT_EQ(ctl.run({"notify", "15"}), 2);
    EXPECT_EQ(ctl.run({"notify", "15", "x"}), 2);
    EXPECT_EQ(ctl.run({"notify", "1.5", "0"}), 2);
    EXPECT_EQ(err.str(), "kestrelctl: notify takes 2 arguments: KIND VALUE\n"
                         "kestrelctl: notify: KIND and VALUE must be whole numbers\n"
                         "kestrelctl: notify: KIND and VALUE must be whole numbers\n");
}
