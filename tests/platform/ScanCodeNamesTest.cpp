#include "config/KeyNames.h"
#include "platform/ScanCodeNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace kestrel {
namespace {

constexpr std::uint32_t native(std::uint32_t inputCode) { return inputCode + ScanCodeNames::kXkbOffset; }

TEST(ScanCodeNamesTest, EveryKeyboardKeyOfTheKeyNameTableHasAPhysicalKey)
{
    std::set<std::string_view> named;
    for (const ScanCodeName& entry : ScanCodeNames::table())
        named.insert(entry.name);
    // Only the mouse buttons and the non-US key no key name service gives are missing.
    for (const KeyEntry& entry : KeyNames::keyNameTable()) {
        const bool mouseOrNoKey = entry.usage >= 0xF0 || entry.name == "Eurpo(Note 2)";
        EXPECT_EQ(named.count(entry.name) == 1, !mouseOrNoKey) << entry.name;
    }
}

TEST(ScanCodeNamesTest, NamesKeepTwinKeysApart)
{
    EXPECT_EQ(ScanCodeNames::nameOf(native(29)), "Ctrl");
    EXPECT_EQ(ScanCodeNames::nameOf(native(97)), "Right Ctrl");
    EXPECT_EQ(ScanCodeNames::nameOf(native(42)), "Shift");
    EXPECT_EQ(ScanCodeNames::nameOf(native(54)), "Right Shift");
    EXPECT_EQ(ScanCodeNames::nameOf(native(56)), "Alt");
    EXPECT_EQ(ScanCodeNames::nameOf(native(100)), "Right Alt");
    EXPECT_EQ(ScanCodeNames::nameOf(native(28)), "Enter");
    EXPECT_EQ(ScanCodeNames::nameOf(native(96)), "Num Enter");
    EXPECT_EQ(ScanCodeNames::nameOf(native(111)), "Delete");
    EXPECT_EQ(ScanCodeNames::nameOf(native(83)), "Num Del");
    EXPECT_EQ(KeyNames::keyUsageFromName(ScanCodeNames::nameOf(native(83))), 0x63);
    EXPECT_EQ(KeyNames::keyUsageFromName(ScanCodeNames::nameOf(native(111))), 0x4C);
    EXPECT_EQ(KeyNames::keyUsageFromName(ScanCodeNames::nameOf(native(43))), 0x31);
}

TEST(ScanCodeNamesTest, UnknownCodesHaveNoNameAndOnlyTheWindowsKeysAreWindowsKeys)
{
    EXPECT_EQ(ScanCodeNames::nameOf(0), "");
    EXPECT_EQ(ScanCodeNames::nameOf(native(0)), "");
    EXPECT_EQ(ScanCodeNames::nameOf(native(84)), "");
    EXPECT_EQ(ScanCodeNames::nameOf(native(500)), "");
    EXPECT_EQ(ScanCodeNames::nameOf(native(127)), "Application");
    EXPECT_EQ(KeyNames::keyUsageFromName(ScanCodeNames::nameOf(native(127))), 0);
    EXPECT_TRUE(ScanCodeNames::isWindowsKey(native(125)));
    EXPECT_TRUE(ScanCodeNames::isWindowsKey(native(126)));
    EXPECT_FALSE(ScanCodeNames::isWindowsKey(native(127)));
    EXPECT_FALSE(ScanCodeNames::isWindowsKey(0));
}

} // namespace
} // namespace kestrel
