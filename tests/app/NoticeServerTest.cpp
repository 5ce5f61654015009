#include <KestrelCtl.h>
#include <NoticeServer.h>
#include <NotifyCommand.h>

#include <FileTestSupport.h>

#include <QLocalSocket>
#include <QTest>

#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

// A notice server listening in a fresh runtime folder, keeping what it receives.
struct ServerRig {
    test::ScratchFolder runtime;
    NoticeServer server;
    std::vector<Notice> received;

    ServerRig()
    {
        QObject::connect(&server, &NoticeServer::noticeReceived, [this](Notice notice) { received.push_back(notice); });
    }

    bool listen() { return server.listen(NoticeEndpoint::socketFile(runtime.path())); }
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
    client.write("5 1\nnot a notice\n7 2\n" + QByteArray(200, '7') + "\n9 ");
    client.flush();
    ASSERT_TRUE(rig.waitFor(2));
    // The end of a line may come in a later piece.
    client.write("12\n");
    client.flush();
    ASSERT_TRUE(rig.waitFor(3));
    EXPECT_EQ(rig.received, (std::vector<Notice>{{5, 1}, {7, 2}, {9, 12}}));
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
