#include "AppTestRig.h"

#include "skin/MainWindowLayout.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace kestrel;
using namespace kestrel::test;

namespace {

// Counts what the window asks of its page.
class RecordingPage final : public BasicPage {
public:
    void build() override { ++builds; }
    void tearDown() override { ++tearDowns; }
    int builds = 0;
    int tearDowns = 0;
};

// A started program with a full-size skin, so that every hot spot lies inside the window.
struct WindowRig : AppTestRig {
    WindowRig()
    {
        writeStrIni("[Skins]\nLan=EN\nPath=Big\n[Setting-EN]\nItem1=Left Click\n");
        writeSkin("Big", {900, 660});
    }

    void startWithRecordingPage()
    {
        start();
        auto recording = std::make_unique<RecordingPage>();
        page = recording.get();
        dlg().pages().setPage(std::move(recording));
        QObject::connect(&dlg(), &MainWindow::programEnded, [this](int code) { exitCodes.push_back(code); });
    }

    TrayIcon& icon() { return *dlg().notificationArea().trayIcon(); }
    void click(QPoint point)
    {
        QMouseEvent press(QEvent::MouseButtonPress, point, dlg().mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&dlg(), &press);
    }
    void press(QWidget& target, int key, const QString& text = {})
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&target, &event);
    }
    // Decides "no notification area" the way the re-checks do when none appears.
    void runOutTheRechecks()
    {
        for (int i = 0; i < TrayAvailability::kRecheckCount; ++i)
            dlg().notificationArea().availability().recheck();
    }

    RecordingPage* page = nullptr;
    std::vector<int> exitCodes;
};

const Balloon kWarning{"The system did not detect the gaming mouse!", "Warning", 100};

} // namespace

