#include "AppTestRig.h"

#include <QAction>
#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

constexpr std::string_view kEnglishIni =
    "[Skins]\nLan=EN\nPath=Test\nRColor=230\nGColor=12\nBColor=300\n\n"
    "[Setting-EN]\nItem1=Left Click\nItem2=Right Click\nItem83=Key Off\n";

constexpr std::string_view kChineseIni =
    "[Skins]\nLan=CHS\nPath=Test\nRColor=1\nGColor=2\nBColor=3\n\n"
    "[Setting-EN]\nItem1=Left Click\n\n[Setting-CHS]\nItem1=左键\nItem2=右键\n";

const ShownMessage kConfigMissing{"Config file is not exist.", "kestrel"};
const ShownMessage kRegistrationFailed{"RegisterDeviceNotification failed!!!", "kestrel"};

// A program folder with config.bin, an English str.ini and a 120 x 90 skin "Test".
struct StartupRig : AppTestRig {
    StartupRig()
    {
        writeStrIni(kEnglishIni);
        writeSkin("Test", {120, 90});
    }

    std::optional<Balloon> lastBalloon() { return dlg().notificationArea().trayIcon()->lastBalloon(); }
};

} // namespace

TEST(Startup, WithTheMouseItIsReadAndOnlyTheIconAppears)
{
    StartupRig rig;
    rig.start();
    ASSERT_EQ(rig.result, Application::StartResult::Running);
    EXPECT_EQ(rig.app->startupOutcome(), StartupSequence::Outcome::Complete);
    EXPECT_TRUE(rig.prompter.messages.empty());

    const ProgramState& state = rig.state();
    EXPECT_TRUE(state.device.present);
    EXPECT_TRUE(state.device.scrambling);
    EXPECT_EQ(state.image, rig.mouse->firmware().image());
    EXPECT_EQ(state.device.sensorType(), state.image.sensorType());

    EXPECT_EQ(state.settings, defaultSettingsRecord());
    EXPECT_EQ(state.savedSettings, state.settings);
    EXPECT_EQ(state.app.languageCode, "EN");
    EXPECT_EQ(rig.app->skinSettings().name(), "Test");
    EXPECT_EQ(rig.app->skinSettings().style().folder, rig.program.path() / "Skins" / "Test");
    // "300" keeps its low byte.
    EXPECT_EQ(rig.app->skinSettings().style().textColour, QColor(230, 12, 44));
    // The window draws with the skin settings themselves, not a copy of them.
    EXPECT_EQ(&rig.dlg().surface().skin().style(), &rig.app->skinSettings().style());
    EXPECT_EQ(state.flags.pageState, PageState::Built);
    EXPECT_TRUE(state.flags.basicPageInitialised);

    MainWindow& dlg = rig.dlg();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.size(), QSize(120, 90));
    EXPECT_EQ(dlg.surface().skin().canvas().size(), QSize(120, 90));
    EXPECT_TRUE(dlg.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(dlg.objectName(), "QX8-216GMClass");
    EXPECT_EQ(dlg.resources().captions[0], "Left Click");
    EXPECT_EQ(dlg.resources().captions[15], "Key Off");
    EXPECT_EQ(rig.app->skinSettings().style().normalFont.family(), "Arial");
    EXPECT_EQ(rig.app->skinSettings().style().titleFont.family(), "Tahoma");

    TrayIcon* icon = dlg.notificationArea().trayIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "Gaming Mouse Setting");
    ASSERT_EQ(icon->menu().actions().size(), 1);
    EXPECT_EQ(icon->menu().actions()[0]->text(), "Exit");
    EXPECT_FALSE(icon->lastBalloon());
}

