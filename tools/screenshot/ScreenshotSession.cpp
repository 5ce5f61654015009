#include "ScreenshotSession.h"

#include <Clock.h>
#include <SimulatedMouse.h>
#include <StrIniSettings.h>

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
    return strIni.writeSkin(StrIniSettings::skinColour(values.skin), name);
}

bool ScreenshotSession::start()
{
    AppEnvironment environment;
    environment.programFolder = programFolder_;
    environment.runtimeFolder = programFolder_ / "run";
    environment.programName = QStringLiteral("kestrel");
    environment.makeBackend = [](std::string&) { return std::make_unique<SimulatedMouse>(); };
    environment.clock = std::make_unique<InstantClock>();
    environment.makeHotplugWatcher = [] { return std::make_unique<HotplugWatcher>(); };
    environment.trayProbe = [] { return true; };
    app_ = std::make_unique<CKestrelApp>(std::move(environment), prompter_);
    if (app_->start() != CKestrelApp::StartResult::Running || app_->dialog() == nullptr)
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

void ScreenshotSession::moveTo(QPoint point)
{
    QWidget& window = *app_->dialog();
    QMouseEvent move(QEvent::MouseMove, QPointF(point), window.mapToGlobal(QPointF(point)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
}

void ScreenshotSession::restAt(QPoint point)
{
    moveTo(point);
    settle(kHoverSettleMilliseconds);
}

void ScreenshotSession::click(QPoint point)
{
    QWidget& window = *app_->dialog();
    const QPointF global = window.mapToGlobal(QPointF(point));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(point), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(point), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&window, &release);
    settle(kHoverSettleMilliseconds);
}

QImage ScreenshotSession::capture() { return app_->dialog()->grab().toImage(); }

} // namespace kestrel::screenshot
