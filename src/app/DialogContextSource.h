#pragma once

#include "app/AppState.h"

#include "dialogs/DialogContext.h"
#include "platform/KeyNamer.h"
#include "skin/Prompter.h"
#include "skin/SkinSettings.h"

#include <QString>

#include <utility>

namespace kestrel {

// Gives every sub-dialog the main window opens what it is opened with: the
// prompter, the interface language, the skin in use (folder, text colour and
// fonts, as they are at the moment of opening) and the program's name.
class DialogContextSource {
public:
    DialogContextSource(Prompter& prompter, QString programName, const AppState& app, const SkinSettings& skin,
                        const KeyNamer& keyNamer)
        : prompter_(prompter), programName_(std::move(programName)), app_(app), skin_(skin), keyNamer_(keyNamer)
    {
    }

    Prompter& prompter() const { return prompter_; }
    DialogContext context() const
    {
        return {prompter_, app_.language(), skin_.style(), programName_, keyNamer_};
    }

private:
    Prompter& prompter_;
    QString programName_;
    const AppState& app_;
    const SkinSettings& skin_;
    const KeyNamer& keyNamer_;
};

} // namespace kestrel
