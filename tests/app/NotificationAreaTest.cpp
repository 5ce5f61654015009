// The notification area over a session: one that comes late or goes away,
// notices that wait for the icon to be placed, a start by the session that
// keeps quiet, and where the window goes when it shows.
#include "AppTestRig.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

const Balloon kWarning{"The system did not detect the gaming mouse!", "Warning", 100};

struct AreaRig : AppTestRig {
    AreaRig() { writeStrIni("[Skins]\nLan=EN\nPath=Test\n"); }

    NotificationArea& area() { return dlg().notificationArea(); }
    // The first few seconds' re-checks, then as many of the slower ones.
    void recheck(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            area().availability().recheck();
    }
    void decideNoNotificationArea() { recheck(TrayAvailability::kRecheckCount); }
};

} // namespace

TEST(TrayAvailability, AfterTheFirstAnswerOnlyAChangedAnswerIsAnnounced)
{
    bool available = false;
    TrayAvailability availability([&] { return available; });
    std::vector<bool> answers;
    QObject::connect(&availability, &TrayAvailability::decided, [&](bool answer) { answers.push_back(answer); });
    availability.start();
    for (int i = 0; i < TrayAvailability::kRecheckCount - 1; ++i)
        availability.recheck();
    EXPECT_TRUE(answers.empty());
    availability.recheck();
    EXPECT_FALSE(availability.isDeciding());
    availability.recheck();
    EXPECT_EQ(answers, std::vector<bool>{false});
    available = true;
    availability.recheck();
    availability.recheck();
    EXPECT_EQ(answers, (std::vector<bool>{false, true}));
    available = false;
    availability.recheck();
    EXPECT_EQ(answers, (std::vector<bool>{false, true, false}));
}

TEST(NotificationArea, OneThatComesLateTakesTheIconAndTheWindowGoesBackToHidden)
{
    AreaRig rig;
    rig.trayAvailable = false;
    rig.mousePlugged = false;
    rig.start();
    rig.decideNoNotificationArea();
    ASSERT_EQ(rig.area().mode(), NotificationArea::Mode::NoNotificationArea);
    ASSERT_TRUE(rig.dlg().isVisible());
    rig.dlg().showMinimized();

    rig.trayAvailable = true;
    rig.recheck();
    EXPECT_EQ(rig.area().mode(), NotificationArea::Mode::Tray);
    ASSERT_NE(rig.area().trayIcon(), nullptr);
    EXPECT_TRUE(rig.area().trayIcon()->isShown());
    EXPECT_FALSE(rig.dlg().isVisible());
    EXPECT_TRUE(rig.dlg().windowFlags().testFlag(Qt::Tool));

    // From now on the icon is the way in, and notices are its balloons.
    rig.area().trayIcon()->activate(QSystemTrayIcon::Trigger);
    EXPECT_EQ(rig.area().trayIcon()->lastBalloon(), kWarning);
    EXPECT_FALSE(rig.dlg().isVisible());
    rig.mouse->reappear();
    emit rig.watcher->deviceChanged(DeviceChange::Arrival);
    rig.app->deviceLink()->settle();
    rig.area().trayIcon()->activate(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(rig.dlg().isVisible());
    EXPECT_FALSE(rig.dlg().isMinimized());
}

TEST(NotificationArea, OneThatGoesAwayLeavesTheWindowStandingInForItAgain)
{
    AreaRig rig;
    rig.start();
    ASSERT_EQ(rig.area().mode(), NotificationArea::Mode::Tray);
    EXPECT_FALSE(rig.dlg().isVisible());

    rig.trayAvailable = false;
    rig.recheck();
    EXPECT_EQ(rig.area().mode(), NotificationArea::Mode::NoNotificationArea);
    EXPECT_EQ(rig.area().trayIcon(), nullptr);
    EXPECT_TRUE(rig.dlg().isVisible());
    EXPECT_FALSE(rig.dlg().windowFlags().testFlag(Qt::Tool));
    rig.dlg().notice(8, 2);
    EXPECT_EQ(rig.area().banner().text(), "Info: Switch to key matrix 2");

    // And back, as often as the panel restarts.
    rig.trayAvailable = true;
    rig.recheck();
    EXPECT_FALSE(rig.dlg().isVisible());
    ASSERT_NE(rig.area().trayIcon(), nullptr);
    rig.dlg().notice(8, 1);
    EXPECT_EQ(rig.area().trayIcon()->lastBalloon(), (Balloon{"Switch to key matrix 1", "Info", 5000}));
}

TEST(NotificationArea, ANoticeWaitsUntilTheNotificationAreaHasPlacedTheIcon)
{
    // Where the notification area embeds the icon, the icon is a window that
    // shows once embedded; this one stands in for it.
    QWindow embedded;
    embedded.setObjectName(QString::fromLatin1(TrayIcon::kEmbeddedWindowName));
    embedded.resize(22, 22);
    AreaRig rig;
    rig.mousePlugged = false;
    rig.start();
    TrayIcon* icon = rig.area().trayIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->isPlaced());
    QCoreApplication::processEvents();
    EXPECT_FALSE(icon->lastBalloon());

    // Notices replace one another while they wait.
    rig.dlg().notice(8, 2);
    embedded.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&embedded));
    EXPECT_TRUE(icon->isPlaced());
    EXPECT_EQ(icon->lastBalloon(), (Balloon{"Switch to key matrix 2", "Info", 5000}));
}

TEST(NotificationArea, AStartWithTheSessionWithoutTheMouseKeepsQuietButAClickStillWarns)
{
    AreaRig rig;
    rig.mousePlugged = false;
    AppEnvironment environment = rig.environment();
    environment.startedWithSession = true;
    rig.app = std::make_unique<Application>(std::move(environment), rig.prompter);
    ASSERT_EQ(rig.app->start(), Application::StartResult::Running);
    TrayIcon* icon = rig.area().trayIcon();
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->lastBalloon());
    icon->activate(QSystemTrayIcon::Trigger);
    EXPECT_EQ(icon->lastBalloon(), kWarning);
    EXPECT_FALSE(rig.dlg().isVisible());
}

TEST(NotificationArea, TheWindowShowsCentredAndAWindowLargerThanTheScreenKeepsItsCornerOnIt)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QSize skin : {QSize(200, 100), screen.size() + QSize(100, 150)}) {
        AreaRig rig;
        rig.writeSkin("Test", skin);
        rig.start();
        rig.area().trayIcon()->activate(QSystemTrayIcon::Trigger);
        ASSERT_TRUE(rig.dlg().isVisible());
        const QRect shown = rig.dlg().geometry();
        EXPECT_EQ(shown.size(), skin);
        if (skin.width() < screen.width())
            EXPECT_EQ(shown.center(), screen.center());
        else
            EXPECT_EQ(shown.topLeft(), screen.topLeft());

        // Moved half off the screen and shown again, it comes back onto it.
        rig.dlg().hide();
        rig.dlg().move(screen.topLeft() - QPoint(50, 60));
        rig.area().trayIcon()->activate(QSystemTrayIcon::Trigger);
        EXPECT_EQ(rig.dlg().geometry().topLeft(), screen.topLeft());
    }
}
