#include "app/NoticeBalloon.h"

#include "config/DpiTable.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

// Sensor type 0 with DPI level 3 on stage 1 and level 5 on stage 2.
struct NoticeRig {
    SettingsRecord settings;
    std::uint8_t sensorType = 0;

    NoticeRig()
    {
        settings.setDpiLevel(0, 3);
        settings.setDpiLevel(1, 5);
        settings.setDpiLevel(2, 7);
        settings.setDpiLevel(3, 1);
    }

    std::optional<Balloon> compose(int kind, int value, Language language = Language::English) const
    {
        return NoticeBalloon::compose({kind, value}, TextTable::forLanguage(language), settings, sensorType);
    }
};

} // namespace

TEST(NoticeBalloon, ReportRateRowsNameTheirRateForTheFourCodes)
{
    const NoticeRig rig;
    EXPECT_EQ(rig.compose(5, 1), (Balloon{"Switch report rate into 1000HZ", "Info", 5000}));
    EXPECT_EQ(rig.compose(5, 2), (Balloon{"Switch report rate into 500HZ", "Info", 5000}));
    EXPECT_EQ(rig.compose(5, 4), (Balloon{"Switch report rate into 250HZ", "Info", 5000}));
    EXPECT_EQ(rig.compose(5, 8), (Balloon{"Switch report rate into 125HZ", "Info", 5000}));
    for (const int value : {0, 3, 5, 16, -1})
        EXPECT_FALSE(rig.compose(5, value)) << value;
}

TEST(NoticeBalloon, DpiStageRowsAppendTheStagesDpiLabelAfterTheEnglishBlank)
{
    const NoticeRig rig;
    const std::array<std::string, 4> stages = {"first", "second", "third", "fourth"};
    for (int stage = 1; stage <= 4; ++stage) {
        const std::string label = DpiTable::label(0, rig.settings.dpiLevel(stage - 1));
        ASSERT_FALSE(label.empty());
        EXPECT_EQ(rig.compose(7, stage),
                  (Balloon{"Switch DPI into the " + stages[stage - 1] + " stage " + label, "Info", 5000}));
    }
    EXPECT_FALSE(rig.compose(7, 0));
    EXPECT_FALSE(rig.compose(7, 5));
}

TEST(NoticeBalloon, ChineseDpiStageTextsTakeTheLabelWithoutABlank)
{
    const NoticeRig rig;
    const std::string label = DpiTable::label(0, 3);
    EXPECT_EQ(rig.compose(7, 1, Language::SimplifiedChinese)->text, "DPI切换到第一段" + label);
    EXPECT_EQ(rig.compose(7, 4, Language::TraditionalChinese)->text, "DPI切換到第四段" + DpiTable::label(0, 1));
}

TEST(NoticeBalloon, DpiStageOfAnUnknownSensorTypeHasNoLabel)
{
    NoticeRig rig;
    rig.sensorType = 4;
    EXPECT_EQ(rig.compose(7, 2)->text, "Switch DPI into the second stage ");
}

TEST(NoticeBalloon, KeyGroupAndMacroRows)
{
    const NoticeRig rig;
    EXPECT_EQ(rig.compose(8, 1), (Balloon{"Switch to key matrix 1", "Info", 5000}));
    EXPECT_EQ(rig.compose(8, 2), (Balloon{"Switch to key matrix 2", "Info", 5000}));
    EXPECT_FALSE(rig.compose(8, 3));
    EXPECT_FALSE(rig.compose(8, 4));
    EXPECT_FALSE(rig.compose(8, 0));
    EXPECT_EQ(rig.compose(9, 12), (Balloon{"Switch to macro key12", "Info", 5000}));
    EXPECT_EQ(rig.compose(9, 1, Language::TraditionalChinese)->text, "切換到巨集1");
    EXPECT_FALSE(rig.compose(9, 0));
}

TEST(NoticeBalloon, MouseRowsAreShortAndTheMissingMouseIsAWarning)
{
    const NoticeRig rig;
    for (const int value : {0, 1, -7}) {
        EXPECT_EQ(rig.compose(14, value), (Balloon{"The system detect the gaming mouse.", "Info", 100}));
        EXPECT_EQ(rig.compose(15, value),
                  (Balloon{"The system did not detect the gaming mouse!", "Warning", 100}));
    }
    EXPECT_EQ(rig.compose(15, 0, Language::SimplifiedChinese)->text, "系统没有检测到游戏鼠标！");
    EXPECT_EQ(rig.compose(14, 0, Language::TraditionalChinese)->text, "系統檢測到遊戲滑鼠。");
}

TEST(NoticeBalloon, KindsOutsideTheTableShowNothing)
{
    const NoticeRig rig;
    for (const int kind : {0, 1, 4, 6, 10, 11, 12, 13, 16, 100, -5})
        EXPECT_FALSE(rig.compose(kind, 1)) << kind;
}