TEST(Startup, WithoutTheMouseTheWarningShowsAndTheRestRuns)
{
    StartupRig rig;
    rig.mousePlugged = false;
    rig.start();
    EXPECT_EQ(rig.app->startupOutcome(), StartupSequence::Outcome::Complete);
    EXPECT_FALSE(rig.state().device.present);
    EXPECT_EQ(rig.state().image, ConfigImage());
    EXPECT_EQ(rig.lastBalloon(), (Balloon{"The system did not detect the gaming mouse!", "Warning", 100}));
    EXPECT_TRUE(rig.prompter.messages.empty());
    EXPECT_EQ(rig.state().flags.pageState, PageState::MustBuild);
    EXPECT_FALSE(rig.state().flags.basicPageInitialised);
    EXPECT_EQ(rig.state().settings, defaultSettingsRecord());
    EXPECT_EQ(rig.dlg().size(), QSize(120, 90));
    EXPECT_FALSE(rig.dlg().isVisible());
}

TEST(Startup, AMissingConfigBinIsReportedAndStartupGoesOn)
{
    StartupRig rig;
    std::filesystem::remove(rig.program / "config.bin");
    rig.start();
    EXPECT_EQ(rig.prompter.messages, std::vector<ShownMessage>{kConfigMissing});
    EXPECT_EQ(rig.state().settings, SettingsRecord());
    EXPECT_EQ(rig.state().savedSettings, SettingsRecord());
    EXPECT_EQ(rig.app->startupOutcome(), StartupSequence::Outcome::Complete);
    EXPECT_EQ(rig.app->skinSettings().name(), "Test");
    EXPECT_TRUE(rig.state().flags.basicPageInitialised);
}

TEST(Startup, AConfigBinOfTheWrongSizeIsIgnoredSilently)
{
    StartupRig rig;
    writeFile(rig.program / "config.bin", std::vector<std::uint8_t>(199, 0x11));
    rig.start();
    EXPECT_TRUE(rig.prompter.messages.empty());
    EXPECT_EQ(rig.state().settings, SettingsRecord());
    EXPECT_EQ(rig.state().flags.firstRunFlag, 0);
}

TEST(Startup, ConfigBinGivesTheFirstRunFlagAndTheSavedCopy)
{
    StartupRig rig;
    SettingsRecord record = defaultSettingsRecord();
    record.setLedMode(3);
    rig.writeConfigBin(record, 1);
    rig.start();
    EXPECT_EQ(rig.state().settings, record);
    EXPECT_EQ(rig.state().savedSettings, record);
    EXPECT_EQ(rig.state().flags.firstRunFlag, 1);
}

