#include "config/KeyNames.h"
#include "platform/Set1KeyNamer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kestrel {
namespace {

constexpr std::uint32_t extended(std::uint32_t scanCode) { return scanCode | Set1KeyNamer::kExtended; }

// Records what the system is asked and answers with a German layout's names.
struct SystemNames {
    std::vector<std::int32_t> asked;
    Set1KeyNamer namer{[this](std::int32_t keystroke) {
        asked.push_back(keystroke);
        return std::string("Strg");
    }};
};

TEST(Set1KeyNamer, TheExtendedBitKeepsTwinKeysApart)
{
    SystemNames system;
    const Set1KeyNamer& namer = system.namer;
    EXPECT_EQ(namer.nameOf(0x1D), "Ctrl");
    EXPECT_EQ(namer.nameOf(extended(0x1D)), "Right Ctrl");
    EXPECT_EQ(namer.nameOf(0x38), "Alt");
    EXPECT_EQ(namer.nameOf(extended(0x38)), "Right Alt");
    EXPECT_EQ(namer.nameOf(0x2A), "Shift");
    EXPECT_EQ(namer.nameOf(0x36), "Right Shift");
    EXPECT_EQ(namer.nameOf(0x1C), "Enter");
    EXPECT_EQ(namer.nameOf(extended(0x1C)), "Num Enter");
    EXPECT_EQ(namer.nameOf(0x53), "Num Del");
    EXPECT_EQ(namer.nameOf(extended(0x53)), "Delete");
    EXPECT_EQ(namer.nameOf(0x47), "Num 7");
    EXPECT_EQ(namer.nameOf(extended(0x47)), "Home");
    EXPECT_EQ(namer.nameOf(0x37), "Num *");
    EXPECT_EQ(namer.nameOf(extended(0x37)), "Prnt Scrn");
    EXPECT_EQ(namer.nameOf(0x35), "/");
    EXPECT_EQ(namer.nameOf(extended(0x35)), "Num /");
    // Windows reports Pause without the extended bit and Num Lock with it.
    EXPECT_EQ(namer.nameOf(0x45), "Pause");
    EXPECT_EQ(namer.nameOf(extended(0x45)), "Num Lock");
    EXPECT_EQ(namer.nameOf(0x64), "F13");
    EXPECT_EQ(namer.nameOf(0x76), "F24");
    EXPECT_EQ(KeyNames::keyUsageFromName(namer.nameOf(extended(0x1D))), 0xE4);
    EXPECT_EQ(KeyNames::keyUsageFromName(namer.nameOf(0x1D)), 0xE0);
    // Keys of the table keep their English names whatever the layout says.
    EXPECT_TRUE(system.asked.empty());
}

TEST(Set1KeyNamer, EveryKeyboardKeyOfTheKeyNameTableHasAScanCode)
{
    SystemNames system;
    std::set<std::string> named;
    for (std::uint32_t code = 1; code <= 0x1FF; ++code)
        named.insert(system.namer.nameOf(code));
    for (const KeyEntry& entry : KeyNames::keyNameTable()) {
        const bool mouseOrNoKey = entry.usage >= 0xF0 || entry.name == "Eurpo(Note 2)";
        EXPECT_EQ(named.count(std::string(entry.name)) == 1, !mouseOrNoKey) << entry.name;
    }
}

TEST(Set1KeyNamer, OtherKeysAreNamedByTheSystemFromTheirKeystrokeParameter)
{
    SystemNames system;
    // The ISO key beside the left Shift, and an extended key outside the table.
    EXPECT_EQ(system.namer.nameOf(0x56), "Strg");
    EXPECT_EQ(system.namer.nameOf(extended(0x46)), "Strg");
    EXPECT_EQ(system.asked, (std::vector<std::int32_t>{0x00560000, 0x01460000}));
    // A synthesised event (scan code 0) and codes beyond a keystroke's bits are no key.
    EXPECT_EQ(system.namer.nameOf(0), "");
    EXPECT_EQ(system.namer.nameOf(extended(0)), "");
    EXPECT_EQ(system.namer.nameOf(0x21D), "");
    EXPECT_EQ(system.asked.size(), 2u);
    const Set1KeyNamer withoutSystem(nullptr);
    EXPECT_EQ(withoutSystem.nameOf(0x56), "");
}

TEST(Set1KeyNamer, OnlyTheExtendedWindowsKeysAreWindowsKeys)
{
    const Set1KeyNamer namer(nullptr);
    EXPECT_TRUE(namer.isWindowsKey(extended(0x5B)));
    EXPECT_TRUE(namer.isWindowsKey(extended(0x5C)));
    EXPECT_EQ(namer.nameOf(extended(0x5B)), "Left Windows");
    EXPECT_EQ(namer.nameOf(extended(0x5C)), "Right Windows");
    EXPECT_FALSE(namer.isWindowsKey(0x5B));
    EXPECT_FALSE(namer.isWindowsKey(extended(0x5D)));
    EXPECT_FALSE(namer.isWindowsKey(0));
}

} // namespace
} // namespace kestrel
