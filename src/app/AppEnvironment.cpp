#include "app/AppEnvironment.h"

#include "app/MainWindow.h"
#include "app/endpoint/NoticeEndpoint.h"
#include "app/PathText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSystemTrayIcon>

#if defined(__linux__)
#include "app/UdevHotplugWatcher.h"
#endif

namespace kestrel {

namespace {

std::unique_ptr<HotplugWatcher> platformWatcher()
{
#if defined(__linux__)
    return UdevHotplugWatcher::create();
#else
    return nullptr;
#endif
}

} // namespace

AppEnvironment AppEnvironment::forProcess(const BackendChoice& choice)
{
    AppEnvironment environment;
    environment.programFolder = ProgramFolder::forExecutable(toPath(QCoreApplication::applicationDirPath()),
                                                             ProgramFolder::UserDirectories::fromEnvironment());
    environment.instanceSocket = NoticeEndpoint::socketNameForThisUser();
    environment.programName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    environment.windowClass = QString::fromLatin1(MainWindow::kClassName);
    environment.makeBackend = [choice](std::string& error) { return BackendFactory::create(choice, error); };
    // The simulated mouse needs no time between reports, and is never plugged or unplugged.
    if (choice.simulate) {
        environment.clock = std::make_unique<InstantClock>();
        environment.makeHotplugWatcher = [] { return std::make_unique<HotplugWatcher>(); };
    } else {
        environment.clock = std::make_unique<SystemClock>();
        environment.makeHotplugWatcher = platformWatcher;
    }
    // udev announces each hidraw node once; Windows sends its notices in fours.
#if defined(_WIN32)
    environment.policyMode = HotplugPolicy::Mode::Counter;
#endif
    environment.trayProbe = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    return environment;
}

} // namespace kestrel
