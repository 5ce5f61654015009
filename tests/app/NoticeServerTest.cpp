#include <KestrelCtl.h>
#include <NoticeServer.h>
#include <NotifyCommand.h>

#include <FileTestSupport.h>

#include <QLocalSocket>
#include <QTest>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

// A notice server listening in a fresh runtime folder, keeping what it receives.
struct ServerRig {
    test::ScratchFolder runtime;
    NoticeServer server;
    std::vector<Notice> received;

    explicit ServerRig(std::chrono::milliseconds lineTimeout = NoticeServer::kLineTimeout)
        : server(nullptr, lineTimeout)
    {
        QObject::connect(&server, &NoticeServer::noticeReceived, [this](Notice notice) { received.push_back(notice); });
    }

    bool listen() { return server.listen(NoticeEndpoint::socketFile(runtime.path())); }
    QString socketName() const { return QString::fromStdString(NoticeEndpoint::socketFile(runtime.path()).string()); }
    bool waitFor(std::size_t count)
    {
        return QTest::qWaitFor([&] { return received.size() >= count; }, 5000);
    }
};

// Sets an environment variable for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value)
        : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(NoticeServer, EveryLineIsANoticeAndOthersAreDropped)
{
    ServerRig rig;
    ASSERT_TRUE(rig.listen());
    QLocalSocket client;
    client.connectToServer(QString::fromStdString(NoticeEndpoint::socketFile(rig.runtime.path()).string()));
    ASSERT_TRUE(client.waitForConnected(5000));
    client.write("5 1\nnot a notice\n7 2\n9 ");
    client.flush();
    ASSERT_TRUE(rig.waitFor(2));
    // The end of a line may come in a later piece.
    client.write("12\n");
    client.flush();
    ASSERT_TRUE(rig.waitFor(3));
    EXPECT_EQ(rig.received, (std::vector<Notice>{{5, 1}, {7, 2}, {9, 12}}));
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
    return ctl::NotifyCommand(err, rig.runtime.path()).run({"9", std::to_string(value)}) == 0 && rig.waitFor(before + 1)
           && rig.received.back() == Notice{9, value};
}

} // namespace

TEST(NoticeServer, SendersThatHogTheSocketAreDropped)
{
    ServerRig rig(std::chrono::milliseconds(50));
    ASSERT_TRUE(rig.listen());

    QLocalSocket unfinished;
    unfinished.connectToServer(rig.socketName());
    ASSERT_TRUE(unfinished.waitForConnected(5000));
    unfinished.write("9 1");
    unfinished.flush();
    EXPECT_TRUE(droppedByServer(unfinished));

    QLocalSocket longLine;
    longLine.connectToServer(rig.socketName());
    ASSERT_TRUE(longLine.waitForConnected(5000));
    longLine.write(QByteArray(200, '7') + "\n");
    longLine.flush();
    EXPECT_TRUE(droppedByServer(longLine));

    QLocalSocket endless;
    endless.connectToServer(rig.socketName());
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
        idle.back()->connectToServer(rig.socketName());
        ASSERT_TRUE(idle.back()->waitForConnected(5000));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.server.connectionCount() == NoticeServer::kMaxConnections; }, 5000));
    QLocalSocket extra;
    extra.connectToServer(rig.socketName());
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
    const std::string path = NoticeEndpoint::socketFile(rig.runtime.path()).string();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

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
        ASSERT_EQ(::connect(sender, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
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

    EXPECT_TRUE(std::filesystem::exists(NoticeEndpoint::socketFile(rig.runtime.path())));
    EXPECT_TRUE(sendsNoticeThrough(rig, 3));
}

TEST(NoticeServer, ASocketLeftByAnEndedCopyIsReplaced)
{
    ServerRig rig;
    test::writeFile(NoticeEndpoint::socketFile(rig.runtime.path()), "left behind");
    EXPECT_TRUE(rig.listen());
}

TEST(NotifyCommand, DeliversTheNoticeToTheRunningCopy)
{
    ServerRig rig;
    ASSERT_TRUE(rig.listen());
    std::ostringstream err;
    EXPECT_EQ(ctl::NotifyCommand(err, rig.runtime.path()).run({"8", "2"}), 0);
    EXPECT_EQ(ctl::NotifyCommand(err, rig.runtime.path()).run({"9", "-3"}), 0);
    ASSERT_TRUE(rig.waitFor(2));
    EXPECT_EQ(rig.received, (std::vector<Notice>{{8, 2}, {9, -3}}));
    EXPECT_EQ(err.str(), "");
}

TEST(NotifyCommand, SaysSoWhenNoCopyRuns)
{
    const test::ScratchFolder runtime;
    std::ostringstream err;
    EXPECT_EQ(ctl::NotifyCommand(err, runtime.path()).run({"14", "0"}), 1);
    EXPECT_EQ(err.str(), "kestrelctl: no running copy of kestrel to notify (nothing listens on " +
                             NoticeEndpoint::socketFile(runtime.path()).string() + ")\n");
}

TEST(NotifyCommand, KestrelctlTakesKindAndValueAsWholeNumbers)
{
    ServerRig rig;
    ASSERT_TRUE(rig.listen());
    ASSERT_EQ(chmod(rig.runtime.path().c_str(), 0700), 0);
    const ScopedVariable runtime("XDG_RUNTIME_DIR", rig.runtime.path().string());
    std::ostringstream out;
    std::ostringstream err;
    ctl::KestrelCtl ctl(out, err);
    EXPECT_EQ(ctl.run({"notify", "15", "0"}), 0);
    ASSERT_TRUE(rig.waitFor(1));
    EXPECT_EQ(rig.received, (std::vector<Notice>{{15, 0}}));

    EXPECT_EQ(ctl.run({"notify", "15"}), 2);
    EXPECT_EQ(ctl.run({"notify", "15", "x"}), 2);
    EXPECT_EQ(ctl.run({"notify", "1.5", "0"}), 2);
    EXPECT_EQ(err.str(), "kestrelctl: notify takes 2 arguments: KIND VALUE\n"
                         "kestrelctl: notify: KIND and VALUE must be whole numbers\n"
                         "kestrelctl: notify: KIND and VALUE must be whole numbers\n");
}
