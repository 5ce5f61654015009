#include "config/ProgramFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned modeOf(const fs::path& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777u;
}

// Sets the process's umask for one test.
class UmaskGuard {
public:
    explicit UmaskGuard(::mode_t mask) : previous_(::umask(mask)) {}
    ~UmaskGuard() { ::umask(previous_); }
    UmaskGuard(const UmaskGuard&) = delete;
    UmaskGuard& operator=(const UmaskGuard&) = delete;

private:
    ::mode_t previous_;
};

// A prefix laid out as installed: bin/ without config.bin, share/kestrel with the defaults.
class InstalledProgramFolderTest : public ::testing::Test {
protected:
    InstalledProgramFolderTest()
    {
        root = fs::temp_directory_path() / ("kestrel-folder-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "usr/bin");
        fs::create_directories(root / "usr/share/kestrel/Skins/Default");
        std::ofstream(root / "usr/share/kestrel/config.bin") << "shipped settings";
        std::ofstream(root / "usr/share/kestrel/str.ini") << "[Skins]\nPath=Default\n";
        fs::create_directories(root / "home");
    }
    ~InstalledProgramFolderTest() override { fs::remove_all(root); }

    ProgramFolder forInstalled(ProgramFolder::UserDirectories user) const
    {
        return ProgramFolder::forExecutable(root / "usr/bin", user);
    }

    fs::path root;
};

TEST(ProgramFolderTest, FilesLieInTheGivenFolderWhateverTheExecutableIsCalled)
{
    const ProgramFolder folder(fs::path("/opt/any name") / "bin");
    EXPECT_FALSE(folder.installed());
    EXPECT_EQ(folder.folder(), fs::path("/opt/any name/bin"));
    EXPECT_EQ(folder.configBin(), fs::path("/opt/any name/bin/config.bin"));
    EXPECT_EQ(folder.strIni(), fs::path("/opt/any name/bin/str.ini"));
    EXPECT_EQ(folder.recordIni(), fs::path("/opt/any name/bin/record.ini"));
    EXPECT_EQ(folder.skinsRoots(), (std::vector<fs::path>{"/opt/any name/bin/Skins"}));
    EXPECT_FALSE(folder.prepareUserFiles());
}

TEST_F(InstalledProgramFolderTest, AWritableFolderWithConfigBinIsPortable)
{
    std::ofstream(root / "usr/bin/config.bin") << "beside the executable";
    const ProgramFolder folder = forInstalled({"", "", (root / "home").string()});
    EXPECT_FALSE(folder.installed());
    EXPECT_EQ(folder.configBin(), root / "usr/bin/config.bin");
    EXPECT_EQ(folder.skinsRoots(), (std::vector<fs::path>{root / "usr/bin/Skins"}));
}

TEST_F(InstalledProgramFolderTest, InstalledFilesGoToTheUsersFoldersAndAreCopiedOnceFromTheDefaults)
{
    const fs::path home = root / "home";
    const ProgramFolder folder = forInstalled({"", "", home.string()});
    ASSERT_TRUE(folder.installed());
    EXPECT_EQ(folder.configBin(), home / ".config/kestrel/config.bin");
    EXPECT_EQ(folder.strIni(), home / ".config/kestrel/str.ini");
    EXPECT_EQ(folder.recordIni(), home / ".config/kestrel/record.ini");
    EXPECT_EQ(folder.skinsRoots(), (std::vector<fs::path>{home / ".local/share/kestrel/Skins",
                                                          root / "usr/share/kestrel/Skins"}));

    ASSERT_FALSE(folder.prepareUserFiles());
    EXPECT_EQ(contentsOf(folder.configBin()), "shipped settings");
    EXPECT_EQ(contentsOf(folder.strIni()), "[Skins]\nPath=Default\n");
    EXPECT_EQ(modeOf(folder.folder()), 0700u);
    EXPECT_EQ(modeOf(folder.configBin()), 0600u);
    EXPECT_EQ(modeOf(folder.strIni()), 0600u);

    // The user's own files are never overwritten, and a missing one comes back.
    std::ofstream(folder.configBin()) << "the user's settings";
    fs::remove(folder.strIni());
    ASSERT_FALSE(folder.prepareUserFiles());
    EXPECT_EQ(contentsOf(folder.configBin()), "the user's settings");
    EXPECT_EQ(contentsOf(folder.strIni()), "[Skins]\nPath=Default\n");
}

TEST_F(InstalledProgramFolderTest, FoldersMadeForTheUserAreOwnerOnlyAndExistingOnesKeepTheirMode)
{
    // The usual umask would leave new folders open to everyone.
    const UmaskGuard usualMask(022);
    const fs::path home = root / "home";
    ASSERT_FALSE(forInstalled({"", "", home.string()}).prepareUserFiles());
    EXPECT_EQ(modeOf(home / ".config"), 0700u);
    EXPECT_EQ(modeOf(home / ".config/kestrel"), 0700u);

    // XDG_CONFIG_HOME several levels down: every folder made on the way is private.
    const ProgramFolder deep = forInstalled({(home / "a/b").string(), "", home.string()});
    ASSERT_FALSE(deep.prepareUserFiles());
    EXPECT_EQ(modeOf(home / "a"), 0700u);
    EXPECT_EQ(modeOf(home / "a/b"), 0700u);
    EXPECT_EQ(modeOf(home / "a/b/kestrel"), 0700u);

    // A folder the user already has is the user's business.
    const fs::path shared = root / "shared-config";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    ASSERT_FALSE(forInstalled({shared.string(), "", home.string()}).prepareUserFiles());
    EXPECT_EQ(modeOf(shared), 0750u);
    EXPECT_EQ(modeOf(shared / "kestrel"), 0700u);
}

TEST_F(InstalledProgramFolderTest, XdgVariablesNameTheFoldersWhenTheyAreAbsolute)
{
    const ProgramFolder folder =
        forInstalled({(root / "cfg").string(), (root / "data").string(), (root / "home").string()});
    EXPECT_EQ(folder.folder(), root / "cfg/kestrel");
    EXPECT_EQ(folder.skinsRoots().front(), root / "data/kestrel/Skins");
    // A relative value is no base folder: the defaults below HOME apply.
    const ProgramFolder relative = forInstalled({"cfg", "data", (root / "home").string()});
    EXPECT_EQ(relative.folder(), root / "home/.config/kestrel");
    EXPECT_EQ(relative.skinsRoots().front(), root / "home/.local/share/kestrel/Skins");
    // Without HOME there is no per-user folder to use.
    EXPECT_FALSE(forInstalled({"", "", ""}).installed());
}

TEST_F(InstalledProgramFolderTest, AFolderThatCannotBeMadeIsReported)
{
    std::ofstream(root / "home/.config") << "a file where the folder should be";
    const ProgramFolder folder = forInstalled({"", "", (root / "home").string()});
    EXPECT_TRUE(folder.prepareUserFiles());
    EXPECT_FALSE(fs::exists(folder.configBin()));
}

} // namespace
} // namespace kestrel
