#include <NoticeEndpoint.h>

#include <FileTestSupport.h>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace kestrel;

TEST(NoticeEndpoint, RuntimeFolderChoicesAreXdgRuntimeDirThenAPrivateTemporaryFolder)
{
    using Choices = std::vector<std::filesystem::path>;
    EXPECT_EQ(NoticeEndpoint::runtimeFolderChoices("/run/user/1000", "/var/tmp", 1000),
              (Choices{"/run/user/1000", "/var/tmp/kestrel-runtime-1000"}));
    EXPECT_EQ(NoticeEndpoint::runtimeFolderChoices(nullptr, "/var/tmp", 1000), Choices{"/var/tmp/kestrel-runtime-1000"});
    EXPECT_EQ(NoticeEndpoint::runtimeFolderChoices(nullptr, nullptr, 42), Choices{"/tmp/kestrel-runtime-42"});
    // Relative values are not trusted: the folder would depend on where the program was started.
    EXPECT_EQ(NoticeEndpoint::runtimeFolderChoices("run", "tmp", 7), Choices{"/tmp/kestrel-runtime-7"});
    EXPECT_EQ(NoticeEndpoint::runtimeFolderChoices("", nullptr, 7), Choices{"/tmp/kestrel-runtime-7"});
}

TEST(NoticeEndpoint, ARuntimeFolderOpenToOthersGivesWayToAPrivateOne)
{
    const test::ScratchFolder scratch;
    const auto xdg = scratch / "xdg";
    const auto temp = scratch / "tmp";
    std::filesystem::create_directory(xdg);
    std::filesystem::create_directory(temp);
    const std::string uid = std::to_string(getuid());
    const auto fallback = temp / ("kestrel-runtime-" + uid);

    ASSERT_EQ(chmod(xdg.c_str(), 0700), 0);
    EXPECT_EQ(NoticeEndpoint::runtimeFolder(xdg.c_str(), temp.c_str(), getuid()), xdg);
    EXPECT_FALSE(std::filesystem::exists(fallback));

    ASSERT_EQ(chmod(xdg.c_str(), 0777), 0);
    EXPECT_EQ(NoticeEndpoint::runtimeFolder(xdg.c_str(), temp.c_str(), getuid()), fallback);
    struct stat status {};
    ASSERT_EQ(lstat(fallback.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_EQ(status.st_uid, getuid());

    // A planted link in the fallback's place is never followed: nothing private remains.
    std::filesystem::remove(fallback);
    std::filesystem::create_directory_symlink(xdg, fallback);
    EXPECT_EQ(NoticeEndpoint::runtimeFolder(xdg.c_str(), temp.c_str(), getuid()), fallback);
    EXPECT_FALSE(NoticeEndpoint::prepareRuntimeFolder(fallback));
}

TEST(NoticeEndpoint, LockAndSocketAreNamedAfterTheMutex)
{
    EXPECT_EQ(NoticeEndpoint::lockFile("/run/user/5"), "/run/user/5/QX8-216Mutex.lock");
    EXPECT_EQ(NoticeEndpoint::socketFile("/run/user/5"), "/run/user/5/QX8-216Mutex.socket");
}

TEST(NoticeEndpoint, PrepareMakesAPrivateFolderAndRefusesOneOthersCanChange)
{
    const test::ScratchFolder scratch;
    const auto folder = scratch / "run";
    ASSERT_TRUE(NoticeEndpoint::prepareRuntimeFolder(folder));
    struct stat status {};
    ASSERT_EQ(stat(folder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_TRUE(NoticeEndpoint::prepareRuntimeFolder(folder));

    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    EXPECT_FALSE(NoticeEndpoint::prepareRuntimeFolder(folder));

    std::filesystem::create_directory_symlink(scratch.path(), scratch / "link");
    EXPECT_FALSE(NoticeEndpoint::prepareRuntimeFolder(scratch / "link"));
    EXPECT_FALSE(NoticeEndpoint::prepareRuntimeFolder(scratch / "missing" / "run"));
}

TEST(NoticeEndpoint, NoticesTravelAsOneLineOfTwoNumbers)
{
    EXPECT_EQ(NoticeEndpoint::encode({5, 1}), "5 1\n");
    EXPECT_EQ(NoticeEndpoint::encode({9, -12}), "9 -12\n");
    EXPECT_EQ(NoticeEndpoint::decode("5 1"), (Notice{5, 1}));
    EXPECT_EQ(NoticeEndpoint::decode("  14\t 0 "), (Notice{14, 0}));
    EXPECT_EQ(NoticeEndpoint::decode("9 -12"), (Notice{9, -12}));
    EXPECT_EQ(NoticeEndpoint::decode("+7 +2"), (Notice{7, 2}));
    EXPECT_EQ(NoticeEndpoint::decode("9 2147483647"), (Notice{9, 2147483647}));
    for (const char* bad : {"", "5", "5 1 2", "five 1", "5 one", "5 1x", "5 2147483648", "5 +-1", "0x5 1", "5,1"})
        EXPECT_FALSE(NoticeEndpoint::decode(bad)) << bad;
}
