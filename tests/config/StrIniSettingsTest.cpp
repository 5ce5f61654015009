#include "FileTestSupport.h"

#include "config/StrIniSettings.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::ScratchFolder;

TEST(StrIniSettingsTest, ReadsCaptionsOfTheChosenLanguageAndTheSkin)
{
    const ScratchFolder folder;
    test::writeFile(folder / "str.ini",
                    "[Skins]\r\nLan=CHT\r\nPath=Dark\r\nRColor=300\r\nGColor=abc\r\nBColor= 12\r\n"
                    "[Setting-CHS]\r\nItem1=左键\r\n"
                    "[Setting-CHT]\r\nItem13=火力鍵-A\r\nItem83=按鍵關閉\r\n");
    const StrIniSettings settings(folder / "str.ini");

    const Language language = languageFromCode(settings.readLanguageCode());
    EXPECT_EQ(language, Language::TraditionalChinese);
    const StrIniSettings::Values values = settings.read(language);
    EXPECT_EQ(values.captions[0], "");
    EXPECT_EQ(values.captions[8], "火力鍵-A");
    EXPECT_EQ(values.captions[15], "按鍵關閉");
    EXPECT_EQ(values.skin.path, "Dark");
    EXPECT_EQ(StrIniSettings::skinColour(values.skin), (Rgb{44, 0, 12}));

    test::writeFile(folder / "str.ini", "[Skins]\r\nLan=chs\r\n[Setting-CHS]\r\nItem1=左键\r\n[Setting-EN]\r\nItem1=Left\r\n");
    const Language lowerCase = languageFromCode(settings.readLanguageCode());
    EXPECT_EQ(lowerCase, Language::English);
    EXPECT_EQ(settings.read(lowerCase).captions[0], "Left");
}

TEST(StrIniSettingsTest, MissingFileReadsEmptyEverywhere)
{
    const ScratchFolder folder;
    const StrIniSettings settings(folder / "str.ini");
    EXPECT_EQ(settings.readLanguageCode(), "");
    const StrIniSettings::Values values = settings.read(Language::English);
    EXPECT_EQ(values.captions, StrIniSettings::Captions{});
    EXPECT_EQ(StrIniSettings::skinColour(values.skin), (Rgb{0, 0, 0}));
    EXPECT_EQ(values.skin.path, "");
    EXPECT_FALSE(std::filesystem::exists(folder / "str.ini"));
}

TEST(StrIniSettingsTest, ChineseDefaultCaptionsSurviveWriteAndReadInKeyOrder)
{
    const ScratchFolder folder;
    const std::string skins = "[Skins]\r\nLan=CHS\r\nPath=Blue\r\n";
    test::writeFile(folder / "str.ini", skins);
    const StrIniSettings settings(folder / "str.ini");

    const StrIniSettings::Captions captions = StrIniSettings::defaultCaptions(Language::SimplifiedChinese);
    ASSERT_FALSE(settings.writeCaptions(Language::SimplifiedChinese, captions));
    EXPECT_EQ(settings.read(Language::SimplifiedChinese).captions, captions);
    EXPECT_EQ(settings.read(Language::TraditionalChinese).captions, StrIniSettings::Captions{});

    std::string expected = skins + "[Setting-CHS]\r\n";
    for (std::size_t i = 0; i < captions.size(); ++i)
        expected += std::string(StrIniSettings::kCaptionKeys[i]) + "=" + captions[i] + "\r\n";
    EXPECT_EQ(test::fileText(folder / "str.ini"), expected);
    EXPECT_EQ(StrIniSettings::kCaptionKeys[8], "Item13");
    EXPECT_EQ(StrIniSettings::kCaptionKeys[15], "Item83");
}