TEST(Startup, WithoutStrIniTextsAreEnglishBlackAndTheSkinIsTheSkinsFolder)
{
    AppTestRig rig;
    // An applied config.bin: the first page build keeps the captions read,
    // and makes the missing ones from the buttons' functions.
    rig.writeConfigBin(defaultSettingsRecord(), 1);
    rig.writeSkin("", {64, 48});
    rig.start();
    EXPECT_EQ(rig.state().app.languageCode, "");
    EXPECT_EQ(rig.dlg().resources().texts.exit, "Exit");
    EXPECT_EQ(rig.dlg().resources().texts.iniSection, "Setting-EN");
    EXPECT_EQ(rig.app->skinSettings().style().textColour, QColor(0, 0, 0));
    EXPECT_EQ(rig.app->skinSettings().name(), "");
    EXPECT_EQ(rig.app->skinSettings().style().folder / "main.png", rig.program.path() / "Skins" / "main.png");
    EXPECT_EQ(rig.dlg().size(), QSize(64, 48));
    EXPECT_EQ(rig.dlg().resources().captions[0], "Left Click");
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(Startup, ASkinNameThatLeavesSkinsIsNotFollowed)
{
    StartupRig rig;
    rig.writeStrIni("[Skins]\nLan=EN\nPath=../Test\n");
    rig.writeSkin("", {64, 48});
    rig.start();
    EXPECT_EQ(rig.app->skinSettings().name(), "");
    EXPECT_EQ(rig.app->skinSettings().style().folder, rig.program.path() / "Skins");
    EXPECT_EQ(rig.dlg().size(), QSize(64, 48));
}

TEST(Startup, WithoutMainPngTheWindowKeepsItsFirstSize)
{
    AppTestRig rig;
    rig.start();
    EXPECT_TRUE(rig.dlg().surface().skin().canvas().isNull());
    EXPECT_EQ(rig.dlg().size(), MainWindow::kTemplateSize);
}

TEST(Startup, LanPicksTheTextsTheCaptionSectionAndTheFonts)
{
    StartupRig rig;
    rig.writeStrIni(kChineseIni);
    rig.mousePlugged = false;
    rig.start();
    const MainWindowResources& resources = rig.dlg().resources();
    EXPECT_EQ(rig.state().app.language(), Language::SimplifiedChinese);
    EXPECT_EQ(resources.texts.iniSection, "Setting-CHS");
    EXPECT_EQ(resources.captions[0], "左键");
    EXPECT_EQ(resources.captions[1], "右键");
    EXPECT_EQ(rig.app->skinSettings().style().normalFont.family(), "宋体");
    EXPECT_EQ(QFontMetrics(rig.app->skinSettings().style().normalFont).height(), 13);
    EXPECT_EQ(rig.dlg().notificationArea().trayIcon()->menu().actions()[0]->text(), "退出");
    // The warning of the missing mouse comes before the language is known and still speaks it.
    EXPECT_EQ(rig.lastBalloon()->text, "系统没有检测到游戏鼠标！");
}

TEST(Startup, LanIsCaseSensitive)
{
    StartupRig rig;
    rig.writeStrIni("[Skins]\nLan=chs\n[Setting-CHS]\nItem1=左键\n[Setting-EN]\nItem1=Left\n");
    rig.writeConfigBin(defaultSettingsRecord(), 1);
    rig.start();
    EXPECT_EQ(rig.state().app.language(), Language::English);
    EXPECT_EQ(rig.dlg().resources().captions[0], "Left");
    EXPECT_EQ(rig.app->skinSettings().style().normalFont.family(), "Arial");
}

TEST(Startup, AStrIniLinkedToADeviceReadsAsMissingAndItsRefusedWriteIsReported)
{
    StartupRig rig;
    const std::filesystem::path strIni = rig.program / "str.ini";
    std::filesystem::remove(strIni);
    std::filesystem::create_symlink("/dev/zero", strIni);
    // First-run flag 0: the first page build writes the default captions.
    rig.start();
    EXPECT_EQ(rig.app->startupOutcome(), StartupSequence::Outcome::Complete);
    EXPECT_EQ(rig.state().app.languageCode, "");
    EXPECT_EQ(rig.app->skinSettings().name(), "");
    EXPECT_EQ(rig.app->skinSettings().style().textColour, QColor(0, 0, 0));
    EXPECT_EQ(rig.dlg().resources().captions[0], "Left Click");
    EXPECT_TRUE(rig.state().flags.basicPageInitialised);
    const ShownMessage refused{QString::fromStdString("Error Code is: 1 \n" + strIni.string() + ": not a regular file"),
                               "NULL ==fp "};
    EXPECT_EQ(rig.prompter.messages, std::vector<ShownMessage>{refused});
    EXPECT_EQ(std::filesystem::read_symlink(strIni), "/dev/zero");
}

TEST(Startup, AStrIniOfGigabytesIsNotReadAndLeftAsItIs)
{
    StartupRig rig;
    const std::filesystem::path strIni = rig.program / "str.ini";
    std::filesystem::resize_file(strIni, std::uintmax_t{2} << 30);
    rig.writeConfigBin(defaultSettingsRecord(), 1);
    rig.start();
    EXPECT_EQ(rig.app->startupOutcome(), StartupSequence::Outcome::Complete);
    EXPECT_EQ(rig.state().app.languageCode, "");
    EXPECT_EQ(rig.app->skinSettings().name(), "");
    EXPECT_TRUE(rig.prompter.messages.empty());
    EXPECT_EQ(std::filesystem::file_size(strIni), std::uintmax_t{2} << 30);
}

TEST(Startup, AFailedNoticeRegistrationIsReportedAndStopsStartup)
{
    StartupRig rig;
    rig.registrationWorks = false;
    rig.start();
    EXPECT_EQ(rig.app->startupOutcome(), StartupSequence::Outcome::StoppedAtRegistration);
    EXPECT_EQ(rig.prompter.messages, std::vector<ShownMessage>{kRegistrationFailed});
    // The mouse was opened and read before; nothing after the registration ran.
    EXPECT_TRUE(rig.state().device.present);
    EXPECT_EQ(rig.state().image, rig.mouse->firmware().image());
    EXPECT_EQ(rig.state().settings, SettingsRecord());
    EXPECT_EQ(rig.state().app.languageCode, "");
    EXPECT_EQ(rig.app->skinSettings().style().textColour, QColor(0, 255, 0));
    EXPECT_TRUE(rig.dlg().surface().skin().canvas().isNull());
    EXPECT_EQ(rig.dlg().size(), MainWindow::kTemplateSize);
    EXPECT_FALSE(rig.state().flags.basicPageInitialised);
    // The icon is there, and its menu can still end the program.
    EXPECT_EQ(rig.dlg().notificationArea().trayIcon()->menu().actions()[0]->text(), "Exit");
}

TEST(Startup, StepsRunInTheirOrder)
{
    StartupRig rig;
    std::filesystem::remove(rig.program / "config.bin");
    std::vector<std::string> steps;
    // The icon is added before the mouse is opened ...
    rig.trayAvailable = true;
    auto environmentProbe = [&] {
        steps.push_back(rig.mouse->exchangeCount() == 0 ? "icon before mouse" : "icon after mouse");
        return true;
    };
    // ... the notices are registered for after the mouse was read and before config.bin ...
    rig.atRegistration = [&] {
        steps.push_back(rig.state().device.present && rig.state().image == rig.mouse->firmware().image()
                            ? "registration after mouse"
                            : "registration before mouse");
    };
    // ... and config.bin is read after the registration, before the language.
    rig.prompter.onMessage = [&] {
        steps.push_back(rig.state().app.languageCode.empty() ? "config.bin before language" : "config.bin late");
    };
    AppEnvironment environment = rig.environment();
    environment.trayProbe = environmentProbe;
    rig.app = std::make_unique<Application>(std::move(environment), rig.prompter);
    ASSERT_EQ(rig.app->start(), Application::StartResult::Running);
    EXPECT_EQ(steps,
              (std::vector<std::string>{"icon before mouse", "registration after mouse", "config.bin before language"}));
    EXPECT_EQ(rig.state().app.languageCode, "EN");
}

TEST(Startup, AShowRequestedWhileStartupRunsBuildsNothingAndShowsNothing)
{
    // Captions that are not the defaults, kept by a config.bin past its first run.
    constexpr std::string_view kOwnCaptions = "[Skins]\nLan=EN\nPath=Test\n\n[Setting-EN]\nItem1=Left Click\n"
                                              "Item2=Fire Key-A\nItem3=Hot Key-Ctrl+C\nItem13=Left Click\n";
    StartupRig rig;
    rig.writeStrIni(kOwnCaptions);
    rig.writeConfigBin(defaultSettingsRecord(), 1);
    rig.onMouseMade = [](SimulatedMouse& mouse) { mouse.failAt(0, SimulatedFault::Vanished); };
    bool shownDuringStartup = true;
    bool builtDuringStartup = true;
    rig.prompter.onMessage = [&] {
        // The read's message box is open: the icon is clicked, and a second copy asks.
        rig.dlg().notificationArea().trayIcon()->activate(QSystemTrayIcon::Trigger);
        rig.dlg().requestShow();
        shownDuringStartup = rig.dlg().isVisible();
        builtDuringStartup = rig.state().flags.basicPageInitialised;
    };
    rig.start();
    ASSERT_EQ(rig.prompter.messages.size(), 1U);
    EXPECT_EQ(rig.prompter.messages[0].caption, "ReadOperation");
    EXPECT_FALSE(shownDuringStartup);
    EXPECT_FALSE(builtDuringStartup);
    EXPECT_EQ(fileText(rig.program / "str.ini"), kOwnCaptions);

    // Once start-up has run, a click shows the page built from what it read.
    rig.dlg().notificationArea().trayIcon()->activate(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(rig.dlg().isVisible());
    EXPECT_EQ(rig.dlg().resources().captions[1], "Fire Key-A");
    EXPECT_EQ(rig.app->skinSettings().name(), "Test");
    EXPECT_EQ(fileText(rig.program / "str.ini"), kOwnCaptions);
}
