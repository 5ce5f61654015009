#include "app/Application.h"

#include "app/BasicPageBinding.h"
#include "app/LogCategories.h"

#include <QCoreApplication>

#include <utility>

namespace kestrel {

Application::Application(AppEnvironment environment, Prompter& prompter)
    : environment_(std::move(environment))
    , folder_(environment_.programFolder)
    , strIni_(folder_.strIni())
    , prompter_(prompter)
    , reporter_(prompter, environment_.programName)
    , instance_(environment_.makeInstanceLock())
{
    routeDiagnosticsToLogCategories();
}

Application::~Application() = default;

Application::StartResult Application::start()
{
    const InstanceLock::Outcome instance = instanceOutcome_ = instance_->acquire();
    if (instance == InstanceLock::Outcome::HeldByAnotherCopy)
        return StartResult::AnotherCopyRuns;
    // The desktop takes the window class from the application's name.
    if (!environment_.windowClass.isEmpty())
        QCoreApplication::setApplicationName(environment_.windowClass);
    backend_ = environment_.makeBackend(backendError_);
    if (!backend_)
        return StartResult::NoMouseBackend;

    dlg_ = std::make_unique<MainWindow>(state_, skinSettings_, strIni_, environment_.trayProbe);
    reporter_.setOwner(dlg_.get());
    QObject::connect(dlg_.get(), &MainWindow::programEnded, [this](int exitCode) {
        exitCode_ = exitCode;
        QCoreApplication::exit(exitCode);
    });
    deviceLink_ = std::make_unique<DeviceLinkController>(state_, *backend_, *environment_.clock, reporter_, *dlg_,
                                                         environment_.policyMode);
    QObject::connect(deviceLink_.get(), &DeviceLinkController::mouseDetected, dlg_.get(), &MainWindow::mouseArrived);
    QObject::connect(deviceLink_.get(), &DeviceLinkController::sensorTypeChanged, dlg_.get(),
                     &MainWindow::sensorTypeChanged);
    wireSettingsPage();
    // Without the rule the socket is not ours to answer on.
    if (instance == InstanceLock::Outcome::Acquired)
        listenForNotices();

    prepareUserFiles();
    StartupSequence startup(state_, skinSettings_, folder_, strIni_, *dlg_, *deviceLink_, reporter_,
                            environment_.platform->reportsWindows62());
    startupOutcome_ = startup.run(environment_.makeHotplugWatcher, environment_.startedWithSession
                                                                       ? DeviceLinkController::Absence::KeepQuiet
                                                                       : DeviceLinkController::Absence::Announce);
    // Without the stored settings and texts the commit buttons would send and
    // store defaults; the window's own minimise and close spots still work.
    if (startupOutcome_ == StartupSequence::Outcome::StoppedAtRegistration)
        dlg_->surface().setCommands(nullptr);
    return StartResult::Running;
}

void Application::wireSettingsPage()
{
    MainWindowSkin& skin = dlg_->surface().skin();
    dialogContexts_ = std::make_unique<DialogContextSource>(prompter_, reporter_.programName(), state_.app,
                                                            skinSettings_, environment_.platform->keyNamer());
    commands_ = std::make_unique<MainWindowCommands>(state_, skinSettings_, *dlg_, *deviceLink_, folder_, strIni_, reporter_,
                                                     *dialogContexts_);
    dlg_->surface().setCommands(commands_.get());
    dlg_->pages().setPage(
        std::make_unique<BasicPageBinding>(*dlg_, skin, state_, dlg_->resources(), strIni_, reporter_,
                                           *dialogContexts_));
}

void Application::prepareUserFiles()
{
    // A failure leaves the files missing, which start-up then reports as usual.
    if (const std::error_code error = folder_.prepareUserFiles())
        reporter_.showMessage("Could not set up the settings folder " + folder_.folder().string() + ": " +
                                  error.message(),
                              "");
}

void Application::listenForNotices()
{
    auto server = std::make_unique<NoticeServer>();
    // Where copies cannot talk to each other there is nothing to answer on.
    if (!server->takeOver(*instance_, environment_.instanceSocket)) {
        qCDebug(lcApp) << "no notice channel on" << environment_.instanceSocket.c_str();
        return;
    }
    noticeServer_ = std::move(server);
    QObject::connect(noticeServer_.get(), &NoticeServer::noticeReceived, dlg_.get(),
                     [dlg = dlg_.get()](Notice notice) { dlg->notice(notice.kind, notice.value); });
    // A second copy started with "--show" asks as a click on the icon would.
    QObject::connect(noticeServer_.get(), &NoticeServer::showRequested, dlg_.get(), &MainWindow::requestShow);
}

} // namespace kestrel
