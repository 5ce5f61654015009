#pragma once

#include "app/MainWindow.h"
#include "app/DeviceLinkController.h"
#include "app/HotplugWatcher.h"
#include "app/ProgramState.h"

#include "skin/MessageReporter.h"
#include "skin/SkinSettings.h"
#include "config/ProgramFolder.h"
#include "config/StrIniSettings.h"

#include <functional>
#include <memory>

namespace kestrel {

// The main window's initialisation, step by step in its fixed order: window
// icon and style, notification icon, the mouse, device notices, config.bin
// and its saved copy, language and texts, str.ini, the skin (its folder and
// text colour, then its background and the window's size), the fonts, and the basic page
// when the mouse is present. If the device notices cannot be followed the
// start-up stops after saying so; the window keeps what it had by then.
class StartupSequence {
public:
    enum class Outcome {
        Complete,
        StoppedAtRegistration,
    };

    // Given the main window, which device notices may be addressed to.
    using WatcherFactory = std::function<std::unique_ptr<HotplugWatcher>(QWidget& window)>;

    static constexpr const char* kRegistrationFailed = "RegisterDeviceNotification failed!!!";

    StartupSequence(ProgramState& state, SkinSettings& skinSettings, const ProgramFolder& folder,
                    const StrIniSettings& strIni, MainWindow& dlg, DeviceLinkController& deviceLink,
                    MessageReporter& reporter, bool reportsWindows62);

    // `absence` says whether a start without the mouse tells the user so.
    Outcome run(const WatcherFactory& makeWatcher,
                DeviceLinkController::Absence absence = DeviceLinkController::Absence::Announce);

private:
    void setUpWindow();
    void readConfigBin();
    void chooseLanguage();
    void loadSkin(const StrIniSettings::SkinValues& entries);
    void makeFonts();

    ProgramState& state_;
    SkinSettings& skinSettings_;
    const ProgramFolder& folder_;
    const StrIniSettings& strIni_;
    MainWindow& dlg_;
    DeviceLinkController& deviceLink_;
    MessageReporter& reporter_;
    // The font rule's version test.
    bool reportsWindows62_;
};

} // namespace kestrel
