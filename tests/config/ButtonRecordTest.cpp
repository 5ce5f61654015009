#include "config/ButtonRecord.h"

#include "config/KeyFunctionCode.h"
#include "config/SettingsRecord.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

ButtonRecord encode(KeyFunctionCode code, const ButtonRecord::Values& values = {})
{
    return ButtonRecord::encode(toByte(code), values);
}

TEST(ButtonRecordTest, FixedFunctionsHaveFixedRecords)
{
    // Per-button values must not leak into functions that do not use them.
    const ButtonRecord::Values noise{0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(encode(KeyFunctionCode::LeftClick, noise), (ButtonRecord{0xF0, 0x00}));
    EXPECT_EQ(encode(KeyFunctionCode::RightClick, noise), (ButtonRecord{0xF1, 0x00}));
    EXPECT_EQ(encode(KeyFunctionCode::MidClick, noise), (ButtonRecord{0xF2, 0x00}));
    EXPECT_EQ(encode(KeyFunctionCode::Forward, noise), (ButtonRecord{0xF4, 0x00}));
    EXPECT_EQ(encode(KeyFunctionCode::Backward, noise), (ButtonRecord{0xF3, 0x00}));
    EXPECT_EQ(encode(KeyFunctionCode::SnipeKey, noise), (ButtonRecord{0x0A, 0x03}));
    EXPECT_EQ(encode(KeyFunctionCode::KeyOff, noise), (ButtonRecord{0x00, 0x00}));
    EXPECT_EQ(encode(KeyFunctionCode::Shift, noise), (ButtonRecord{0x06, 0x03}));
}

TEST(ButtonRecordTest, CodesBeyondTheListGiveAnEmptyRecord)
{
    const ButtonRecord::Values noise{0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55};
    for (int code = 14; code <= 255; ++code) {
        EXPECT_EQ(ButtonRecord::encode(static_cast<std::uint8_t>(code), noise), (ButtonRecord{0x00, 0x00})) << code;
    }
}

TEST(ButtonRecordTest, ValueFunctionsCarryTheirPerButtonValue)
{
    EXPECT_EQ(encode(KeyFunctionCode::DpiSwitch, {.dpiSwitchMode = 5}), (ButtonRecord{0x05, 0x03}));
    EXPECT_EQ(encode(KeyFunctionCode::Windows, {.windowsIndex = 0}), (ButtonRecord{0x07, 0x02}));
    EXPECT_EQ(encode(KeyFunctionCode::Windows, {.windowsIndex = 8}), (ButtonRecord{0x0F, 0x02}));
    EXPECT_EQ(encode(KeyFunctionCode::Multimedia, {.mediaIndex = 6}), (ButtonRecord{0x06, 0x02}));
    EXPECT_EQ(encode(KeyFunctionCode::HotKey, {.hotKeyIndex = 0}), (ButtonRecord{0x10, 0x02}));
    EXPECT_EQ(encode(KeyFunctionCode::HotKey, {.hotKeyIndex = 7}), (ButtonRecord{0x17, 0x02}));
    EXPECT_EQ(encode(KeyFunctionCode::SingleKey, {.singleKeyCode = 0xE4}), (ButtonRecord{0xE4, 0x00}));
}

TEST(ButtonRecordTest, FireKeyTypeByteCarriesTheRepeatCount)
{
    EXPECT_EQ(encode(KeyFunctionCode::FireKey, {.fireKeyCode = 0x04, .fireTimes = 3}), (ButtonRecord{0x04, 0x83}));
    EXPECT_EQ(encode(KeyFunctionCode::FireKey, {.fireKeyCode = 0xF0, .fireTimes = 0}), (ButtonRecord{0xF0, 0x80}));
    EXPECT_EQ(encode(KeyFunctionCode::FireKey, {.fireKeyCode = 0x3A, .fireTimes = 127}), (ButtonRecord{0x3A, 0xFF}));
    // Counts above 127 wrap as a byte instead of spilling into another record type.
    EXPECT_EQ(encode(KeyFunctionCode::FireKey, {.fireKeyCode = 0x04, .fireTimes = 0x81}).type, 0x01);
}

TEST(ButtonRecordTest, FromSettingsReadsTheButtonOfTheGivenGroup)
{
    SettingsRecord record;
    record.setKeyFunction(KeyGroup::ModeA, 2, toByte(KeyFunctionCode::HotKey));
    record.setHotKeyIndex(KeyGroup::ModeA, 2, 3);
    record.setHotKeyIndex(KeyGroup::ModeB, 2, 6);
    record.setKeyFunction(KeyGroup::ModeB, 2, toByte(KeyFunctionCode::FireKey));
    record.setFireKeyCode(KeyGroup::ModeB, 2, 0xE5);
    record.setFireTimes(KeyGroup::ModeB, 2, 10);
    EXPECT_EQ(ButtonRecord::fromSettings(record, KeyGroup::ModeA, 2), (ButtonRecord{0x13, 0x02}));
    EXPECT_EQ(ButtonRecord::fromSettings(record, KeyGroup::ModeB, 2), (ButtonRecord{0xE5, 0x8A}));
    EXPECT_EQ(ButtonRecord::fromSettings(record, KeyGroup::ModeB, 3), (ButtonRecord{0xF0, 0x00}));
}

} // namespace
} // namespace kestrel
