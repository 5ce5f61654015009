#include "AppTestRig.h"

#include <NoticeEndpoint.h>

#include <QLocalSocket>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

TEST(SingleInstance, ASecondCopyEndsBeforeItShowsOrAddsAnything)
{
    AppTestRig first;
    ASSERT_EQ(first.start().startupOutcome(), StartupSequence::Outcome::Complete);

    ScriptedPrompter prompter;
    AppEnvironment environment = first.environment();
    bool backendMade = false;
    environment.makeBackend = [&](std::string&) {
        backendMade = true;
        return std::unique_ptr<HidBackend>();
    };
    CKestrelApp second(std::move(environment), prompter);
    EXPECT_EQ(second.start(), CKestrelApp::StartResult::AnotherCopyRuns);
    EXPECT_EQ(second.dialog(), nullptr);
    EXPECT_FALSE(backendMade);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(SingleInstance, AnUnsafeRuntimeFolderLeavesTheRuleOutButNotTheProgram)
{
    AppTestRig rig;
    const auto runtime = rig.runtime.path() / "run";
    std::filesystem::create_directory(runtime);
    ASSERT_EQ(chmod(runtime.c_str(), 0777), 0);
    rig.start();
    EXPECT_EQ(rig.result, CKestrelApp::StartResult::Running);
    EXPECT_FALSE(std::filesystem::exists(NoticeEndpoint::socketFile(runtime)));
}

TEST(SingleInstance, NoticesFromOtherProgramsReachTheWindow)
{
    AppTestRig rig;
    rig.start();
    QLocalSocket client;
    client.connectToServer(QString::fromStdString(NoticeEndpoint::socketFile(rig.runtime.path() / "run").string()));
    ASSERT_TRUE(client.waitForConnected(5000));
    client.write("9 12\n");
    client.flush();
    TrayIcon& icon = *rig.dlg().notificationArea().trayIcon();
    ASSERT_TRUE(QTest::qWaitFor([&] { return icon.lastBalloon().has_value(); }, 5000));
    EXPECT_EQ(icon.lastBalloon(), (Balloon{"Switch to macro key12", "Info", 5000}));
}

namespace {

// The real program, offscreen, with its runtime folder in a scratch folder.
class ProgramProcess {
public:
    explicit ProgramProcess(const std::filesystem::path& runtimeFolder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtimeFolder.string()));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("KESTREL_SIMULATE", "1");
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral(KESTREL_PROGRAM), {});
    }
    ~ProgramProcess()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

    QProcess& process() { return process_; }

private:
    QProcess process_;
};

bool answersNotices(const std::filesystem::path& runtimeFolder)
{
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(NoticeEndpoint::socketFile(runtimeFolder).string()));
    return socket.waitForConnected(1000);
}

} // namespace

TEST(SingleInstance, TheRealProgramLetsOneCopyRunAndTakesOverAStaleLock)
{
    const ScratchFolder scratch;
    const auto runtime = scratch / "run";
    ProgramProcess first(runtime);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answersNotices(runtime); }, 20000));

    ProgramProcess second(runtime);
    ASSERT_TRUE(second.process().waitForFinished(20000));
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_EQ(second.process().readAllStandardOutput(), "");
    EXPECT_EQ(first.process().state(), QProcess::Running);

    // A killed copy leaves its lock and its socket behind.
    first.process().kill();
    ASSERT_TRUE(first.process().waitForFinished(5000));
    ASSERT_TRUE(std::filesystem::exists(NoticeEndpoint::lockFile(runtime)));
    ProgramProcess third(runtime);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answersNotices(runtime); }, 20000));
    EXPECT_EQ(third.process().state(), QProcess::Running);
    ProgramProcess fourth(runtime);
    ASSERT_TRUE(fourth.process().waitForFinished(20000));
    EXPECT_EQ(fourth.process().exitCode(), 0);
}
