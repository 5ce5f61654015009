#include "AppTestRig.h"
#include "PrivateNetwork.h"

#include "app/endpoint/AbstractSocket.h"
#include "app/endpoint/NoticeEndpoint.h"

#include <QProcess>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <csignal>
#include <cstring>

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

// A socket bound to `name` that never listens, the way a stranger could hold it.
class BoundOnly {
public:
    explicit BoundOnly(const std::string& name)
        : fd_(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + 1, name.data(), name.size());
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
        bound_ = bind(fd_, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    }
    ~BoundOnly() { ::close(fd_); }
    BoundOnly(const BoundOnly&) = delete;
    BoundOnly& operator=(const BoundOnly&) = delete;

    bool bound() const { return bound_; }

private:
    int fd_;
    bool bound_ = false;
};

// A process of another user (nobody) that listens on `name`; only root can make one.
class OtherUsersHolder {
public:
    explicit OtherUsersHolder(const std::string& name)
    {
        if (geteuid() != 0)
            return;
        int ready[2];
        if (pipe(ready) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            const bool holds = setgid(65534) == 0 && setuid(65534) == 0 && AbstractSocket::listenOn(name, 4) >= 0;
            const char answer = holds ? 'y' : 'n';
            (void)!write(ready[1], &answer, 1);
            for (;;)
                pause();
        }
        ::close(ready[1]);
        char answer = 'n';
        holds_ = pid_ > 0 && read(ready[0], &answer, 1) == 1 && answer == 'y';
        ::close(ready[0]);
    }
    ~OtherUsersHolder()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    OtherUsersHolder(const OtherUsersHolder&) = delete;
    OtherUsersHolder& operator=(const OtherUsersHolder&) = delete;

    bool holds() const { return holds_; }

private:
    pid_t pid_ = -1;
    bool holds_ = false;
};

} // namespace

TEST(SingleInstance, ASecondCopyEndsBeforeItShowsOrAddsAnything)
{
    AppTestRig first;
    ASSERT_EQ(first.start().startupOutcome(), StartupSequence::Outcome::Complete);
    EXPECT_EQ(first.app->instanceOutcome(), SingleInstance::Outcome::Acquired);

    ScriptedPrompter prompter;
    AppEnvironment environment = first.environment();
    bool backendMade = false;
    environment.makeBackend = [&](std::string&) {
        backendMade = true;
        return std::unique_ptr<HidBackend>();
    };
    Application second(std::move(environment), prompter);
    EXPECT_EQ(second.start(), Application::StartResult::AnotherCopyRuns);
    EXPECT_EQ(second.dialog(), nullptr);
    EXPECT_FALSE(backendMade);
    EXPECT_TRUE(prompter.messages.empty());

    // Gone with its holder, whatever way it ends: nothing is left to go stale.
    first.app.reset();
    AppTestRig third;
    third.instanceSocket = first.instanceSocket;
    third.start();
    EXPECT_EQ(third.result, Application::StartResult::Running);
    EXPECT_EQ(third.app->instanceOutcome(), SingleInstance::Outcome::Acquired);
}

TEST(SingleInstance, ANameHeldByNoCopyOfOursLeavesTheRuleOutButNotTheProgram)
{
    {
        AppTestRig rig;
        const BoundOnly stranger(rig.instanceSocket);
        ASSERT_TRUE(stranger.bound());
        rig.start();
        EXPECT_EQ(rig.result, Application::StartResult::Running);
        EXPECT_EQ(rig.app->instanceOutcome(), SingleInstance::Outcome::Unavailable);
    }
    AppTestRig rig;
    const OtherUsersHolder other(rig.instanceSocket);
    if (!other.holds())
        GTEST_SKIP() << "only root can start a process of another user";
    rig.start();
    EXPECT_EQ(rig.result, Application::StartResult::Running);
    EXPECT_EQ(rig.app->instanceOutcome(), SingleInstance::Outcome::Unavailable);
    // Nor is the other user told anything.
    bool nobodyListens = false;
    EXPECT_EQ(AbstractSocket::sendLine(rig.instanceSocket, "15 0\n", &nobodyListens),
              "@" + rig.instanceSocket + " is held by another user's process");
}

