#include "BenchWindow.h"

#include "skin/BasicPageFrame.h"
#include "config/DpiTable.h"
#include "skin/MainWindowLayout.h"
#include "skin/SkinFiles.h"

#include <QPainter>

namespace kestrel::bench {

namespace {

constexpr int kLitMark = 4;
constexpr int kStageLevels[] = {1, 3, 6, 11};
constexpr const char* kRateLabels[] = {"125", "250", "500", "1000"};

} // namespace

BenchWindow::BenchWindow() : surface_(*this, settings_, *this, *this, *this)
{
    settings_.setSkin("Bench", KESTREL_BENCH_SKIN_DIR, QColor(230, 230, 230));
    QFont normalFont;
    normalFont.setPixelSize(12);
    QFont titleFont;
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    settings_.setFonts(normalFont, titleFont);
    surface_.loadBackground();
}

QString BenchWindow::buttonCaption(HoverId id) const { return BasicPageFrame::buttonCaption(texts_, id); }

QString BenchWindow::keyCaption(int k) const
{
    return QString::fromStdString(texts_.keyFunctions[static_cast<std::size_t>(k - 1)]);
}

void BenchWindow::drawReportRateAndDpi(SkinPainter& painter) const
{
    for (int mark = 1; mark <= mainlayout::kReportRateMarkCount; ++mark) {
        painter.image(skinfiles::kReportRateDark, mainlayout::reportRateMark(mark).topLeft());
        painter.label(mainlayout::reportRateLabel(mark), kRateLabels[mark - 1], TextLayout::Centred);
    }
    painter.image(skinfiles::kReportRateLight, mainlayout::reportRateMark(kLitMark).topLeft());
    painter.label(mainlayout::kColourLabel, "Color", TextLayout::Right);
    painter.label(mainlayout::kSelectLabel, "Select", TextLayout::Right);
    for (int level = 0; level < mainlayout::kMaxDpiCells; ++level) {
        const QRect cell = mainlayout::dpiCell(1, level + 1);
        painter.label(QRect(514, cell.top(), 30, cell.height()), QString::fromStdString(DpiTable::label(0, level)),
                      TextLayout::Right);
    }
    for (int stage = 1; stage <= mainlayout::kStageCount; ++stage) {
        painter.label(mainlayout::stageDigit(stage), QString::number(stage), TextLayout::Centred);
        painter.image(skinfiles::kStageOn, mainlayout::stageSelectBox(stage).topLeft());
        for (int step = 1; step <= mainlayout::kMaxDpiCells; ++step) {
            const bool lit = step <= kStageLevels[stage - 1] + 1;
            painter.image(lit ? skinfiles::kDpiCellLight : skinfiles::kDpiCellDark,
                          mainlayout::dpiCell(stage, step).topLeft());
        }
    }
}

void BenchWindow::composePage()
{
    CanvasPainter dc = surface_.compose();
    SkinPainter painter(dc, surface_.style(), surface_.images());
    BasicPageFrame::draw(painter, surface_, texts_, KeyGroup::ModeA);
    drawReportRateAndDpi(painter);
}

void BenchWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    surface_.paint(painter);
}

} // namespace kestrel::bench
