#include "skin/ClickDispatcher.h"

namespace kestrel {

namespace {

constexpr int kLastAlwaysReachableStep = 8;

} // namespace

bool ClickDispatcher::holds(const ClickRow& row, int index, const SurfaceConditions& conditions, bool matched)
{
    switch (row.condition) {
    case ClickCondition::Always:
        return true;
    case ClickCondition::MousePresent:
        return conditions.mousePresent();
    case ClickCondition::PageNotBuilt:
        return !conditions.pageBuilt();
    case ClickCondition::PageBuilt:
        return conditions.pageBuilt();
    case ClickCondition::CellReachable:
        return clicktable::cellStep(index) <= kLastAlwaysReachableStep || conditions.sensorType() == 0;
    case ClickCondition::NothingMatched:
        return !matched;
    }
    return false;
}

void ClickDispatcher::perform(const ClickRow& row, int index, QPoint point, ClickTargets targets)
{
    PageClickActions* page = targets.page;
    switch (row.action) {
    case ClickAction::Ok:
        return targets.window.ok();
    case ClickAction::Apply:
        return targets.window.apply();
    case ClickAction::Skins:
        return targets.window.openSkins();
    case ClickAction::Minimise:
        return targets.window.minimise();
    case ClickAction::Close:
        return targets.window.closeProgram();
    case ClickAction::PageButton:
        return targets.window.buildBasicPage();
    case ClickAction::Cancel:
        return targets.window.cancel();
    case ClickAction::Drag:
        return targets.surface.startDrag(point);
    case ClickAction::CloseLists:
        return targets.surface.closeListsAwayFrom(point);
    default:
        break;
    }
    // The remaining rows belong to the page; without one they match but do nothing.
    if (page == nullptr)
        return;
    switch (row.action) {
    case ClickAction::ModeA:
        return page->showKeyGroup(KeyGroup::ModeA);
    case ClickAction::ModeB:
        return page->showKeyGroup(KeyGroup::ModeB);
    case ClickAction::DefaultKeys:
        return page->defaultKeys();
    case ClickAction::KeyDropDown:
        return page->keyDropDown(index);
    case ClickAction::ReportRateMark:
        return page->reportRateMark(index);
    case ClickAction::StageSelectBox:
        return page->stageSelectBox(index);
    case ClickAction::ColourSwatch:
        return page->colourSwatch(index);
    case ClickAction::ModeBox:
        return page->modeBox();
    case ClickAction::ParameterBox:
        return page->parameterBox();
    case ClickAction::EffectBox:
        return page->effectBox();
    case ClickAction::DpiCell:
        return page->dpiCell(clicktable::cellStage(index), clicktable::cellStep(index));
    default:
        return;
    }
}

void ClickDispatcher::dispatch(QPoint point, const SurfaceConditions& conditions, ClickTargets targets)
{
    bool matched = false;
    for (const ClickRow& row : kClickTable) {
        if (row.count == 0) {
            // A row without a rectangle acts on its condition alone.
            if (!holds(row, 0, conditions, matched))
                continue;
            perform(row, 0, point, targets);
            if (!row.continues)
                return;
            continue;
        }
        for (int index = 1; index <= row.count; ++index) {
            if (!row.rect(index).contains(point) || !holds(row, index, conditions, matched))
                continue;
            matched = true;
            perform(row, index, point, targets);
            if (!row.continues)
                return;
            break;
        }
    }
}

} // namespace kestrel
