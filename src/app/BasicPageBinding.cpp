#include "app/BasicPageBinding.h"

#include "app/FailureMessages.h"

namespace kestrel {

BasicPageBinding::BasicPageBinding(QWidget& window, MainWindowSkin& skin, ProgramState& state,
                                   MainWindowResources& resources, const StrIniSettings& strIni,
                                   MessageReporter& reporter, const DialogContextSource& dialogs)
    : state_(state)
    , resources_(resources)
    , strIni_(strIni)
    , reporter_(reporter)
    , dialogs_(dialogs)
    , page_(PageContext{window, skin, *this})
{
}

bool BasicPageBinding::needsDefaultCaptions() const
{
    // Until the first Apply of config.bin, each run's first build resets the captions.
    return !state_.flags.basicPageInitialised && state_.flags.firstRunFlag == 0;
}

void BasicPageBinding::storeCaptions()
{
    if (const std::error_code error = strIni_.writeCaptions(state_.app.language(), resources_.captions))
        FailureMessages(reporter_).showStrIniWriteFailure(strIni_.path(), error);
}

} // namespace kestrel
