#include "pages/BasicSettingsPage.h"

#include "skin/BasicPageFrame.h"
#include "skin/MainWindowSkin.h"

namespace kestrel {

BasicSettingsPage::BasicSettingsPage(const PageContext& context)
    : context_(context), keys_(context), dpi_(context), lighting_(context)
{
    context_.skin.setPageActions(this);
    context_.skin.lists().setListener(this);
}

BasicSettingsPage::~BasicSettingsPage()
{
    context_.skin.lists().setListener(nullptr);
    context_.skin.setPageActions(nullptr);
}

void BasicSettingsPage::build()
{
    if (context_.host.needsDefaultCaptions()) {
        keys_.setDefaultCaptions();
        context_.host.storeCaptions();
    } else {
        keys_.fillMissingCaptions();
    }
    compose();
    lighting_.destroyControls();
    lighting_.createControls();
}

void BasicSettingsPage::compose()
{
    CanvasPainter dc = context_.skin.compose();
    SkinPainter painter(dc, context_.skin.style(), context_.skin.images());
    const KeyAssignments keys(context_.host.settings(), context_.host.captions());
    BasicPageFrame::draw(painter, context_.skin, context_.host.texts(), keys.shownGroup());
    lighting_.drawLabels(painter);
    dpi_.paint(painter);
}

void BasicSettingsPage::tearDown()
{
    context_.skin.lists().closeAll();
    lighting_.destroyControls();
}

void BasicSettingsPage::listChosen(PopupListId id)
{
    if (KeySettingPanel::ownsList(id))
        keys_.listChosen(id);
    else if (LightingPanel::ownsList(id))
        lighting_.listChosen(id);
}

void BasicSettingsPage::listRowHovered(PopupListId id, int row) { keys_.listRowHovered(id, row); }

} // namespace kestrel
