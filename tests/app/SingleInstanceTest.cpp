#include "AppTestRig.h"

#include <NoticeEndpoint.h>

#include <QLocalSocket>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

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
    explicit ProgramProcess(const std::filesystem::path& runtimeFolder, const std::filesystem::path& tempFolder = "/tmp")
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtimeFolder.string()));
        environment.insert("TMPDIR", QString::fromStdString(tempFolder.string()));
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

TEST(SingleInstance, TheRealProgramKeepsTheRuleWhenXdgRuntimeDirIsOpenToOthers)
{
    const ScratchFolder scratch;
    const auto shared = scratch / "shared";
    const auto temp = scratch / "tmp";
    std::filesystem::create_directories(shared);
    std::filesystem::create_directories(temp);
    ASSERT_EQ(chmod(shared.c_str(), 0777), 0);
    const auto fallback = temp / ("kestrel-runtime-" + std::to_string(getuid()));

    ProgramProcess first(shared, temp);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answersNotices(fallback); }, 20000));
    EXPECT_FALSE(std::filesystem::exists(NoticeEndpoint::lockFile(shared)));
    ProgramProcess second(shared, temp);
    ASSERT_TRUE(second.process().waitForFinished(20000));
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_EQ(first.process().state(), QProcess::Running);
    EXPECT_FALSE(first.process().readAllStandardError().contains("another copy may run"));
}

TEST(SingleInstance, WithoutAnyPrivateFolderTheRealProgramSaysSoAndRuns)
{
    const ScratchFolder scratch;
    const auto shared = scratch / "shared";
    const auto temp = scratch / "tmp";
    const auto fallback = temp / ("kestrel-runtime-" + std::to_string(getuid()));
    std::filesystem::create_directories(shared);
    std::filesystem::create_directories(fallback);
    ASSERT_EQ(chmod(shared.c_str(), 0777), 0);
    ASSERT_EQ(chmod(fallback.c_str(), 0777), 0);

    ProgramProcess program(shared, temp);
    QByteArray errors;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            errors += program.process().readAllStandardError();
            return errors.contains("another copy may run");
        },
        20000));
    EXPECT_EQ(program.process().state(), QProcess::Running);
}

TEST(SingleInstance, AnUnreadableLockLeftBehindNeverBlocksTheRealProgram)
{
    // Empty, cut short before the program's name, garbage, and one naming a live
    // process (pid 1) but no program: none is held by a running copy.
    const std::vector<std::string> leftovers{"", "4242", std::string("\xff\x00garbage\n\x01", 11), "1\n\n"};
    for (const std::string& content : leftovers) {
        SCOPED_TRACE(::testing::PrintToString(content));
        const ScratchFolder scratch;
        const auto runtime = scratch / "run";
        ASSERT_TRUE(NoticeEndpoint::prepareRuntimeFolder(runtime));
        writeFile(NoticeEndpoint::lockFile(runtime), content);
        // However old it is.
        std::filesystem::last_write_time(NoticeEndpoint::lockFile(runtime),
                                         std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 30));

        ProgramProcess program(runtime);
        ASSERT_TRUE(QTest::qWaitFor([&] { return answersNotices(runtime); }, 20000));
        EXPECT_EQ(program.process().state(), QProcess::Running);
        ProgramProcess second(runtime);
        ASSERT_TRUE(second.process().waitForFinished(20000));
        EXPECT_EQ(second.process().exitCode(), 0);
        EXPECT_EQ(program.process().state(), QProcess::Running);
    }
}