TEST(StrIniSettingsTest, SkinSettingsAreWrittenAsDecimalThenPath)
{
    const ScratchFolder folder;
    test::writeFile(folder / "str.ini", "[Skins]\r\nLan=CHS\r\nRColor=1\r\n");
    const StrIniSettings settings(folder / "str.ini");

    ASSERT_FALSE(settings.writeSkin(Rgb{255, 0, 7}, "Blue Sky"));
    EXPECT_EQ(test::fileText(folder / "str.ini"), "[Skins]\r\nLan=CHS\r\nRColor=255\r\nGColor=0\r\nBColor=7\r\nPath=Blue Sky\r\n");
    const StrIniSettings::Values values = settings.read(Language::SimplifiedChinese);
    EXPECT_EQ(StrIniSettings::skinColour(values.skin), (Rgb{255, 0, 7}));
    EXPECT_EQ(values.skin.path, "Blue Sky");
}

TEST(StrIniSettingsTest, ColourTextKeepsLowEightBitsOfTheDecimalNumber)
{
    EXPECT_EQ(StrIniSettings::colourComponent("300"), 44);
    EXPECT_EQ(StrIniSettings::colourComponent("256"), 0);
    EXPECT_EQ(StrIniSettings::colourComponent("255"), 255);
    EXPECT_EQ(StrIniSettings::colourComponent(""), 0);
    EXPECT_EQ(StrIniSettings::colourComponent("red"), 0);
    EXPECT_EQ(StrIniSettings::colourComponent(" \t+12px"), 12);
    EXPECT_EQ(StrIniSettings::colourComponent("0x1F"), 0);
    EXPECT_EQ(StrIniSettings::colourComponent("-1"), 255);
    EXPECT_EQ(StrIniSettings::colourComponent("-"), 0);
    // Beyond the 32-bit range the number saturates before the low bits are taken.
    EXPECT_EQ(StrIniSettings::colourComponent(std::string(5000, '9')), 255);
    EXPECT_EQ(StrIniSettings::colourComponent("2147483648"), 255);
    EXPECT_EQ(StrIniSettings::colourComponent("-99999999999999999999"), 0);
}

TEST(StrIniSettingsTest, DefaultCaptionsAreLocalizedForBothKeyGroups)
{
    const StrIniSettings::Captions english = StrIniSettings::defaultCaptions(Language::English);
    const std::array<std::string, 8> group = {"Left Click", "Right Click", "Mid Click", "Forward", "Backward", "DPI +", "DPI -", "Key Off"};
    for (std::size_t i = 0; i < group.size(); ++i) {
        EXPECT_EQ(english[i], group[i]);
        EXPECT_EQ(english[i + group.size()], group[i]);
    }
    const StrIniSettings::Captions traditional = StrIniSettings::defaultCaptions(Language::TraditionalChinese);
    EXPECT_EQ(traditional[3], "前進方向鍵");
    EXPECT_EQ(traditional[5], "DPI +");
    EXPECT_EQ(traditional[15], "按鍵關閉");
}

TEST(StrIniSettingsTest, AFailedWriteGivesTheSystemsReasonAndLeavesTheFileAlone)
{
    const ScratchFolder folder;
    std::filesystem::create_directory(folder / "str.ini");
    const StrIniSettings settings(folder / "str.ini");
    const std::error_code skin = settings.writeSkin(Rgb{1, 2, 3}, "Blue");
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin.message(), "not a regular file");
    const std::error_code captions =
        settings.writeCaptions(Language::English, StrIniSettings::defaultCaptions(Language::English));
    EXPECT_EQ(captions, skin);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "str.ini"));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "str.ini"));
}

TEST(StrIniSettingsTest, ReadingInItsOwnLanguageTellsARefusedFileFromAMissingOne)
{
    const ScratchFolder folder;
    const StrIniSettings settings(folder / "str.ini");
    EXPECT_FALSE(settings.readInOwnLanguage().error);

    test::writeFile(folder / "str.ini", "[Skins]\r\nLan=CHT\r\n[Setting-CHT]\r\nItem1=A\r\n");
    const StrIniSettings::OwnLanguageValues values = settings.readInOwnLanguage();
    EXPECT_FALSE(values.error);
    EXPECT_EQ(values.language, Language::TraditionalChinese);
    EXPECT_EQ(values.values.captions[0], "A");

    std::filesystem::remove(folder / "str.ini");
    std::filesystem::create_symlink("/dev/zero", folder / "str.ini");
    EXPECT_TRUE(settings.readInOwnLanguage().error);
}

} // namespace
} // namespace kestrel
