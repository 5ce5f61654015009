#include "ScreenshotSession.h"

#include "device/Clock.h"
#include "device/sim/SimulatedMouse.h"
#include "config/StrIniSettings.h"
#include "platform/PlatformServicesFactory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

namespace kestrel::screenshot {

namespace {

// Longer than the hover rest, so the hover notice has come and gone.
constexpr int kHoverSettleMilliseconds = 60;

} // namespace

ScreenshotSession::ScreenshotSession(const std::filesystem::path& shippedFolder)
    : shippedFolder_(shippedFolder), programFolder_(scratch_.path().toStdU16String())
{
    namespace fs = std::filesystem;
    fs::copy_file(shippedFolder_ / "config.bin", programFolder_ / "config.bin");
    fs::copy_file(shippedFolder_ / "str.ini", programFolder_ / "str.ini");
    fs::create_directory_symlink(shippedFolder_ / "Skins", programFolder_ / "Skins");
}

bool ScreenshotSession::chooseSkin(const std::string& name)
{
    if (!std::filesystem::is_directory(programFolder_ / "Skins" / name))
        return false;
    const StrIniSettings strIni(programFolder_ / "str.ini");
    const StrIniSettings::Values values = strIni.read(languageFromCode(strIni.readLanguageCode()));
    return !strIni.writeSkin(StrIniSettings::skinColour(values.skin), name);
}

bool ScreenshotSession::start()
{
    AppEnvironment environment;
    environment.programFolder = ProgramFolder(programFolder_);
    // Its own name, so that it never meets a running copy of the program.
    environment.instanceSocket = "kestrel-screenshot." + std::to_string(QCoreApplication::applicationPid());
    environment.programName = QStringLiteral("kestrel");
    environment.makeBackend = [](std::string&) { return std::make_unique<SimulatedMouse>(); };
    environment.clock = std::make_unique<InstantClock>();
    environment.makeHotplugWatcher = [](QWidget&) { return std::make_unique<HotplugWatcher>(); };
    const std::shared_ptr<const PlatformServices> platform = PlatformServicesFactory::forThisSystem();
    environment.platform = platform;
    environment.makeInstanceLock = [platform, socket = environment.instanceSocket] {
        return platform->makeInstanceLock(socket);
    };
    environment.trayProbe = [] { return true; };
    app_ = std::make_unique<Application>(std::move(environment), prompter_);
    if (app_->start() != Application::StartResult::Running || app_->dialog() == nullptr)
        return false;
    app_->dialog()->requestShow();
    settle(kHoverSettleMilliseconds);
    return app_->dialog()->isVisible();
}

void ScreenshotSession::settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, milliseconds);
}

QWidget& ScreenshotSession::widgetAt(QPoint point)
{
    // As a real pointer would, the event goes to the child under the point
    // (an open list, for example), unless that child lets the mouse through.
    QWidget& window = *app_->dialog();
    QWidget* child = window.childAt(point);
    return child != nullptr ? *child : window;
}

void ScreenshotSession::moveTo(QPoint point)
{
    QWidget& target = widgetAt(point);
    const QPointF global = app_->dialog()->mapToGlobal(QPointF(point));
    QMouseEvent move(QEvent::MouseMove, target.mapFromGlobal(global), global, Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&target, &move);
}

void ScreenshotSession::restAt(QPoint point)
{
    moveTo(point);
    settle(kHoverSettleMilliseconds);
}

void ScreenshotSession::click(QPoint point)
{
    QWidget& target = widgetAt(point);
    const QPointF global = app_->dialog()->mapToGlobal(QPointF(point));
    const QPointF local = target.mapFromGlobal(global);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &release);
    settle(kHoverSettleMilliseconds);
}

QImage ScreenshotSession::capture() { return app_->dialog()->grab().toImage(); }

} // namespace kestrel::screenshot
