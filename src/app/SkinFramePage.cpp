#include "SkinFramePage.h"

#include "DlgResources.h"
#include "ProgramState.h"

#include <BasicPageFrame.h>
#include <MainWindowSkin.h>

namespace kestrel {

SkinFramePage::SkinFramePage(MainWindowSkin& skin, const DlgResources& resources, const ProgramState& state)
    : skin_(skin), resources_(resources), state_(state)
{
}

void SkinFramePage::build()
{
    CMemDC dc = skin_.compose();
    SkinPainter painter(dc, skin_.style());
    BasicPageFrame::draw(painter, skin_, resources_.texts, state_.settings.modeShown() == 1 ? 2 : 1);
}

void SkinFramePage::tearDown() { skin_.lists().closeAll(); }

} // namespace kestrel
