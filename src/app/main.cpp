// kestrel: the window program. It starts hidden in the notification area,
// finds the mouse, and shows its window when the icon is clicked.
#include "app/AppOptions.h"
#include "app/Application.h"
#include "app/WidgetPrompter.h"

#include "app/endpoint/NoticeEndpoint.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Qt ends the process with a page of advice when it finds no display. While
// the application object is made, its messages are held back: a fatal one
// becomes one line and exit code 1, the others are passed on afterwards.
class DisplayGuard {
public:
    DisplayGuard() { previous_ = qInstallMessageHandler(&DisplayGuard::hold); }
    ~DisplayGuard()
    {
        qInstallMessageHandler(previous_);
        for (const auto& [type, text] : held_)
            previous_(type, QMessageLogContext(), text);
    }
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

private:
    static void hold(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtFatalMsg) {
            std::cerr << "kestrel: no display to show the window on (is DISPLAY or WAYLAND_DISPLAY set?)"
                      << std::endl;
            std::_Exit(1);
        }
        held_.emplace_back(type, text);
    }

    static inline QtMessageHandler previous_ = nullptr;
    static inline std::vector<std::pair<QtMsgType, QString>> held_;
};

// "--show" while a copy runs: that copy shows its window as a click on its icon would.
int askRunningCopyToShow(const std::string& instanceSocket)
{
    const std::string error =
        kestrel::NoticeEndpoint::sendLine(instanceSocket, kestrel::NoticeEndpoint::encodeShowRequest());
    if (error.empty())
        return 0;
    std::cerr << "kestrel: could not ask the running copy to show its window: " << error << '\n';
    return 1;
}

// The arguments without Qt's own, which Qt has taken out of argv by now. On
// Windows argv is in the ANSI code page, which cannot name every file; Qt
// keeps the UTF-16 command line, so the arguments are taken from there.
std::vector<std::string> programArguments([[maybe_unused]] int argc, [[maybe_unused]] char* argv[])
{
#if defined(Q_OS_WIN)
    std::vector<std::string> args;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        args.push_back(arguments[i].toStdString());
    return args;
#else
    return {argv + 1, argv + argc};
#endif
}

// Why the single-instance rule cannot be kept, in the platform's terms.
std::string unavailableRule([[maybe_unused]] const std::string& instanceSocket)
{
#if defined(Q_OS_WIN)
    return "the single-instance mutex " + std::string(kestrel::NoticeEndpoint::kMutexName) + " cannot be made";
#else
    return "the single-instance socket @" + instanceSocket + " is held by another user's process or cannot be made";
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    // Help and version need no display, so they are answered before Qt looks for one.
    if (kestrel::AppOptions::asksForTextOnly({argv + 1, argv + argc})) {
        std::string error;
        const auto options = kestrel::AppOptions::parse({argv + 1, argv + argc}, nullptr, error);
        std::cout << (options && options->version && !options->help ? kestrel::AppOptions::versionLine() + "\n"
                                                                      : std::string(kestrel::AppOptions::kUsage));
        return 0;
    }

    std::unique_ptr<QApplication> application;
    {
        const DisplayGuard guard;
        application = std::make_unique<QApplication>(argc, argv);
    }
    // The window hides instead of closing; only "Exit" and the close hot spot end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::vector<std::string> args = programArguments(argc, argv);
    std::string error;
    const auto options = kestrel::AppOptions::parse(args, std::getenv("KESTREL_SIMULATE"), error);
    if (!options) {
        std::cerr << "kestrel: " << error << "\n\n" << kestrel::AppOptions::kUsage;
        return 2;
    }
    for (const std::string& ignored : options->ignored)
        std::cerr << "kestrel: ignoring unknown argument " << ignored << '\n';

    kestrel::WidgetPrompter prompter;
    kestrel::AppEnvironment environment = kestrel::AppEnvironment::forProcess(options->backend);
    environment.startedWithSession = options->autostart;
    kestrel::Application app(std::move(environment), prompter);
    switch (app.start()) {
    case kestrel::Application::StartResult::AnotherCopyRuns:
        return options->show ? askRunningCopyToShow(app.instanceSocket()) : 0;
    case kestrel::Application::StartResult::NoMouseBackend:
        std::cerr << "kestrel: " << app.backendError() << '\n';
        return 1;
    case kestrel::Application::StartResult::Running:
        break;
    }
    if (app.instanceOutcome() == kestrel::InstanceLock::Outcome::Unavailable)
        std::cerr << "kestrel: " << unavailableRule(app.instanceSocket())
                  << "; another copy may run at the same time\n";
    if (const auto exitCode = app.exitCode())
        return *exitCode;
    // Start-up has run by now, so this is the same request a click on the icon makes.
    if (options->show)
        app.dialog()->requestShow();
    return QApplication::exec();
}
