#include "BasicPageBinding.h"

namespace kestrel {

BasicPageBinding::BasicPageBinding(QWidget& window, MainWindowSkin& skin, ProgramState& state,
                                   DlgResources& resources, const StrIniSettings& strIni,
                                   const DialogContextSource& dialogs)
    : state_(state)
    , resources_(resources)
    , strIni_(strIni)
    , dialogs_(dialogs)
    , page_(PageContext{window, skin, *this})
{
}

bool BasicPageBinding::needsDefaultCaptions() const
{
    // Until the first Apply of config.bin, each run's first build resets the captions.
    return !state_.flags.basicPageInitialised && state_.flags.firstRunFlag == 0;
}

void BasicPageBinding::storeCaptions() { strIni_.writeCaptions(state_.app.language(), resources_.captions); }

} // namespace kestrel
