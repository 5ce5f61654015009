#pragma once

#include "app/ProgramState.h"

#include "dialogs/DialogContext.h"
#include "platform/KeyNamer.h"
#include "skin/MainWindowSkin.h"
#include "skin/Prompter.h"

#include <QString>

#include <utility>

namespace kestrel {

// Gives every sub-dialog the main window opens what it is opened with: the
// prompter, the interface language, the skin in use (folder, text colour and
// fonts, as they are at the moment of opening) and the program's name.
class DialogContextSource {
public:
    DialogContextSource(Prompter& prompter, QString programName, const ProgramState& state, const MainWindowSkin& skin,
                        const KeyNamer& keyNamer)
        : prompter_(prompter), programName_(std::move(programName)), state_(state), skin_(skin), keyNamer_(keyNamer)
    {
    }

    Prompter& prompter() const { return prompter_; }
    DialogContext context() const
    {
        return {prompter_, state_.app.language(), skin_.style(), programName_, keyNamer_};
    }

private:
    Prompter& prompter_;
    QString programName_;
    const ProgramState& state_;
    const MainWindowSkin& skin_;
    const KeyNamer& keyNamer_;
};

} // namespace kestrel