TEST(SingleInstance, NoticesAndShowRequestsFromOtherProgramsReachTheWindow)
{
    AppTestRig rig;
    rig.start();
    ASSERT_EQ(AbstractSocket::sendLine(rig.instanceSocket, "9 12\n"), "");
    TrayIcon& icon = *rig.dlg().notificationArea().trayIcon();
    ASSERT_TRUE(QTest::qWaitFor([&] { return icon.lastBalloon().has_value(); }, 5000));
    EXPECT_EQ(icon.lastBalloon(), (Balloon{"Switch to macro key12", "Info", 5000}));

    EXPECT_FALSE(rig.dlg().isVisible());
    ASSERT_EQ(AbstractSocket::sendLine(rig.instanceSocket, NoticeEndpoint::encodeShowRequest()), "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.dlg().isVisible(); }, 5000));
}

TEST(SingleInstance, AShowRequestWithoutTheMouseOnlyWarnsAsAClickWould)
{
    AppTestRig rig;
    rig.mousePlugged = false;
    rig.start();
    TrayIcon& icon = *rig.dlg().notificationArea().trayIcon();
    rig.dlg().notice(5, 1);
    ASSERT_EQ(AbstractSocket::sendLine(rig.instanceSocket, NoticeEndpoint::encodeShowRequest()), "");
    const Balloon warning{"The system did not detect the gaming mouse!", "Warning", 100};
    EXPECT_TRUE(QTest::qWaitFor([&] { return icon.lastBalloon() == warning; }, 5000));
    EXPECT_FALSE(rig.dlg().isVisible());
}

namespace {

// The real programs, offscreen against the simulated mouse, in a private network.
class RealPrograms {
public:
    explicit RealPrograms(const PrivateNetwork& network)
        : network_(network)
    {
    }

    // A copy of kestrel with XDG_RUNTIME_DIR and TMPDIR as given (nullptr: unset).
    void start(QProcess& process, const char* runtimeDir, const char* tmpDir, const QStringList& arguments = {}) const
    {
        process.setProcessEnvironment(environment(runtimeDir, tmpDir));
        network_.start(process, QStringLiteral(KESTREL_PROGRAM), arguments);
    }

    // Runs kestrelctl notify from such an environment; its exit code.
    int notify(const char* runtimeDir, const char* tmpDir) const
    {
        QProcess ctl;
        ctl.setProcessEnvironment(environment(runtimeDir, tmpDir));
        network_.start(ctl, QStringLiteral(KESTRELCTL_PROGRAM), {QStringLiteral("notify"), QStringLiteral("14"),
                                                                  QStringLiteral("0")});
        if (!ctl.waitForFinished(10000))
            return -1;
        return ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -1;
    }

    bool waitUntilItAnswers() const
    {
        return QTest::qWaitFor([&] { return notify("/nonexistent", nullptr) == 0; }, 20000);
    }

private:
    static QProcessEnvironment environment(const char* runtimeDir, const char* tmpDir)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", runtimeDir}, std::pair{"TMPDIR", tmpDir}}) {
            if (value)
                environment.insert(name, value);
            else
                environment.remove(name);
        }
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("KESTREL_SIMULATE", "1");
        return environment;
    }

    const PrivateNetwork& network_;
};

struct ProgramEnd {
    bool ended = false;
    int exitCode = -1;
    // Standard output and the program's own lines on standard error (Qt's
    // warnings about the environment, such as a missing XDG_RUNTIME_DIR, are not its own).
    QByteArray output;
};

