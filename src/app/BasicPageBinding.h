#pragma once

#include "app/BasicPage.h"
#include "app/DialogContextSource.h"
#include "app/MainWindowResources.h"
#include "app/ProgramState.h"

#include "pages/BasicSettingsPage.h"
#include "skin/MessageReporter.h"
#include "pages/PageHost.h"
#include "config/StrIniSettings.h"

class QWidget;

namespace kestrel {

// The basic settings page as the main window's page: it answers the page's
// questions from the program's single instances and the window's resources.
class BasicPageBinding final : public BasicPage, private PageHost {
public:
    BasicPageBinding(QWidget& window, MainWindowSkin& skin, ProgramState& state, MainWindowResources& resources,
                     const StrIniSettings& strIni, MessageReporter& reporter, const DialogContextSource& dialogs);

    void build() override { page_.build(); }
    void tearDown() override { page_.tearDown(); }

    BasicSettingsPage& page() { return page_; }

private:
    SettingsRecord& settings() override { return state_.settings; }
    StrIniSettings::Captions& captions() override { return resources_.captions; }
    const TextTable& texts() const override { return resources_.texts; }
    Language language() const override { return state_.app.language(); }
    std::uint8_t sensorType() const override { return state_.device.sensorType(); }
    bool needsDefaultCaptions() const override;
    void storeCaptions() override;
    Prompter& prompter() override { return dialogs_.prompter(); }
    DialogContext dialogContext() const override { return dialogs_.context(); }

    ProgramState& state_;
    MainWindowResources& resources_;
    const StrIniSettings& strIni_;
    MessageReporter& reporter_;
    const DialogContextSource& dialogs_;
    BasicSettingsPage page_;
};

} // namespace kestrel
