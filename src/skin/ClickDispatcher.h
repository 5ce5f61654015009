#pragma once

#include "skin/ClickActions.h"
#include "skin/MainWindowLayout.h"
#include "skin/SurfaceConditions.h"

#include <QPoint>
#include <QRect>

#include <array>

namespace kestrel {

// What a row of the click table does when it matches.
enum class ClickAction {
    Ok,
    Apply,
    Skins,
    Minimise,
    Close,
    PageButton,
    Cancel,
    Drag,
    CloseLists,
    ModeA,
    ModeB,
    DefaultKeys,
    KeyDropDown,
    ReportRateMark,
    StageSelectBox,
    ColourSwatch,
    ModeBox,
    ParameterBox,
    EffectBox,
    DpiCell,
};

// When a row may match. CellReachable holds for DPI steps 1..8 always and
// for steps 9..12 only while the sensor type is 0.
enum class ClickCondition { Always, MousePresent, PageNotBuilt, PageBuilt, CellReachable, NothingMatched };

// One row: its rectangles (count of them, numbered from 1; none for rows
// that test only a condition), its condition, its action, and whether
// testing goes on after it matched.
struct ClickRow {
    ClickAction action;
    int count;
    QRect (*rect)(int index);
    ClickCondition condition;
    bool continues;
};

namespace clicktable {

constexpr int kDpiSteps = mainlayout::kMaxDpiCells;
constexpr QRect none(int) { return {}; }
constexpr QRect ok(int) { return mainlayout::kOk; }
constexpr QRect apply(int) { return mainlayout::kApply; }
constexpr QRect skins(int) { return mainlayout::kSkins; }
constexpr QRect minimise(int) { return mainlayout::kMinimise; }
constexpr QRect close(int) { return mainlayout::kClose; }
constexpr QRect pageButton(int) { return mainlayout::kPageButton; }
constexpr QRect cancel(int) { return mainlayout::kCancel; }
constexpr QRect modeA(int) { return mainlayout::kModeA; }
constexpr QRect modeB(int) { return mainlayout::kModeB; }
constexpr QRect defaultKeys(int) { return mainlayout::kDefault; }
constexpr QRect modeBox(int) { return mainlayout::kModeBox; }
constexpr QRect parameterBox(int) { return mainlayout::kParameterBox; }
constexpr QRect effectBox(int) { return mainlayout::kEffectBox; }
// DPI cells are numbered stage by stage: index 1..12 is stage 1, steps 1..12.
constexpr int cellStage(int index) { return (index - 1) / kDpiSteps + 1; }
constexpr int cellStep(int index) { return (index - 1) % kDpiSteps + 1; }
constexpr QRect dpiCell(int index) { return mainlayout::dpiCell(cellStage(index), cellStep(index)); }

} // namespace clicktable

// The main window's click table, tested top to bottom on every left press.
inline constexpr std::array<ClickRow, 21> kClickTable = {{
    {ClickAction::Ok, 1, clicktable::ok, ClickCondition::MousePresent, true},
    {ClickAction::Apply, 1, clicktable::apply, ClickCondition::MousePresent, true},
    {ClickAction::Skins, 1, clicktable::skins, ClickCondition::Always, true},
    {ClickAction::Minimise, 1, clicktable::minimise, ClickCondition::Always, false},
    {ClickAction::Close, 1, clicktable::close, ClickCondition::Always, false},
    {ClickAction::PageButton, 1, clicktable::pageButton, ClickCondition::Always, false},
    {ClickAction::Cancel, 1, clicktable::cancel, ClickCondition::Always, true},
    {ClickAction::Drag, 0, clicktable::none, ClickCondition::PageNotBuilt, false},
    {ClickAction::CloseLists, 0, clicktable::none, ClickCondition::PageBuilt, true},
    {ClickAction::ModeA, 1, clicktable::modeA, ClickCondition::Always, false},
    {ClickAction::ModeB, 1, clicktable::modeB, ClickCondition::Always, false},
    {ClickAction::DefaultKeys, 1, clicktable::defaultKeys, ClickCondition::Always, false},
    {ClickAction::KeyDropDown, mainlayout::kKeyDropDownCount, mainlayout::keyDropDown, ClickCondition::Always, false},
    {ClickAction::ReportRateMark, mainlayout::kReportRateMarkCount, mainlayout::reportRateMark, ClickCondition::Always,
     false},
    {ClickAction::StageSelectBox, mainlayout::kStageCount, mainlayout::stageSelectBox, ClickCondition::Always, false},
    {ClickAction::ColourSwatch, mainlayout::kStageCount, mainlayout::colourSwatch, ClickCondition::Always, false},
    {ClickAction::ModeBox, 1, clicktable::modeBox, ClickCondition::Always, false},
    {ClickAction::ParameterBox, 1, clicktable::parameterBox, ClickCondition::Always, false},
    {ClickAction::EffectBox, 1, clicktable::effectBox, ClickCondition::Always, false},
    {ClickAction::DpiCell, mainlayout::kStageCount * clicktable::kDpiSteps, clicktable::dpiCell,
     ClickCondition::CellReachable, false},
    {ClickAction::Drag, 0, clicktable::none, ClickCondition::NothingMatched, false},
}};

// Maps a left press on the main window to its action by walking the click table.
class ClickDispatcher {
public:
    static void dispatch(QPoint point, const SurfaceConditions& conditions, ClickTargets targets);

private:
    static bool holds(const ClickRow& row, int index, const SurfaceConditions& conditions, bool matched);
    static void perform(const ClickRow& row, int index, QPoint point, ClickTargets targets);
};

} // namespace kestrel
