#include "config/ApplyComposer.h"

#include "config/ConfigImage.h"
#include "config/KeyFunctionCode.h"
#include "config/SettingsRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace kestrel {
namespace {

struct ByteRange {
    int page;
    std::size_t first;
    std::size_t last;
};

// Bytes of pages 3-5 the program never interprets.
constexpr std::array<ByteRange, 8> kCarriedRanges{{
    {3, 0x10, 0x1F},
    {3, 0x30, 0x3F},
    {4, 0x00, 0x05},
    {4, 0x07, 0x09},
    {4, 0x0D, 0x0D},
    {4, 0x10, 0x16},
    {4, 0x1C, 0x1F},
    {5, 0x00, 0x17},
}};

class ApplyComposerTest : public ::testing::Test {
protected:
    // An image as read from a mouse: no byte is zero, so any write shows.
    ApplyComposerTest()
    {
        for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
            image.bytes()[i] = static_cast<std::uint8_t>(0x40 + (i * 7) % 0xBF);
        }
        read = image;
    }

    void applyWith(std::uint8_t sensorType)
    {
        ApplyComposer::writeConstantTables(image);
        ApplyComposer::composeFromSettings(image, record, sensorType);
    }

    std::vector<std::uint8_t> bytes(int page, std::size_t offset, std::size_t size) const
    {
        const auto span = image.page(page).subspan(offset, size);
        return {span.begin(), span.end()};
    }

    ConfigImage image;
    ConfigImage read;
    SettingsRecord record;
};

TEST_F(ApplyComposerTest, ConstantTablesAreWrittenByteExact)
{
    ApplyComposer::writeConstantTables(image);
    EXPECT_EQ(bytes(4, 0x20, 32), (std::vector<std::uint8_t>{
                                       0xB5, 0x00, 0xB6, 0x00, 0xB7, 0x00, 0xCD, 0x00, 0xE2, 0x00, 0xE9,
                                       0x00, 0xEA, 0x00, 0x83, 0x01, 0x8A, 0x01, 0x92, 0x01, 0x94, 0x01,
                                       0x21, 0x02, 0x23, 0x02, 0x24, 0x02, 0x25, 0x02, 0x27, 0x02}));
    EXPECT_EQ(bytes(5, 0x30, 16), (std::vector<std::uint8_t>{0xE0, 0x06, 0xE0, 0x1B, 0xE0, 0x19, 0xE0, 0x04,
                                                             0xE0, 0x12, 0xE0, 0x11, 0xE0, 0x16, 0xE0, 0x1D}));
    // Nothing else moves.
    std::ranges::copy(read.page(4).subspan(0x20, 32), image.page(4).subspan(0x20).begin());
    std::ranges::copy(read.page(5).subspan(0x30, 16), image.page(5).subspan(0x30).begin());
    EXPECT_EQ(image, read);
}

TEST_F(ApplyComposerTest, PagesOneTwoAndUninterpretedBytesAreCarriedUnchanged)
{
    record.setLedMode(0);
    record.setKeyFunction(KeyGroup::ModeA, 7, toByte(KeyFunctionCode::FireKey));
    record.setFireTimes(KeyGroup::ModeA, 7, 127);
    applyWith(0);

    for (int page = 1; page <= 2; ++page) {
        EXPECT_TRUE(std::ranges::equal(image.page(page), read.page(page))) << "page " << page;
    }
    for (const ByteRange& range : kCarriedRanges) {
        for (std::size_t at = range.first; at <= range.last; ++at) {
            EXPECT_EQ(image.page(range.page)[at], read.page(range.page)[at])
                << "page " << range.page << " +" << at;
        }
    }
    EXPECT_EQ(image.page(4)[ConfigImage::kPage4SensorType], read.page(4)[ConfigImage::kPage4SensorType]);
}

TEST_F(ApplyComposerTest, StatusPairTakesReportRateAndKeepsTheStage)
{
    record.setReportRate(4);
    applyWith(0);
    EXPECT_EQ(image.usbReportRate(), 4);
    EXPECT_EQ(image.sensorDpiStage(), read.sensorDpiStage());
}

TEST_F(ApplyComposerTest, AllStagesDisabled)
{
    for (int stage = 0; stage < SettingsRecord::kStageCount; ++stage) {
        record.setDpiLevel(stage, static_cast<std::uint8_t>(stage));
        record.setDpiColor(stage, Rgb{0x11, 0x22, 0x33});
    }
    applyWith(3);
    EXPECT_EQ(image.page(4)[0x06], 0);
    EXPECT_EQ(bytes(5, 0x18, 24), std::vector<std::uint8_t>(24, 0));
    EXPECT_EQ(bytes(4, 0x18, 4), (std::vector<std::uint8_t>{0x81, 0x82, 0x83, 0x84}));
}

TEST_F(ApplyComposerTest, EnabledStageColoursArePackedAndDisabledCodesKeepTheirPlace)
{
    const std::array<Rgb, 4> colours{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}};
    for (int stage = 0; stage < SettingsRecord::kStageCount; ++stage) {
        record.setDpiColor(stage, colours[static_cast<std::size_t>(stage)]);
        record.setDpiLevel(stage, static_cast<std::uint8_t>(2 * stage));
    }
    record.setDpiEnabled(0, 1);
    record.setDpiEnabled(2, 1);
    applyWith(1);

    EXPECT_EQ(image.page(4)[0x06], 2);
    std::vector<std::uint8_t> expected{1, 2, 3, 7, 8, 9};
    expected.resize(24, 0);
    EXPECT_EQ(bytes(5, 0x18, 24), expected);
    EXPECT_EQ(bytes(4, 0x18, 4), (std::vector<std::uint8_t>{0x01, 0x83, 0x05, 0xA4}));
}

