#include "config/SettingsRecord.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace kestrel {
namespace {

using ButtonGetter = std::uint8_t (SettingsRecord::*)(KeyGroup, int) const;
using ButtonSetter = void (SettingsRecord::*)(KeyGroup, int, std::uint8_t);

struct ButtonField {
    const char* name;
    std::size_t offset;
    ButtonGetter get;
    ButtonSetter set;
};

const std::array<ButtonField, 10> kButtonFields{{
    {"KeyFunction", 0x27, &SettingsRecord::keyFunction, &SettingsRecord::setKeyFunction},
    {"MediaIndex", 0x37, &SettingsRecord::mediaIndex, &SettingsRecord::setMediaIndex},
    {"WindowsIndex", 0x47, &SettingsRecord::windowsIndex, &SettingsRecord::setWindowsIndex},
    {"HotKeyIndex", 0x57, &SettingsRecord::hotKeyIndex, &SettingsRecord::setHotKeyIndex},
    {"SingleKeyCode", 0x67, &SettingsRecord::singleKeyCode, &SettingsRecord::setSingleKeyCode},
    {"SnipeIndex", 0x77, &SettingsRecord::snipeIndex, &SettingsRecord::setSnipeIndex},
    {"FireKeyIndex", 0x87, &SettingsRecord::fireKeyIndex, &SettingsRecord::setFireKeyIndex},
    {"FireKeyCode", 0x97, &SettingsRecord::fireKeyCode, &SettingsRecord::setFireKeyCode},
    {"FireTimes", 0xA7, &SettingsRecord::fireTimes, &SettingsRecord::setFireTimes},
    {"DpiSwitchMode", 0xB7, &SettingsRecord::dpiSwitchMode, &SettingsRecord::setDpiSwitchMode},
}};

TEST(SettingsRecordTest, StartsAllZeroAndSpans199Bytes)
{
    const SettingsRecord record;
    ASSERT_EQ(record.bytes().size(), 199u);
    for (const std::uint8_t byte : record.bytes()) {
        EXPECT_EQ(byte, 0);
    }
}

TEST(SettingsRecordTest, PerButtonFieldsSitAtTheirOffsetsGroupOneFirst)
{
    for (const ButtonField& field : kButtonFields) {
        SCOPED_TRACE(field.name);
        SettingsRecord record;
        (record.*field.set)(KeyGroup::ModeA, 0, 0x11);
        (record.*field.set)(KeyGroup::ModeA, 7, 0x22);
        (record.*field.set)(KeyGroup::ModeB, 0, 0x33);
        (record.*field.set)(KeyGroup::ModeB, 7, 0x44);
        EXPECT_EQ(record.bytes()[field.offset], 0x11);
        EXPECT_EQ(record.bytes()[field.offset + 7], 0x22);
        EXPECT_EQ(record.bytes()[field.offset + 8], 0x33);
        EXPECT_EQ(record.bytes()[field.offset + 15], 0x44);
        EXPECT_EQ((record.*field.get)(KeyGroup::ModeB, 7), 0x44);
        int nonZero = 0;
        for (const std::uint8_t byte : record.bytes()) {
            nonZero += byte != 0 ? 1 : 0;
        }
        EXPECT_EQ(nonZero, 4);
    }
}

TEST(SettingsRecordTest, TheShownGroupIsReadAsThePageShowsIt)
{
    SettingsRecord record;
    EXPECT_EQ(record.shownGroup(), KeyGroup::ModeA);
    record.setModeShown(1);
    EXPECT_EQ(record.shownGroup(), KeyGroup::ModeB);
    // A byte edited by hand to anything else shows "Mode A", and stays as loaded.
    for (const std::uint8_t odd : {2, 0x80, 0xFF}) {
        record.setModeShown(odd);
        EXPECT_EQ(record.shownGroup(), KeyGroup::ModeA) << int(odd);
        EXPECT_EQ(record.modeShown(), odd);
    }
    record.setShownGroup(KeyGroup::ModeB);
    EXPECT_EQ(record.bytes()[SettingsRecord::kModeShown.offset], 1);
    record.setShownGroup(KeyGroup::ModeA);
    EXPECT_EQ(record.bytes()[SettingsRecord::kModeShown.offset], 0);
}

TEST(KeyGroupTest, EachNumberingComesFromTheOneGroup)
{
    EXPECT_EQ(keygroup::other(KeyGroup::ModeA), KeyGroup::ModeB);
    EXPECT_EQ(keygroup::other(KeyGroup::ModeB), KeyGroup::ModeA);
    // People read 1 and 2; storage counts 0 and 1, "Mode A" first.
    EXPECT_EQ(keygroup::number(KeyGroup::ModeA), 1);
    EXPECT_EQ(keygroup::number(KeyGroup::ModeB), 2);
    EXPECT_EQ(keygroup::index(KeyGroup::ModeA), 0u);
    EXPECT_EQ(keygroup::index(KeyGroup::ModeB), 1u);
    EXPECT_EQ(keygroup::slot(KeyGroup::ModeA, 7), 7u);
    EXPECT_EQ(keygroup::slot(KeyGroup::ModeB, 0), 8u);
    EXPECT_EQ(keygroup::slot(KeyGroup::ModeB, 7), 15u);
    EXPECT_EQ(keygroup::toModeShown(KeyGroup::ModeB), 1);
    EXPECT_EQ(keygroup::fromModeShown(keygroup::toModeShown(KeyGroup::ModeB)), KeyGroup::ModeB);
    EXPECT_EQ(keygroup::fromModeShown(keygroup::toModeShown(KeyGroup::ModeA)), KeyGroup::ModeA);
    EXPECT_EQ(keygroup::kAll.front(), KeyGroup::ModeA);
    EXPECT_EQ(keygroup::kAll.back(), KeyGroup::ModeB);
}

TEST(SettingsRecordTest, SingleFieldsSitAtTheirOffsets)
{
    SettingsRecord record;
    record.setReportRate(8);
    record.setDpiLevel(3, 0x0B);
    record.setDpiEnabled(2, 1);
    record.setDpiColor(1, Rgb{0xA1, 0xA2, 0xA3});
    record.setLedMode(2);
    record.setLedBrightness(9);
    record.setLedPeriod(4);
    record.setNeonPeriod(29);
    record.setEffect(2, 3);
    record.setModeShown(1);
    record.setFireMakeTime(5);
    record.setFireBreakTime(255);
    record.setSnipeDpiCode(0x28);

    const auto bytes = record.bytes();
    EXPECT_EQ(bytes[0x05], 8);
    EXPECT_EQ(bytes[0x0A], 0x0B);
    EXPECT_EQ(bytes[0x0D], 1);
    EXPECT_EQ(bytes[0x12], 0xA1);
    EXPECT_EQ(bytes[0x13], 0xA2);
    EXPECT_EQ(bytes[0x14], 0xA3);
    EXPECT_EQ(bytes[0x1B], 2);
    EXPECT_EQ(bytes[0x1C], 9);
    EXPECT_EQ(bytes[0x1D], 4);
    EXPECT_EQ(bytes[0x1E], 29);
    EXPECT_EQ(bytes[0x21], 3);
    EXPECT_EQ(bytes[0x23], 1);
    EXPECT_EQ(bytes[0x24], 5);
    EXPECT_EQ(bytes[0x25], 255);
    EXPECT_EQ(bytes[0x26], 0x28);
    EXPECT_EQ(record.dpiColor(1), (Rgb{0xA1, 0xA2, 0xA3}));
    EXPECT_EQ(record.dpiColor(0), Rgb{});
}

TEST(SettingsRecordTest, LoadedBytesIncludingReservedOnesAreKeptThroughEdits)
{
    SettingsRecord record;
    for (std::size_t i = 0; i < SettingsRecord::kSize; ++i) {
        record.bytes()[i] = static_cast<std::uint8_t>(0xC0 ^ i);
    }
    const SettingsRecord loaded = record;
    EXPECT_EQ(record, loaded);

    record.setLedMode(record.ledMode());
    record.setKeyFunction(KeyGroup::ModeB, 3, record.keyFunction(KeyGroup::ModeB, 3));
    record.setDpiColor(3, record.dpiColor(3));
    EXPECT_EQ(record, loaded);

    record.setFireTimes(KeyGroup::ModeB, 2, 0x7F);
    EXPECT_NE(record, loaded);
    for (const std::size_t reserved : {0x00, 0x01, 0x02, 0x03, 0x04, 0x06, 0x22}) {
        EXPECT_EQ(record.bytes()[reserved], static_cast<std::uint8_t>(0xC0 ^ reserved));
    }
}

TEST(SettingsRecordTest, StageInUseOnlyForFlagOne)
{
    SettingsRecord record;
    record.setDpiEnabled(0, 1);
    record.setDpiEnabled(1, 2);
    record.setDpiEnabled(2, 0xFF);
    EXPECT_TRUE(record.isStageInUse(0));
    EXPECT_FALSE(record.isStageInUse(1));
    EXPECT_FALSE(record.isStageInUse(2));
    EXPECT_FALSE(record.isStageInUse(3));
    EXPECT_EQ(record.dpiEnabled(1), 2);
}

} // namespace
} // namespace kestrel