ProgramEnd waitForEnd(QProcess& process)
{
    ProgramEnd end;
    end.ended = process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit;
    end.exitCode = process.exitCode();
    end.output = process.readAllStandardOutput();
    for (const QByteArray& line : process.readAllStandardError().split('\n')) {
        if (line.startsWith("kestrel"))
            end.output += line + '\n';
    }
    return end;
}

void stop(QProcess& process)
{
    process.kill();
    process.waitForFinished(5000);
}

} // namespace

TEST(SingleInstance, TheRealProgramRunsOncePerUserWhateverTheEnvironmentSays)
{
    const PrivateNetwork network;
    if (!network.usable())
        GTEST_SKIP() << "no private network namespace can be made here (unshare)";
    const RealPrograms programs(network);
    const ScratchFolder scratch;
    const std::string runtime = (scratch / "run").string();
    const std::string otherTmp = (scratch / "tmp").string();
    std::filesystem::create_directories(scratch / "run");
    std::filesystem::create_directories(scratch / "tmp");

    QProcess first;
    programs.start(first, runtime.c_str(), nullptr);
    ASSERT_TRUE(programs.waitUntilItAnswers());

    // ssh, su, cron: no runtime folder, another temporary folder.
    for (const auto& [runtimeDir, tmpDir] : {std::pair<const char*, const char*>{nullptr, nullptr},
                                            {nullptr, otherTmp.c_str()}, {otherTmp.c_str(), "/var/tmp"}}) {
        QProcess second;
        programs.start(second, runtimeDir, tmpDir);
        const ProgramEnd end = waitForEnd(second);
        EXPECT_TRUE(end.ended);
        EXPECT_EQ(end.exitCode, 0);
        EXPECT_EQ(end.output, "");
        EXPECT_EQ(programs.notify(runtimeDir, tmpDir), 0);
    }
    EXPECT_EQ(first.state(), QProcess::Running);
    stop(first);
}

TEST(SingleInstance, NeitherAKilledCopyNorALockLeftByAnOlderOneBlocksTheRealProgram)
{
    const PrivateNetwork network;
    if (!network.usable())
        GTEST_SKIP() << "no private network namespace can be made here (unshare)";
    const RealPrograms programs(network);
    const ScratchFolder scratch;
    const std::string runtime = (scratch / "run").string();
    std::filesystem::create_directories(scratch / "run");
    // A lock whose holder is gone, written on another host by another machine.
    writeFile(scratch / "run" / "QX8-216Mutex.lock", "4242\nkestrel\nanother-host\n0123456789abcdef\n");

    QProcess first;
    programs.start(first, runtime.c_str(), nullptr);
    ASSERT_TRUE(programs.waitUntilItAnswers());
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    ASSERT_TRUE(first.waitForFinished(5000));
    QProcess next;
    programs.start(next, runtime.c_str(), nullptr);
    ASSERT_TRUE(programs.waitUntilItAnswers());
    EXPECT_EQ(next.state(), QProcess::Running);
    QProcess another;
    programs.start(another, nullptr, nullptr);
    const ProgramEnd end = waitForEnd(another);
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.exitCode, 0);
    stop(next);
}

TEST(SingleInstance, ShowAsksTheRunningCopyAndEndsWithZero)
{
    const PrivateNetwork network;
    if (!network.usable())
        GTEST_SKIP() << "no private network namespace can be made here (unshare)";
    const RealPrograms programs(network);

    // With no copy running, "--show" starts the program itself.
    QProcess first;
    programs.start(first, nullptr, nullptr, {QStringLiteral("--show")});
    ASSERT_TRUE(programs.waitUntilItAnswers());
    EXPECT_EQ(first.state(), QProcess::Running);

    QProcess second;
    programs.start(second, nullptr, nullptr, {QStringLiteral("--show")});
    const ProgramEnd end = waitForEnd(second);
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_EQ(end.output, "");
    EXPECT_EQ(first.state(), QProcess::Running);
    stop(first);
}
