#include "app/AppEnvironment.h"

#include "app/MainWindow.h"
#include "app/NativeHotplugWatcher.h"
#include "app/endpoint/NoticeEndpoint.h"
#include "app/PathText.h"

#include "platform/PlatformServicesFactory.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSystemTrayIcon>

#include <utility>

namespace kestrel {

AppEnvironment AppEnvironment::forProcess(const BackendChoice& choice)
{
    AppEnvironment environment;
    environment.programFolder = ProgramFolder::forExecutable(toPath(QCoreApplication::applicationDirPath()),
                                                             ProgramFolder::UserDirectories::fromEnvironment());
    environment.instanceSocket = NoticeEndpoint::socketNameForThisUser();
    environment.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    environment.windowClass = QString::fromLatin1(MainWindow::kClassName);
    const std::shared_ptr<const PlatformServices> platform = PlatformServicesFactory::forThisSystem();
    environment.platform = platform;
    environment.makeInstanceLock = [platform, socket = environment.instanceSocket] {
        return platform->makeInstanceLock(socket);
    };
    environment.makeBackend = [choice](std::string& error) { return BackendFactory::create(choice, error); };
    // The simulated mouse needs no time between reports.
    if (choice.simulate)
        environment.clock = std::make_unique<InstantClock>();
    else
        environment.clock = std::make_unique<SystemClock>();
    environment.makeHotplugWatcher = hotplugWatcherFor(choice, platform);
    environment.policyMode = platform->hotplugPolicyMode();
    environment.trayProbe = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    return environment;
}

AppEnvironment::HotplugWatcherFactory
AppEnvironment::hotplugWatcherFor(const BackendChoice& choice, std::shared_ptr<const PlatformServices> platform)
{
    if (choice.simulate && !platform->noticesComeAsWindowMessages())
        return [](QWidget&) { return std::make_unique<HotplugWatcher>(); };
    return [platform = std::move(platform)](QWidget& window) {
        return NativeHotplugWatcher::forWindow(*platform, window);
    };
}

} // namespace kestrel
