// kestrel: the window program. It starts hidden in the notification area,
// finds the mouse, and shows its window when the icon is clicked.
#include "AppOptions.h"
#include "CKestrelApp.h"
#include "WidgetPrompter.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The window hides instead of closing; only "Exit" and the close hot spot end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt has taken its own arguments out of argv by now.
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = kestrel::AppOptions::parse(args, std::getenv("KESTREL_SIMULATE"), error);
    if (!options) {
        std::cerr << "kestrel: " << error << "\n\n" << kestrel::AppOptions::kUsage;
        return 2;
    }
    if (options->help) {
        std::cout << kestrel::AppOptions::kUsage;
        return 0;
    }

    kestrel::WidgetPrompter prompter;
    kestrel::CKestrelApp app(kestrel::AppEnvironment::forProcess(options->backend), prompter);
    switch (app.start()) {
    case kestrel::CKestrelApp::StartResult::AnotherCopyRuns:
        return 0;
    case kestrel::CKestrelApp::StartResult::NoMouseBackend:
        std::cerr << "kestrel: " << app.backendError() << '\n';
        return 1;
    case kestrel::CKestrelApp::StartResult::Running:
        break;
    }
    if (app.instanceOutcome() == kestrel::SingleInstance::Outcome::Unavailable)
        std::cerr << "kestrel: no private runtime folder for the single-instance lock (" << app.runtimeFolder().string()
                  << " is missing, not a folder, or open to other users); another copy may run at the same time\n";
    if (const auto exitCode = app.exitCode())
        return *exitCode;
    return application.exec();
}