TEST(WindowLifecycle, LeftClickOrDoubleClickOnTheIconShowsTheWindow)
{
    WindowRig rig;
    rig.startWithRecordingPage();
    rig.icon().activate(QSystemTrayIcon::Context);
    rig.icon().activate(QSystemTrayIcon::MiddleClick);
    EXPECT_FALSE(rig.dlg().isVisible());
    rig.icon().activate(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(rig.dlg().isVisible());
    // Built at start-up, so the show builds nothing.
    EXPECT_EQ(rig.page->builds, 0);
    rig.dlg().hide();
    rig.icon().activate(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(rig.dlg().isVisible());
}

TEST(WindowLifecycle, WithoutTheMouseAClickOnlyWarnsAgain)
{
    WindowRig rig;
    rig.mousePlugged = false;
    rig.startWithRecordingPage();
    rig.dlg().notice(5, 1);
    ASSERT_NE(rig.icon().lastBalloon(), kWarning);
    rig.icon().activate(QSystemTrayIcon::Trigger);
    EXPECT_EQ(rig.icon().lastBalloon(), kWarning);
    EXPECT_FALSE(rig.dlg().isVisible());
    EXPECT_EQ(rig.page->builds, 0);
}

TEST(WindowLifecycle, EnterEscapeCloseAndTheMinimiseSpotHideWithoutEnding)
{
    WindowRig rig;
    rig.startWithRecordingPage();
    QLineEdit child(&rig.dlg());
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        for (QWidget* target : {static_cast<QWidget*>(&rig.dlg()), static_cast<QWidget*>(&child)}) {
            rig.icon().activate(QSystemTrayIcon::Trigger);
            ASSERT_TRUE(rig.dlg().isVisible());
            rig.press(*target, key);
            EXPECT_FALSE(rig.dlg().isVisible()) << key;
        }
    }
    rig.icon().activate(QSystemTrayIcon::Trigger);
    rig.press(child, Qt::Key_A, QStringLiteral("a"));
    EXPECT_TRUE(rig.dlg().isVisible());
    EXPECT_EQ(child.text(), "a");

    rig.dlg().close();
    EXPECT_FALSE(rig.dlg().isVisible());
    rig.icon().activate(QSystemTrayIcon::Trigger);
    rig.click({830, 10});
    EXPECT_FALSE(rig.dlg().isVisible());
    EXPECT_TRUE(rig.exitCodes.empty());
    EXPECT_TRUE(rig.state().device.statusHandle);
}

TEST(WindowLifecycle, EveryWayOfHidingTheWindowClosesItsOpenList)
{
    WindowRig rig;
    rig.start();
    const PopupListSet& lists = rig.dlg().surface().skin().lists();
    const PopupListId list3 = PopupListId::functionList(3);
    const std::vector<std::pair<std::string, std::function<void()>>> ways{
        {"Enter", [&] { rig.press(rig.dlg(), Qt::Key_Return); }},
        {"Escape", [&] { rig.press(rig.dlg(), Qt::Key_Escape); }},
        {"a close request", [&] { rig.dlg().close(); }},
        {"the minimise spot", [&] { rig.click(mainlayout::kMinimise.center()); }},
        {"OK", [&] { rig.click(mainlayout::kOk.center()); }},
        {"Cancel", [&] { rig.click(mainlayout::kCancel.center()); }},
        {"the mouse's removal",
         [&] {
             rig.mouse->vanish();
             emit rig.watcher->deviceChanged(DeviceChange::Removal);
             rig.app->deviceLink()->settle();
         }},
    };
    for (const auto& [way, hide] : ways) {
        rig.icon().activate(QSystemTrayIcon::Trigger);
        ASSERT_TRUE(rig.dlg().isVisible()) << way;
        rig.click(mainlayout::keyDropDown(3).center());
        ASSERT_TRUE(lists.exists(list3)) << way;
        hide();
        EXPECT_FALSE(rig.dlg().isVisible()) << way;
        EXPECT_FALSE(lists.exists(list3)) << way;
        EXPECT_FALSE(lists.openFlag(list3)) << way;
    }
}

TEST(WindowLifecycle, MinimisedWithoutANotificationAreaTheWindowClosesItsOpenList)
{
    WindowRig rig;
    rig.trayAvailable = false;
    rig.start();
    rig.runOutTheRechecks();
    ASSERT_TRUE(rig.dlg().isVisible());
    const PopupListSet& lists = rig.dlg().surface().skin().lists();
    rig.click(mainlayout::kModeBox.center());
    ASSERT_TRUE(lists.exists(PopupListId::lightingModeList()));
    rig.click(mainlayout::kMinimise.center());
    EXPECT_TRUE(rig.dlg().isMinimized());
    EXPECT_FALSE(lists.exists(PopupListId::lightingModeList()));
}

TEST(WindowLifecycle, AShowAfterCancelRebuildsThePageFromTheStoredCaptions)
{
    WindowRig rig;
    rig.startWithRecordingPage();
    rig.dlg().resources().captions[0] = "edited, then cancelled";
    rig.state().flags.cancelPending = true;
    rig.icon().activate(QSystemTrayIcon::Trigger);
    EXPECT_EQ(rig.dlg().resources().captions[0], "Left Click");
    EXPECT_FALSE(rig.state().flags.cancelPending);
    EXPECT_EQ(rig.page->tearDowns, 1);
    EXPECT_EQ(rig.page->builds, 1);
    EXPECT_EQ(rig.state().flags.pageState, PageState::Built);

    // The next show rebuilds nothing.
    rig.icon().activate(QSystemTrayIcon::Trigger);
    EXPECT_EQ(rig.page->builds, 1);
}

TEST(WindowLifecycle, ThePageIsBuiltAtTheFirstShowAfterTheMouseArrived)
{
    WindowRig rig;
    rig.mousePlugged = false;
    rig.startWithRecordingPage();
    rig.mouse->reappear();
    emit rig.watcher->deviceChanged(DeviceChange::Arrival);
    rig.app->deviceLink()->settle();
    ASSERT_TRUE(rig.state().device.present);
    // Arriving builds nothing; the click does.
    EXPECT_EQ(rig.page->builds, 0);
    rig.icon().activate(QSystemTrayIcon::Trigger);
    EXPECT_EQ(rig.page->builds, 1);
    EXPECT_TRUE(rig.state().flags.basicPageInitialised);
    EXPECT_TRUE(rig.dlg().isVisible());
}

TEST(WindowLifecycle, ExitAndTheCloseSpotCloseTheMouseRemoveTheIconAndEndWithZero)
{
    for (const bool fromMenu : {true, false}) {
        WindowRig rig;
        rig.startWithRecordingPage();
        ASSERT_TRUE(rig.icon().isShown());
        rig.icon().activate(QSystemTrayIcon::Trigger);
        if (fromMenu)
            rig.icon().menu().actions()[0]->trigger();
        else
            rig.click({855, 10});
        EXPECT_EQ(rig.exitCodes, std::vector<int>{0});
        EXPECT_FALSE(rig.state().device.statusHandle);
        EXPECT_FALSE(rig.state().device.dataHandle);
        EXPECT_FALSE(rig.icon().isShown());
        EXPECT_FALSE(rig.dlg().isVisible());
    }
}

TEST(WindowLifecycle, WithoutANotificationAreaTheWindowShowsAndMinimisesInstead)
{
    WindowRig rig;
    rig.trayAvailable = false;
    rig.startWithRecordingPage();
    EXPECT_TRUE(rig.dlg().notificationArea().availability().isDeciding());
    EXPECT_FALSE(rig.dlg().isVisible());
    rig.runOutTheRechecks();

    NotificationArea& area = rig.dlg().notificationArea();
    EXPECT_EQ(area.mode(), NotificationArea::Mode::NoNotificationArea);
    EXPECT_EQ(area.trayIcon(), nullptr);
    EXPECT_TRUE(rig.dlg().isVisible());
    EXPECT_FALSE(rig.dlg().windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(rig.state().flags.basicPageInitialised);

    rig.dlg().notice(8, 1);
    EXPECT_TRUE(area.banner().isVisible());
    EXPECT_EQ(area.banner().text(), "Info: Switch to key matrix 1");

    rig.press(rig.dlg(), Qt::Key_Escape);
    EXPECT_TRUE(rig.dlg().isMinimized());
    EXPECT_TRUE(rig.exitCodes.empty());

    // A second copy's show request brings the window back.
    rig.dlg().requestShow();
    EXPECT_FALSE(rig.dlg().isMinimized());
    EXPECT_TRUE(rig.dlg().isVisible());
}

TEST(WindowLifecycle, WithoutANotificationAreaOrMouseTheWarningIsInTheWindowAndThePageComesWithTheMouse)
{
    WindowRig rig;
    rig.trayAvailable = false;
    rig.mousePlugged = false;
    rig.startWithRecordingPage();
    rig.runOutTheRechecks();
    NotificationArea& area = rig.dlg().notificationArea();
    EXPECT_TRUE(rig.dlg().isVisible());
    EXPECT_EQ(area.banner().text(), "Warning: The system did not detect the gaming mouse!");
    EXPECT_EQ(rig.page->builds, 0);

    rig.mouse->reappear();
    emit rig.watcher->deviceChanged(DeviceChange::Arrival);
    rig.app->deviceLink()->settle();
    EXPECT_EQ(area.banner().text(), "Info: The system detect the gaming mouse.");
    EXPECT_EQ(rig.page->builds, 1);
}

TEST(WindowLifecycle, ANotificationAreaThatComesUpDuringTheRechecksIsUsed)
{
    WindowRig rig;
    rig.trayAvailable = false;
    rig.mousePlugged = false;
    rig.startWithRecordingPage();
    NotificationArea& area = rig.dlg().notificationArea();
    area.availability().recheck();
    area.availability().recheck();
    EXPECT_EQ(area.mode(), NotificationArea::Mode::Undecided);
    rig.trayAvailable = true;
    area.availability().recheck();
    EXPECT_FALSE(area.availability().isDeciding());
    EXPECT_EQ(area.mode(), NotificationArea::Mode::Tray);
    ASSERT_NE(area.trayIcon(), nullptr);
    EXPECT_TRUE(rig.dlg().windowFlags().testFlag(Qt::Tool));
    EXPECT_FALSE(rig.dlg().isVisible());
    // The warning held until then goes to the icon.
    EXPECT_EQ(area.trayIcon()->lastBalloon(), kWarning);
}

TEST(WindowLifecycle, ExitChosenWhileStartupWaitsOnAMessageEndsTheProgram)
{
    WindowRig rig;
    std::filesystem::remove(rig.program / "config.bin");
    rig.prompter.onMessage = [&] { rig.dlg().notificationArea().trayIcon()->menu().actions()[0]->trigger(); };
    rig.start();
    ASSERT_EQ(rig.prompter.messages.size(), 1u);
    EXPECT_EQ(rig.app->exitCode(), 0);
    EXPECT_FALSE(rig.dlg().notificationArea().trayIcon()->isShown());
}

TEST(WindowLifecycle, AfterAStoppedStartupNothingIsBuiltSentOrStoredButExitWorks)
{
    for (const bool tray : {true, false}) {
        SCOPED_TRACE(tray ? "notification area" : "no notification area");
        WindowRig rig;
        rig.registrationWorks = false;
        rig.trayAvailable = tray;
        rig.start();
        ASSERT_EQ(rig.app->startupOutcome(), StartupSequence::Outcome::StoppedAtRegistration);
        QObject::connect(&rig.dlg(), &MainWindow::programEnded, [&](int code) { rig.exitCodes.push_back(code); });
        const auto strIni = fileBytes(rig.program / "str.ini");
        const auto configBin = fileBytes(rig.program / "config.bin");
        const int exchanges = rig.mouse->exchangeCount();

        if (tray) {
            rig.icon().activate(QSystemTrayIcon::Trigger);
            EXPECT_EQ(rig.icon().lastBalloon(), kWarning);
            EXPECT_FALSE(rig.dlg().isVisible());
        } else {
            // The window stands in for the icon; its commit spots must do nothing.
            rig.runOutTheRechecks();
            ASSERT_TRUE(rig.dlg().isVisible());
            rig.dlg().showMinimized();
            rig.dlg().showNormal();
            for (const QRect spot : {mainlayout::kOk, mainlayout::kApply, mainlayout::kCancel, mainlayout::kSkins})
                rig.click(spot.center());
        }
        EXPECT_FALSE(rig.state().flags.basicPageInitialised);
        EXPECT_EQ(rig.state().flags.pageState, PageState::MustBuild);
        EXPECT_EQ(rig.mouse->exchangeCount(), exchanges);
        EXPECT_EQ(fileBytes(rig.program / "str.ini"), strIni);
        EXPECT_EQ(fileBytes(rig.program / "config.bin"), configBin);
        EXPECT_EQ(rig.prompter.messages.size(), 1U);

        if (tray)
            rig.icon().menu().actions()[0]->trigger();
        else
            rig.click(mainlayout::kClose.center());
        EXPECT_EQ(rig.exitCodes, std::vector<int>{0});
    }
}

TEST(WindowLifecycle, ACaptionWriteThatFailsAtApplyIsReportedLikeAConfigBinWrite)
{
    WindowRig rig;
    // First-run flag 0 until the Apply stores config.bin.
    rig.start();
    ASSERT_TRUE(rig.prompter.messages.empty());
    const std::filesystem::path strIni = rig.program / "str.ini";
    std::filesystem::remove(strIni);
    std::filesystem::create_directory(strIni);

    rig.click(mainlayout::kApply.center());
    const ShownMessage refused{QString::fromStdString("Error Code is: 1 \n" + strIni.string() + ": not a regular file"),
                               "NULL ==fp "};
    EXPECT_EQ(rig.prompter.messages, std::vector<ShownMessage>{refused});
    // config.bin was stored before, all the same.
    EXPECT_EQ(test::fileBytes(rig.program / "config.bin").front(), 1);
    EXPECT_TRUE(std::filesystem::is_directory(strIni));
}
