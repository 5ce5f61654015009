#include <ProgramFolder.h>

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(ProgramFolderTest, FilesLieInTheGivenFolderWhateverTheExecutableIsCalled)
{
    const ProgramFolder folder(std::filesystem::path("/opt/any name") / "bin");
    EXPECT_EQ(folder.folder(), std::filesystem::path("/opt/any name/bin"));
    EXPECT_EQ(folder.configBin(), std::filesystem::path("/opt/any name/bin/config.bin"));
    EXPECT_EQ(folder.strIni(), std::filesystem::path("/opt/any name/bin/str.ini"));
    EXPECT_EQ(folder.recordIni(), std::filesystem::path("/opt/any name/bin/record.ini"));
    EXPECT_EQ(folder.skinsFolder(), std::filesystem::path("/opt/any name/bin/Skins"));
}

} // namespace
} // namespace kestrel
