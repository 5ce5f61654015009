#pragma once

#include "app/HotplugWatcher.h"

#include "device/BackendFactory.h"
#include "device/Clock.h"
#include "device/HidBackend.h"
#include "device/HotplugPolicy.h"
#include "config/ProgramFolder.h"
#include "platform/InstanceLock.h"
#include "platform/PlatformServices.h"

#include <QString>

class QWidget;

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace kestrel {

// Everything the program takes from the world it runs in, so that tests run
// it in a temporary folder against a simulated mouse and a scripted desktop.
struct AppEnvironment {
    // Where config.bin, str.ini and the skins are.
    ProgramFolder programFolder{std::filesystem::path()};
    // The name, in the abstract socket namespace or of a named pipe, that the
    // running copy holds and answers notices on: the user's own, or a test's.
    std::string instanceSocket;
    // The caption of message boxes that name none.
    QString programName;
    // The class hint the desktop sees on the program's windows; empty keeps the default.
    QString windowClass;
    // Null with the reason set when the chosen mouse cannot be used.
    std::function<std::unique_ptr<HidBackend>(std::string& error)> makeBackend;
    std::unique_ptr<Clock> clock;
    // Key names and the font rule's version test.
    std::shared_ptr<const PlatformServices> platform;
    // The single-instance rule.
    std::function<std::unique_ptr<InstanceLock>()> makeInstanceLock;
    using HotplugWatcherFactory = std::function<std::unique_ptr<HotplugWatcher>(QWidget& window)>;
    // The device notices for the main window; null when they cannot be followed.
    HotplugWatcherFactory makeHotplugWatcher;
    HotplugPolicy::Mode policyMode = HotplugPolicy::Mode::Burst;
    // Whether the desktop has a notification area right now.
    std::function<bool()> trayProbe;
    // Started with the desktop session: every account starts the program,
    // so a start without the mouse does not tell the user so.
    bool startedWithSession = false;

    // The running executable's own: its folder (or, when installed, the
    // user's folders), the user's instance socket, the platform's services,
    // the platform's mouse and device notices or the simulated mouse.
    static AppEnvironment forProcess(const BackendChoice& choice);

    // The device notices followed for the chosen mouse: the platform's for
    // the real one. The simulated mouse follows them only where they come as
    // messages to the window: those name the interface they concern, so only
    // this model's are followed (and re-open the simulated mouse), and a
    // program on the same desktop can send them to try plugs and unplugs.
    // Elsewhere it follows none.
    static HotplugWatcherFactory hotplugWatcherFor(const BackendChoice& choice,
                                                   std::shared_ptr<const PlatformServices> platform);
};

} // namespace kestrel
