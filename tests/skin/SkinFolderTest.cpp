#include "skin/SkinFolder.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(SkinFolderTest, APlainNameIsASubFolderOfSkins)
{
    const ProgramFolder program("/opt/kestrel");
    const SkinLocation skin = SkinFolder::locate(program, "Crimson");
    EXPECT_EQ(skin.name, "Crimson");
    EXPECT_EQ(skin.folder, std::filesystem::path("/opt/kestrel/Skins/Crimson"));
    EXPECT_EQ(SkinFolder::imagePath(skin.folder, "/main.png"), QString("/opt/kestrel/Skins/Crimson/main.png"));
    // Names with blanks and non-ASCII letters are plain too.
    EXPECT_EQ(SkinFolder::locate(program, "Dark Blue").name, "Dark Blue");
    EXPECT_EQ(SkinFolder::locate(program, "深蓝").folder, std::filesystem::path(u8"/opt/kestrel/Skins/深蓝"));
}

TEST(SkinFolderTest, NamesThatLeadOutOfSkinsAreDropped)
{
    const ProgramFolder program("/opt/kestrel");
    for (const char* name : {"..", ".", "../..", "../Other", "/etc", "a/b", "a\\b", "C:\\Skins", "C:", "x\ty"}) {
        const SkinLocation skin = SkinFolder::locate(program, name);
        EXPECT_EQ(skin.name, "") << name;
        EXPECT_EQ(skin.folder, std::filesystem::path("/opt/kestrel/Skins")) << name;
        EXPECT_FALSE(SkinFolder::isPlainFolderName(name)) << name;
    }
    // No name at all reads from "Skins" itself, as an absent str.ini gives.
    EXPECT_EQ(SkinFolder::locate(program, "").folder, std::filesystem::path("/opt/kestrel/Skins"));
    EXPECT_TRUE(SkinFolder::isPlainFolderName("..hidden"));
}

} // namespace
} // namespace kestrel
