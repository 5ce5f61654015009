#pragma once

#include "app/AppEnvironment.h"
#include "app/MainWindow.h"
#include "app/DeviceLinkController.h"
#include "app/DialogContextSource.h"
#include "app/MainWindowCommands.h"
#include "app/NoticeServer.h"
#include "app/ProgramState.h"
#include "app/PromptReporter.h"
#include "skin/Prompter.h"
#include "app/StartupSequence.h"

#include "config/ProgramFolder.h"
#include "config/StrIniSettings.h"
#include "platform/InstanceLock.h"

#include <memory>
#include <optional>
#include <string>

namespace kestrel {

// The application object: owns the program's single instances and the main
// window, enforces the single-instance rule, and starts the window. A second
// copy ends before it shows or adds anything.
class Application {
public:
    enum class StartResult {
        Running,
        AnotherCopyRuns,
        NoMouseBackend,
    };

    Application(AppEnvironment environment, Prompter& prompter);
    ~Application();

    StartResult start();

    ProgramState& state() { return state_; }
    SkinSettings& skinSettings() { return skinSettings_; }
    const std::string& backendError() const { return backendError_; }
    MainWindow* dialog() { return dlg_.get(); }
    DeviceLinkController* deviceLink() { return deviceLink_.get(); }
    std::optional<StartupSequence::Outcome> startupOutcome() const { return startupOutcome_; }
    // Unavailable when another user's process holds the instance socket: the
    // program runs without the single-instance rule.
    InstanceLock::Outcome instanceOutcome() const { return instanceOutcome_; }
    const std::string& instanceSocket() const { return environment_.instanceSocket; }
    // Set once "Exit" or the close hot spot ended the program, which may
    // happen while start-up still waits on a message box.
    std::optional<int> exitCode() const { return exitCode_; }

private:
    void listenForNotices();
    // An installed program's per-user copies of the shipped settings.
    void prepareUserFiles();
    // The basic settings page and the window's commit and skin buttons.
    void wireSettingsPage();

    AppEnvironment environment_;
    ProgramState state_;
    // Before the window, which draws with it and follows its changes.
    SkinSettings skinSettings_;
    ProgramFolder folder_;
    StrIniSettings strIni_;
    Prompter& prompter_;
    PromptReporter reporter_;
    std::unique_ptr<InstanceLock> instance_;
    std::unique_ptr<HidBackend> backend_;
    std::string backendError_;
    // Before the window, which refers to them until it is gone.
    std::unique_ptr<DialogContextSource> dialogContexts_;
    std::unique_ptr<MainWindowCommands> commands_;
    std::unique_ptr<MainWindow> dlg_;
    std::unique_ptr<DeviceLinkController> deviceLink_;
    std::unique_ptr<NoticeServer> noticeServer_;
    std::optional<StartupSequence::Outcome> startupOutcome_;
    InstanceLock::Outcome instanceOutcome_ = InstanceLock::Outcome::Unavailable;
    std::optional<int> exitCode_;
};

} // namespace kestrel
