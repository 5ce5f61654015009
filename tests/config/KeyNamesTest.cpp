#include "config/KeyNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace kestrel {
namespace {

TEST(KeyNamesTest, NamesGiveTheirUsages)
{
    EXPECT_EQ(KeyNames::keyNameTable().size(), 107u);
    EXPECT_EQ(KeyNames::keyUsageFromName("A"), 0x04);
    EXPECT_EQ(KeyNames::keyUsageFromName("Z"), 0x1D);
    EXPECT_EQ(KeyNames::keyUsageFromName("1"), 0x1E);
    EXPECT_EQ(KeyNames::keyUsageFromName("0"), 0x27);
    EXPECT_EQ(KeyNames::keyUsageFromName("Enter"), 0x28);
    EXPECT_EQ(KeyNames::keyUsageFromName("\\"), 0x31);
    EXPECT_EQ(KeyNames::keyUsageFromName("Eurpo(Note 2)"), 0x32);
    EXPECT_EQ(KeyNames::keyUsageFromName("Caps Lock"), 0x39);
    EXPECT_EQ(KeyNames::keyUsageFromName("F1"), 0x3A);
    EXPECT_EQ(KeyNames::keyUsageFromName("F12"), 0x45);
    EXPECT_EQ(KeyNames::keyUsageFromName("Prnt Scrn"), 0x46);
    EXPECT_EQ(KeyNames::keyUsageFromName("Delete"), 0x4C);
    EXPECT_EQ(KeyNames::keyUsageFromName("Right"), 0x4F);
    EXPECT_EQ(KeyNames::keyUsageFromName("Up"), 0x52);
    EXPECT_EQ(KeyNames::keyUsageFromName("Num Lock"), 0x53);
    EXPECT_EQ(KeyNames::keyUsageFromName("Num Enter"), 0x58);
    EXPECT_EQ(KeyNames::keyUsageFromName("Num 0"), 0x62);
    EXPECT_EQ(KeyNames::keyUsageFromName("Num Del"), 0x63);
    EXPECT_EQ(KeyNames::keyUsageFromName("Ctrl"), 0xE0);
    EXPECT_EQ(KeyNames::keyUsageFromName("Right Ctrl"), 0xE4);
    EXPECT_EQ(KeyNames::keyUsageFromName("Right Windows"), 0xE7);
    EXPECT_EQ(KeyNames::keyUsageFromName("M-Button"), 0xF2);
}

TEST(KeyNamesTest, OnlyExactNamesMatch)
{
    EXPECT_EQ(KeyNames::keyUsageFromName("ctrl"), 0x00);
    EXPECT_EQ(KeyNames::keyUsageFromName("Ctrl "), 0x00);
    EXPECT_EQ(KeyNames::keyUsageFromName(""), 0x00);
    EXPECT_EQ(KeyNames::keyUsageFromName("Strg"), 0x00);
    EXPECT_EQ(KeyNames::keyUsageFromName("Num"), 0x00);
}

TEST(KeyNamesTest, TableNamesAreUniqueSoEveryNameReachesItsOwnEntry)
{
    std::set<std::string_view> names;
    for (const KeyEntry& entry : KeyNames::keyNameTable()) {
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        EXPECT_EQ(KeyNames::keyUsageFromName(entry.name), entry.usage) << entry.name;
    }
}

TEST(KeyNamesTest, StoredUsagesShowTheirFirstName)
{
    EXPECT_EQ(KeyNames::keyNameFromUsage(0xE4), "Right Ctrl");
    EXPECT_EQ(KeyNames::keyNameFromUsage(0x63), "Num Del");
    EXPECT_EQ(KeyNames::keyNameFromUsage(0xF0), "L-Button");
    EXPECT_EQ(KeyNames::keyNameFromUsage(0x00), "");
    EXPECT_EQ(KeyNames::keyNameFromUsage(0xF3), "");
    EXPECT_EQ(KeyNames::keyNameFromUsage(0x64), "");
}

TEST(KeyNamesTest, FireKeyListPositionsGiveTheirUsages)
{
    const auto list = KeyNames::fireKeyList();
    ASSERT_EQ(list.size(), 59u);
    EXPECT_EQ(list[0].name, "L-Button");
    EXPECT_EQ(KeyNames::fireKeyUsage(0), 0xF0);
    EXPECT_EQ(KeyNames::fireKeyUsage(3), 0xF3);
    EXPECT_EQ(list[4].name, "B5-Button");
    EXPECT_EQ(KeyNames::fireKeyUsage(4), 0xF4);
    EXPECT_EQ(KeyNames::fireKeyUsage(5), 0x04);
    EXPECT_EQ(KeyNames::fireKeyUsage(40), 0x27);
    EXPECT_EQ(list[44].name, "R-CTRL");
    EXPECT_EQ(KeyNames::fireKeyUsage(44), 0xE4);
    EXPECT_EQ(list[45].name, "R-SHIFT");
    EXPECT_EQ(KeyNames::fireKeyUsage(45), 0xE5);
    EXPECT_EQ(KeyNames::fireKeyUsage(46), 0xE6);
    EXPECT_EQ(list[58].name, "F12");
    EXPECT_EQ(KeyNames::fireKeyUsage(58), 0x45);
    EXPECT_EQ(KeyNames::fireKeyUsage(59), 0x00);
    EXPECT_EQ(KeyNames::fireKeyUsage(1000), 0x00);
}

} // namespace
} // namespace kestrel
