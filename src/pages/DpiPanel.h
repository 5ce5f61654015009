#pragma once

#include "pages/PageHost.h"

#include <cstdint>

namespace kestrel {

class SkinPainter;

// The report-rate and DPI section of the basic page, drawn entirely from
// skin images: four report-rate marks, and four DPI stages side by side,
// each a column of DPI cells (12 or 8 by sensor type) with a select box that
// switches the stage on or off. Switching off never leaves all stages off.
// Stored values outside their tables are shown safely: an unknown report
// rate on mark 4, a level at or beyond the level count as a full column.
class DpiPanel {
public:
    static constexpr int kStageCount = 4;

    explicit DpiPanel(const PageContext& context);

    // Level count of a sensor type: 8 for types 1 to 3, 12 for every other.
    static int levelCount(std::uint8_t sensorType);
    // The mark that shows a report-rate code: 8, 4, 2 on marks 1, 2, 3, anything else on mark 4.
    static int markOf(std::uint8_t reportRate);
    static std::uint8_t reportRateOf(int mark);

    // The labels, the marks, the select boxes and the cell columns, from the
    // settings record and the sensor type read now.
    void paint(SkinPainter& painter);

    // Clicks; marks and stages are 1..4, cells 1..12 from the bottom.
    void selectReportRate(int mark);
    void toggleStage(int stage);
    void setLevel(int stage, int cell);

private:
    void drawLabels(SkinPainter& painter) const;
    void drawMark(SkinPainter& painter, int mark, bool lit) const;
    void drawSelectBox(SkinPainter& painter, int stage) const;
    // Cells 1..litCells lit, the rest up to the level count dark.
    void drawColumn(SkinPainter& painter, int stage, int litCells) const;
    // The column drawing rule: an enabled stage lit up to its level.
    void drawStageColumn(SkinPainter& painter, int stage) const;
    bool anotherStageInUse(int stage) const;

    PageContext context_;
    int levelCount_ = 12;
};

} // namespace kestrel
