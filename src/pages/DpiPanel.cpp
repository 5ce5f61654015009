#include "pages/DpiPanel.h"

#include "config/DpiTable.h"
#include "skin/MainWindowLayout.h"
#include "skin/MainWindowSkin.h"
#include "skin/SkinFiles.h"

#include <algorithm>
#include <array>

namespace kestrel {

namespace {

constexpr std::array<std::uint8_t, 4> kMarkRates{8, 4, 2, 1};
constexpr std::array<const char*, 4> kMarkLabels{"125", "250", "500", "1000"};
constexpr std::uint8_t kFallbackSensorType = 0;
constexpr int kEightLevels = 8;
constexpr int kTwelveLevels = 12;

// The scale labels start further left when there are 8 levels.
constexpr int kScaleLeftTwelve = 514;
constexpr int kScaleLeftEight = 494;
constexpr int kScaleRight = 544;

QRect scaleLabel(int level, int count)
{
    const int left = count == kTwelveLevels ? kScaleLeftTwelve : kScaleLeftEight;
    return hotRect(left, 500 - 18 * level, kScaleRight, 516 - 18 * level);
}

} // namespace

DpiPanel::DpiPanel(const PageContext& context) : context_(context) {}

int DpiPanel::levelCount(std::uint8_t sensorType)
{
    return sensorType >= 1 && sensorType <= 3 ? kEightLevels : kTwelveLevels;
}

int DpiPanel::markOf(std::uint8_t reportRate)
{
    const auto found = std::find(kMarkRates.begin(), kMarkRates.end(), reportRate);
    return found == kMarkRates.end() ? mainlayout::kReportRateMarkCount
                                     : static_cast<int>(found - kMarkRates.begin()) + 1;
}

std::uint8_t DpiPanel::reportRateOf(int mark) { return kMarkRates[static_cast<std::size_t>(mark - 1)]; }

void DpiPanel::paint(SkinPainter& painter)
{
    levelCount_ = levelCount(context_.host.sensorType());
    drawLabels(painter);
    for (int mark = 1; mark <= mainlayout::kReportRateMarkCount; ++mark)
        drawMark(painter, mark, false);
    drawMark(painter, markOf(context_.host.settings().reportRate()), true);
    for (int stage = 1; stage <= kStageCount; ++stage) {
        drawSelectBox(painter, stage);
        drawStageColumn(painter, stage);
    }
}

void DpiPanel::drawLabels(SkinPainter& painter) const
{
    for (int mark = 1; mark <= mainlayout::kReportRateMarkCount; ++mark)
        painter.label(mainlayout::reportRateLabel(mark), QString::fromLatin1(kMarkLabels[mark - 1]),
                      TextLayout::Centred);
    for (int stage = 1; stage <= kStageCount; ++stage)
        painter.label(mainlayout::stageDigit(stage), QString::number(stage), TextLayout::Centred);
    // "Select" reads the same in every language.
    painter.label(mainlayout::kSelectLabel, QStringLiteral("Select"), TextLayout::Right);
    // A sensor type without levels of its own is labelled as type 0.
    const std::uint8_t sensorType = context_.host.sensorType();
    const std::uint8_t labelled = DpiTable::levelCount(sensorType) > 0 ? sensorType : kFallbackSensorType;
    for (int level = 0; level < levelCount_; ++level) {
        painter.label(scaleLabel(level, levelCount_), QString::fromStdString(DpiTable::label(labelled, level)),
                      TextLayout::Right);
    }
}

void DpiPanel::drawMark(SkinPainter& painter, int mark, bool lit) const
{
    painter.image(lit ? skinfiles::kReportRateLight : skinfiles::kReportRateDark,
                  mainlayout::reportRateMark(mark).topLeft());
}

void DpiPanel::drawSelectBox(SkinPainter& painter, int stage) const
{
    const bool inUse = context_.host.settings().isStageInUse(stage - 1);
    painter.image(inUse ? skinfiles::kStageOn : skinfiles::kStageOff, mainlayout::stageSelectBox(stage).topLeft());
}

void DpiPanel::drawColumn(SkinPainter& painter, int stage, int litCells) const
{
    for (int cell = 1; cell <= levelCount_; ++cell) {
        painter.image(cell <= litCells ? skinfiles::kDpiCellLight : skinfiles::kDpiCellDark,
                      mainlayout::dpiCell(stage, cell).topLeft());
    }
}

void DpiPanel::drawStageColumn(SkinPainter& painter, int stage) const
{
    const SettingsRecord& settings = context_.host.settings();
    if (!settings.isStageInUse(stage - 1)) {
        drawColumn(painter, stage, 0);
        return;
    }
    // A level left over from a sensor with more levels lights the whole column.
    drawColumn(painter, stage, std::min(settings.dpiLevel(stage - 1) + 1, levelCount_));
}

bool DpiPanel::anotherStageInUse(int stage) const
{
    for (int other = 1; other <= kStageCount; ++other) {
        if (other != stage && context_.host.settings().isStageInUse(other - 1))
            return true;
    }
    return false;
}

void DpiPanel::selectReportRate(int mark)
{
    SettingsRecord& settings = context_.host.settings();
    const int oldMark = markOf(settings.reportRate());
    settings.setReportRate(reportRateOf(mark));
    if (oldMark == mark)
        return;
    CanvasPainter dc = context_.skin.compose();
    SkinPainter painter(dc, context_.skin.style(), context_.skin.images());
    drawMark(painter, mark, true);
    drawMark(painter, oldMark, false);
}

void DpiPanel::toggleStage(int stage)
{
    SettingsRecord& settings = context_.host.settings();
    // A flag of any value but 1 shows the stage off, so a click switches it on.
    if (settings.isStageInUse(stage - 1)) {
        if (!anotherStageInUse(stage))
            return;
        settings.setDpiEnabled(stage - 1, 0);
    } else {
        settings.setDpiEnabled(stage - 1, 1);
    }
    CanvasPainter dc = context_.skin.compose();
    SkinPainter painter(dc, context_.skin.style(), context_.skin.images());
    drawSelectBox(painter, stage);
    drawStageColumn(painter, stage);
}

void DpiPanel::setLevel(int stage, int cell)
{
    // Cells beyond the level count are neither drawn nor clickable.
    if (cell > levelCount_)
        return;
    context_.host.settings().setDpiLevel(stage - 1, static_cast<std::uint8_t>(cell - 1));
    // A stage not in use shows its new level until the next page build.
    CanvasPainter dc = context_.skin.compose();
    SkinPainter painter(dc, context_.skin.style(), context_.skin.images());
    drawColumn(painter, stage, cell);
}

} // namespace kestrel