TEST_F(ApplyComposerTest, FlagTwoIsSkippedForColoursButEnabledForTheCode)
{
    record.setDpiEnabled(0, 2);
    record.setDpiColor(0, Rgb{0xAA, 0xBB, 0xCC});
    record.setDpiLevel(0, 4);
    record.setDpiEnabled(1, 1);
    record.setDpiColor(1, Rgb{0x10, 0x20, 0x30});
    applyWith(2);

    EXPECT_EQ(image.page(4)[0x06], 1);
    EXPECT_EQ(bytes(5, 0x18, 6), (std::vector<std::uint8_t>{0x10, 0x20, 0x30, 0, 0, 0}));
    EXPECT_EQ(image.page(4)[0x18], 0x0A);
    EXPECT_EQ(image.page(4)[0x19], 0x02);
}

TEST_F(ApplyComposerTest, DpiCodesFollowTheGivenSensorTypeAndLevelRange)
{
    record.setDpiEnabled(0, 1);
    record.setDpiLevel(0, 4);
    record.setDpiLevel(1, 4);
    record.setDpiEnabled(2, 1);
    record.setDpiLevel(2, 11); // beyond the 8 levels of sensor type 2
    applyWith(2);
    EXPECT_EQ(bytes(4, 0x18, 4), (std::vector<std::uint8_t>{0x0A, 0x8A, 0x00, 0x82}));

    applyWith(5);
    EXPECT_EQ(bytes(4, 0x18, 4), (std::vector<std::uint8_t>{0x00, 0x80, 0x00, 0x80}));
}

TEST_F(ApplyComposerTest, LightingOffKeepsParameterAndEffectAsRead)
{
    record.setLedMode(0);
    record.setLedBrightness(9);
    applyWith(0);
    EXPECT_EQ(image.page(4)[0x0A], 0);
    EXPECT_EQ(image.page(4)[0x0B], read.page(4)[0x0B]);
    EXPECT_EQ(image.page(4)[0x0C], read.page(4)[0x0C]);

    record.setLedMode(3);
    applyWith(0);
    EXPECT_EQ(image.page(4)[0x0A], 3);
    EXPECT_EQ(image.page(4)[0x0B], read.page(4)[0x0B]);
    EXPECT_EQ(image.page(4)[0x0C], read.page(4)[0x0C]);
}

TEST_F(ApplyComposerTest, StandardAndRespirationWriteTheirParameterAndEffectTwo)
{
    record.setLedBrightness(9);
    record.setLedPeriod(3);
    record.setLedMode(1);
    applyWith(0);
    EXPECT_EQ(bytes(4, 0x0A, 3), (std::vector<std::uint8_t>{1, 9, 2}));

    record.setLedMode(2);
    applyWith(0);
    EXPECT_EQ(bytes(4, 0x0A, 3), (std::vector<std::uint8_t>{2, 3, 2}));
}

TEST_F(ApplyComposerTest, SnipeAndFireTimingAreCopied)
{
    record.setSnipeDpiCode(0x28);
    record.setFireMakeTime(5);
    record.setFireBreakTime(255);
    applyWith(0);
    EXPECT_EQ(image.page(4)[0x17], 0x28);
    EXPECT_EQ(image.page(4)[0x0E], 5);
    EXPECT_EQ(image.page(4)[0x0F], 255);
}

TEST_F(ApplyComposerTest, ButtonsThreeAndFourTradeSlotsInBothGroups)
{
    for (const KeyGroup group : keygroup::kAll) {
        for (int button = 0; button < SettingsRecord::kButtonCount; ++button) {
            record.setKeyFunction(group, button, toByte(KeyFunctionCode::KeyOff));
        }
    }
    record.setKeyFunction(KeyGroup::ModeA, 0, toByte(KeyFunctionCode::LeftClick));
    record.setKeyFunction(KeyGroup::ModeA, 3, toByte(KeyFunctionCode::Forward));
    record.setKeyFunction(KeyGroup::ModeA, 4, toByte(KeyFunctionCode::Backward));
    record.setKeyFunction(KeyGroup::ModeB, 3, toByte(KeyFunctionCode::Multimedia));
    record.setMediaIndex(KeyGroup::ModeB, 3, 6);
    record.setKeyFunction(KeyGroup::ModeB, 4, toByte(KeyFunctionCode::FireKey));
    record.setFireKeyCode(KeyGroup::ModeB, 4, 0x04);
    record.setFireTimes(KeyGroup::ModeB, 4, 3);
    record.setKeyFunction(KeyGroup::ModeB, 7, toByte(KeyFunctionCode::Shift));
    applyWith(0);

    EXPECT_EQ(bytes(3, 0x00, 16), (std::vector<std::uint8_t>{0xF0, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF3, 0x00,
                                                             0xF4, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(bytes(3, 0x20, 16), (std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x83,
                                                             0x06, 0x02, 0x00, 0x00, 0x00, 0x00, 0x06, 0x03}));
}

} // namespace
} // namespace kestrel
