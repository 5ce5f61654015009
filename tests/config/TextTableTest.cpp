#include "config/Language.h"
#include "config/TextTable.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(LanguageTest, CodeIsComparedExactlyAndSelectsTheCaptionSection)
{
    EXPECT_EQ(languageFromCode("CHS"), Language::SimplifiedChinese);
    EXPECT_EQ(languageFromCode("CHT"), Language::TraditionalChinese);
    for (const std::string_view other : {"", "chs", "cht", "Chs", " CHS", "CHS ", "CHSX", "EN"})
        EXPECT_EQ(languageFromCode(other), Language::English) << other;

    EXPECT_EQ(iniSectionName(Language::English), "Setting-EN");
    EXPECT_EQ(iniSectionName(Language::SimplifiedChinese), "Setting-CHS");
    EXPECT_EQ(iniSectionName(languageFromCode("CHT")), "Setting-CHT");
}

TEST(TextTableTest, EachLanguageGetsItsOwnColumn)
{
    const TextTable english = TextTable::forLanguage(Language::English);
    const TextTable simplified = TextTable::forLanguage(Language::SimplifiedChinese);
    const TextTable traditional = TextTable::forLanguage(Language::TraditionalChinese);

    EXPECT_EQ(english.keyFunction(KeyFunctionCode::HotKey), "HotKey");
    EXPECT_EQ(simplified.keyFunction(KeyFunctionCode::HotKey), "快捷键");
    EXPECT_EQ(traditional.keyFunction(KeyFunctionCode::HotKey), "快速鍵");
    EXPECT_EQ(english.defaultKeys, "Default");
    EXPECT_EQ(simplified.defaultKeys, "按键恢复");
    EXPECT_EQ(traditional.keyGroupNotices[1], "切換到按鍵群組2");
    EXPECT_EQ(english.reportRateNotices[3], "Switch report rate into 125HZ");
    EXPECT_EQ(english.effects[0], "Non-Disolay");
    EXPECT_EQ(simplified.lightingModes[2], "呼吸模式");
    EXPECT_EQ(traditional.mouseNotDetected, "系統沒有檢測到遊戲滑鼠！");
    EXPECT_EQ(english.iniSection, "Setting-EN");
    EXPECT_EQ(traditional.iniSection, "Setting-CHT");
}

TEST(TextTableTest, OnlyEnglishDpiStageNoticesEndWithABlank)
{
    const TextTable english = TextTable::forLanguage(Language::English);
    EXPECT_EQ(english.dpiStageNotices[0] + "800", "Switch DPI into the first stage 800");
    EXPECT_EQ(english.dpiStageNotices[3], "Switch DPI into the fourth stage ");
    for (const Language language : {Language::SimplifiedChinese, Language::TraditionalChinese}) {
        for (const std::string& notice : TextTable::forLanguage(language).dpiStageNotices) {
            ASSERT_FALSE(notice.empty());
            EXPECT_NE(notice.back(), ' ') << notice;
        }
    }
    EXPECT_EQ(TextTable::forLanguage(Language::SimplifiedChinese).dpiStageNotices[1], "DPI切换到第二段");
}

} // namespace
} // namespace kestrel
