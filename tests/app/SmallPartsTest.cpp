// The small rules of the window program: its command line, its fonts and where its window goes.
#include "app/AppOptions.h"
#include "app/FontRule.h"
#include "app/ScreenPlacement.h"
#include "platform/PlatformServicesFactory.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

std::optional<AppOptions> parse(std::vector<std::string> args, const char* variable = nullptr)
{
    std::string error;
    return AppOptions::parse(args, variable, error);
}

} // namespace

TEST(AppOptions, SimulateOptionAndVariableChooseTheSimulatedMouse)
{
    EXPECT_FALSE(parse({})->backend.simulate);
    EXPECT_TRUE(parse({"--simulate"})->backend.simulate);
    EXPECT_FALSE(parse({"--simulate"})->backend.simulatedStateFile);
    EXPECT_EQ(parse({"--simulate=mouse.img"})->backend.simulatedStateFile, "mouse.img");

    EXPECT_FALSE(parse({}, "0")->backend.simulate);
    // Set but empty says nothing.
    EXPECT_FALSE(parse({}, "")->backend.simulate);
    EXPECT_TRUE(parse({}, "1")->backend.simulate);
    EXPECT_FALSE(parse({}, "1")->backend.simulatedStateFile);
    EXPECT_EQ(parse({}, "/tmp/m.img")->backend.simulatedStateFile, "/tmp/m.img");
    // The command line says more than the environment.
    EXPECT_FALSE(parse({"--simulate"}, "/tmp/m.img")->backend.simulatedStateFile);
}

TEST(AppOptions, UnknownArgumentsAreSetAsideAndAnEmptyFileIsRefused)
{
    std::string error;
    EXPECT_FALSE(AppOptions::parse({"--simulate="}, nullptr, error));
    EXPECT_EQ(error, "--simulate= needs a file name");
    const auto options = parse({"--trace", "--simulate", "%U"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->backend.simulate);
    EXPECT_EQ(options->ignored, (std::vector<std::string>{"--trace", "%U"}));
    EXPECT_TRUE(parse({"--help"})->help);
    EXPECT_TRUE(parse({"--version"})->version);
    EXPECT_FALSE(parse({})->autostart);
    EXPECT_TRUE(parse({"--simulate", "--autostart"})->autostart);
    EXPECT_TRUE(parse({"--autostart"})->ignored.empty());
    EXPECT_TRUE(AppOptions::asksForTextOnly({"-platform", "offscreen", "--version"}));
    EXPECT_FALSE(AppOptions::asksForTextOnly({"--simulate"}));
    EXPECT_EQ(AppOptions::versionLine(), std::string("kestrel ") + KESTREL_TEST_PROJECT_VERSION);
}

TEST(AppOptions, ShowIsAskedForOnlyByItsOwnOption)
{
    EXPECT_FALSE(parse({})->show);
    EXPECT_FALSE(parse({"--simulate"})->show);
    const auto options = parse({"--show", "--simulate"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->show);
    EXPECT_TRUE(options->ignored.empty());
    EXPECT_FALSE(AppOptions::asksForTextOnly({"--show"}));
    EXPECT_NE(std::string_view(AppOptions::kUsage).find("--show"), std::string_view::npos);
}

TEST(FontRule, LanguageAndWindowsVersionPickTheFaces)
{
    const FontPair english = FontRule::choose(Language::English, true);
    EXPECT_EQ(english.normal, (FontChoice{"Arial", 14, 400}));
    EXPECT_EQ(english.title, (FontChoice{"Tahoma", 18, 700}));

    EXPECT_EQ(FontRule::choose(Language::SimplifiedChinese, true).normal, (FontChoice{"黑体", 13, 400}));
    EXPECT_EQ(FontRule::choose(Language::SimplifiedChinese, false).normal, (FontChoice{"宋体", 13, 400}));
    EXPECT_EQ(FontRule::choose(Language::SimplifiedChinese, false).title, (FontChoice{"宋体", 18, 700}));
    for (const bool windows62 : {false, true}) {
        EXPECT_EQ(FontRule::choose(Language::TraditionalChinese, windows62).normal, (FontChoice{"黑体", 14, 400}));
        EXPECT_EQ(FontRule::choose(Language::TraditionalChinese, windows62).title, (FontChoice{"黑体", 18, 700}));
    }
    // "chs" in lower case is not Chinese.
    EXPECT_EQ(FontRule::choose(languageFromCode("chs"), false).normal.face, "Arial");
}

TEST(FontRule, TheWindowsVersionTestIsNeverTrueHereAndFontsKeepTheirDesign)
{
#if !defined(_WIN32)
    EXPECT_FALSE(PlatformServicesFactory::forThisSystem()->reportsWindows62());
#endif
    const QFont title = FontRule::toFont({"Tahoma", 18, 700});
    EXPECT_EQ(title.family(), "Tahoma");
    EXPECT_EQ(QFontMetrics(title).height(), 18);
    EXPECT_EQ(title.weight(), QFont::Bold);
    EXPECT_EQ(FontRule::toFont({"Arial", 14, 400}).weight(), QFont::Normal);
}

TEST(ScreenPlacement, AWindowIsMovedAsLittleAsKeepsItInsideTheFreeArea)
{
    // A panel of 30 pixels along the top of a 1600 x 1000 screen.
    const QRect area(0, 30, 1600, 970);
    EXPECT_EQ(ScreenPlacement::keepInside(area, {100, 200, 900, 650}), QPoint(100, 200));
    EXPECT_EQ(ScreenPlacement::keepInside(area, {-40, 0, 900, 650}), QPoint(0, 30));
    EXPECT_EQ(ScreenPlacement::keepInside(area, {1000, 600, 900, 650}), QPoint(700, 350));
    EXPECT_EQ(ScreenPlacement::keepInside(area, {700, 350, 900, 650}), QPoint(700, 350));
    // A second screen to the left: its area has negative coordinates.
    EXPECT_EQ(ScreenPlacement::keepInside({-1280, 0, 1280, 800}, {-100, 100, 400, 300}), QPoint(-400, 100));
}

TEST(ScreenPlacement, AWindowLargerThanTheAreaKeepsItsTopLeftCornerInIt)
{
    // 1600 x 1000 at scale factor 2: 800 x 500 for a 900 x 650 window, centred at (-50, -75).
    const QRect area(0, 0, 800, 500);
    EXPECT_EQ(ScreenPlacement::keepInside(area, {-50, -75, 900, 650}), QPoint(0, 0));
    EXPECT_EQ(ScreenPlacement::keepInside(area, {300, 200, 900, 650}), QPoint(0, 0));
    // Only the dimension that does not fit goes to the edge.
    EXPECT_EQ(ScreenPlacement::keepInside(area, {-50, 100, 900, 300}), QPoint(0, 100));
    EXPECT_EQ(ScreenPlacement::keepInside({10, 20, 800, 500}, {-50, -75, 900, 650}), QPoint(10, 20));
}
