#include "app/MainWindowCommands.h"

#include "app/MainWindow.h"
#include "app/DeviceLinkController.h"
#include "app/FailureMessages.h"

#include "device/ApplySequence.h"
#include "dialogs/SkinsDialog.h"
#include "config/ConfigBinFile.h"


namespace kestrel {

MainWindowCommands::MainWindowCommands(ProgramState& state, SkinSettings& skinSettings, MainWindow& dlg,
                                       DeviceLinkController& deviceLink, const ProgramFolder& folder,
                                       const StrIniSettings& strIni, MessageReporter& reporter,
                                       const DialogContextSource& dialogs)
    : state_(state)
    , skinSettings_(skinSettings)
    , dlg_(dlg)
    , deviceLink_(deviceLink)
    , folder_(folder)
    , strIni_(strIni)
    , reporter_(reporter)
    , dialogs_(dialogs)
{
}

void MainWindowCommands::ok()
{
    if (!state_.device.present)
        return;
    applySettings();
    dlg_.hideWindow();
}

void MainWindowCommands::apply()
{
    if (state_.device.present)
        applySettings();
}

void MainWindowCommands::applySettings()
{
    // A failed read, status query or write is reported by the protocol; the
    // settings are stored all the same.
    ApplySequence::run(deviceLink_.protocol(), state_.image, state_.settings,
                                           state_.device.sensorType(), [this] { storeSettings(); },
                                           ApplySequence::OnFailedQuery::Continue);
    state_.savedSettings = state_.settings;
}

void MainWindowCommands::storeSettings()
{
    FailureMessages failures(reporter_);
    if (const auto stored = ConfigBinFile(folder_.configBin()).store(state_.settings.bytes()); !stored)
        failures.showConfigBinFailure(*stored.failure());
    if (const std::error_code error = strIni_.writeCaptions(state_.app.language(), dlg_.resources().captions))
        failures.showStrIniWriteFailure(strIni_.path(), error);
}

void MainWindowCommands::cancel()
{
    // The key captions come back from str.ini when the next show rebuilds the page.
    state_.settings = state_.savedSettings;
    state_.flags.cancelPending = true;
    dlg_.hideWindow();
}

void MainWindowCommands::openSkins()
{
    SkinsDialog dialog(dialogs_.context(), folder_.skinsRoots(), skinSettings_.name(), &dlg_);
    if (!dialog.runModal())
        return;
    const SkinsResult chosen = dialog.chosenSkin();
    if (const std::error_code error = strIni_.writeSkin(chosen.colour, chosen.name))
        FailureMessages(reporter_).showStrIniWriteFailure(strIni_.path(), error);
    skinSettings_.setSkin(chosen.name, chosen.folder, SkinStyle::fromRgb(chosen.colour));
    dlg_.show();
    dlg_.raise();
    dlg_.activateWindow();
}

void MainWindowCommands::minimise() { dlg_.hideWindow(); }

void MainWindowCommands::closeProgram() { dlg_.endProgram(); }

void MainWindowCommands::buildBasicPage()
{
    if (state_.flags.pageState != PageState::Built)
        dlg_.pages().build();
}

} // namespace kestrel
