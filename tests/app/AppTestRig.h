#pragma once

#include "ScriptedPrompter.h"

#include <FileTestSupport.h>

#include "app/Application.h"
#include "config/DefaultSettings.h"
#include "device/sim/SimulatedMouse.h"
#include "platform/ScriptedPlatformServices.h"
#include "platform/linux/SingleInstance.h"

#include <QCoreApplication>
#include <QImage>

#include <memory>
#include <string>

namespace kestrel::test {

// The window program in a temporary program folder, under an instance socket
// name of its own (so that tests running side by side, and a copy the user
// runs, never meet), against
// a simulated mouse and a scripted desktop: whether a notification area exists
// and whether device notices can be followed are the test's to choose.
class AppTestRig {
public:
    AppTestRig() { writeConfigBin(defaultSettingsRecord()); }

    void writeConfigBin(const SettingsRecord& record, std::uint8_t firstRunFlag = 0)
    {
        std::vector<std::uint8_t> bytes{firstRunFlag};
        bytes.insert(bytes.end(), record.bytes().begin(), record.bytes().end());
        writeFile(program / "config.bin", bytes);
    }

    void writeStrIni(std::string_view text) { writeFile(program / "str.ini", text); }

    // A skin whose background has the given size.
    void writeSkin(const std::string& name, QSize size)
    {
        const auto folder = program.path() / "Skins" / name;
        std::filesystem::create_directories(folder);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.save(QString::fromStdString((folder / "main.png").string()));
    }

    AppEnvironment environment()
    {
        AppEnvironment environment;
        environment.programFolder = ProgramFolder(program.path());
        environment.instanceSocket = instanceSocket;
        environment.programName = QStringLiteral("kestrel");
        environment.makeBackend = [this](std::string&) {
            auto simulated = std::make_unique<SimulatedMouse>();
            mouse = simulated.get();
            if (!mousePlugged)
                mouse->vanish();
            if (onMouseMade)
                onMouseMade(*mouse);
            return simulated;
        };
        environment.clock = std::make_unique<InstantClock>();
        environment.platform = platform;
        // The real rule: tests run copies side by side on their own sockets.
        environment.makeInstanceLock = [socket = instanceSocket] { return std::make_unique<SingleInstance>(socket); };
        environment.makeHotplugWatcher = [this](QWidget&) -> std::unique_ptr<HotplugWatcher> {
            if (atRegistration)
                atRegistration();
            if (!registrationWorks)
                return nullptr;
            auto made = std::make_unique<HotplugWatcher>();
            watcher = made.get();
            return made;
        };
        environment.trayProbe = [this] { return trayAvailable; };
        return environment;
    }

    Application& start()
    {
        app = std::make_unique<Application>(environment(), prompter);
        result = app->start();
        return *app;
    }

    ProgramState& state() { return app->state(); }
    MainWindow& dlg() { return *app->dialog(); }

    // Unique within the test process, whose id keeps it apart from others.
    static std::string uniqueSocketName()
    {
        static int made = 0;
        return "kestrel-test." + std::to_string(QCoreApplication::applicationPid()) + '.' + std::to_string(++made);
    }

    ScratchFolder program;
    std::string instanceSocket = uniqueSocketName();
    std::shared_ptr<ScriptedPlatformServices> platform = std::make_shared<ScriptedPlatformServices>();
    ScriptedPrompter prompter;
    bool mousePlugged = true;
    std::function<void(SimulatedMouse&)> onMouseMade;
    bool trayAvailable = true;
    bool registrationWorks = true;
    std::function<void()> atRegistration;
    SimulatedMouse* mouse = nullptr;
    HotplugWatcher* watcher = nullptr;
    std::unique_ptr<Application> app;
    Application::StartResult result{};
};

} // namespace kestrel::test
