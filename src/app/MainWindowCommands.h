#pragma once

#include "app/DialogContextSource.h"
#include "app/ProgramState.h"

#include "skin/ClickActions.h"
#include "skin/SkinSettings.h"
#include "skin/MessageReporter.h"
#include "config/ProgramFolder.h"
#include "config/StrIniSettings.h"

namespace kestrel {

class MainWindow;
class DeviceLinkController;

// The main window's commit buttons and its skin button. "OK" and "Apply"
// send the working settings to the mouse (only while it is present), store
// config.bin and the key captions, and make the working record the saved
// copy; "OK" then hides the window. "Cancel" puts the saved copy back, hides
// the window and has the next show rebuild the page. The skin button runs
// the skin chooser; its OK stores the skin and text colour in str.ini,
// switches the skin settings to them (the window redraws its page on that)
// and brings the window forward.
class MainWindowCommands final : public WindowClickActions {
public:
    MainWindowCommands(ProgramState& state, SkinSettings& skinSettings, MainWindow& dlg,
                       DeviceLinkController& deviceLink, const ProgramFolder& folder, const StrIniSettings& strIni, MessageReporter& reporter,
                       const DialogContextSource& dialogs);

    void ok() override;
    void apply() override;
    void cancel() override;
    void openSkins() override;
    // The surface answers these itself and never passes them on; should it,
    // they do what the window's own buttons do.
    void minimise() override;
    void closeProgram() override;
    void buildBasicPage() override;

private:
    void applySettings();
    void storeSettings();

    ProgramState& state_;
    SkinSettings& skinSettings_;
    MainWindow& dlg_;
    DeviceLinkController& deviceLink_;
    const ProgramFolder& folder_;
    const StrIniSettings& strIni_;
    MessageReporter& reporter_;
    const DialogContextSource& dialogs_;
};

} // namespace kestrel
