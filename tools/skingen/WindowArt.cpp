#include "WindowArt.h"

#include "skin/MainWindowLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>

namespace kestrel::skingen {

namespace {

constexpr qreal kTitleBarHeight = 32;
constexpr QRectF kSidebar(16, 124, 210, 476);
constexpr QRectF kKeyCard(238, 148, 240, 436);
constexpr QRectF kReportRateCard(488, 148, 396, 110);
constexpr QRectF kDpiCard(488, 266, 192, 334);
constexpr QRectF kEffectCard(688, 266, 196, 334);
constexpr qreal kFooterTop = 606;

} // namespace

QImage WindowArt::background() const
{
    QImage image = ArtKit::blankImage(kWindowSize);
    QPainter painter(&image);
    ArtKit::prepare(painter);
    drawFrame(painter);
    // The empty window carries a large, quiet Kestrel mark.
    const QPointF centre(kWindowSize.width() / 2.0, kWindowSize.height() / 2.0 + 10);
    QRadialGradient halo(centre, 260);
    halo.setColorAt(0.0, kit_.colour(kit_.palette().accent, 34));
    halo.setColorAt(1.0, kit_.colour(kit_.palette().accent, 0));
    painter.setBrush(halo);
    painter.drawEllipse(centre, 260, 260);
    painter.setBrush(kit_.colour(kit_.palette().cardBorder, 160));
    painter.drawPath(ArtKit::kestrelMark(QRectF(centre.x() - 110, centre.y() - 110, 220, 220)));
    return image;
}

QImage WindowArt::basicPage() const
{
    QImage image = ArtKit::blankImage(kWindowSize);
    QPainter painter(&image);
    ArtKit::prepare(painter);
    drawFrame(painter);
    drawPageHeader(painter);
    drawSidebar(painter);
    drawKeySection(painter);
    drawReportRateSection(painter);
    drawDpiSection(painter);
    drawEffectSection(painter);
    drawFooter(painter);
    return image;
}

void WindowArt::drawFrame(QPainter& painter) const
{
    const SkinPalette& p = kit_.palette();
    const qreal width = kWindowSize.width();
    kit_.windowBody(painter, kWindowSize, kTitleBarHeight);
    ArtKit::hairline(painter, 0, kTitleBarHeight - 0.5, width, kTitleBarHeight - 0.5, kit_.colour(p.cardBorder));
    // An accent trace runs from the mark along the title bar and fades out.
    kit_.titleTrace(painter, kTitleBarHeight, width * 0.6, QRectF(10, 6, 22, 22));
    // A faint divider sets the skin button apart from minimise and close.
    ArtKit::hairline(painter, 810.5, 8, 810.5, 20, kit_.colour(p.cardBorder));
    kit_.outline(painter, kWindowSize);
}

void WindowArt::drawPageHeader(QPainter& painter) const
{
    const SkinPalette& p = kit_.palette();
    // The page title is drawn in dark grey, so it sits on a light plate.
    const QRectF plate = QRectF(mainlayout::kTitle).adjusted(-2, 2, 2, -2);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawRoundedRect(plate.translated(0, 2), 6, 6);
    kit_.fillVertical(painter, plate, p.plateTop, p.plateBottom, 6);
    painter.setBrush(kit_.colour(p.accent));
    painter.drawRoundedRect(QRectF(plate.left(), plate.bottom() - 3, plate.width(), 3), 1.5, 1.5);
    ArtKit::hairline(painter, plate.left() + 6, plate.top() + 0.5, plate.right() - 6, plate.top() + 0.5,
                     QColor(255, 255, 255, 160));
    // A long rule under the header separates it from the sections.
    QLinearGradient rule(16, 0, 884, 0);
    rule.setColorAt(0.0, kit_.colour(p.accent, 200));
    rule.setColorAt(0.3, kit_.colour(p.cardBorder));
    rule.setColorAt(1.0, kit_.colour(p.cardBorder, 0));
    painter.setPen(QPen(QBrush(rule), 1));
    painter.drawLine(QPointF(16, 112.5), QPointF(884, 112.5));
    painter.setPen(Qt::NoPen);
}

void WindowArt::drawSidebar(QPainter& painter) const
{
    const SkinPalette& p = kit_.palette();
    kit_.card(painter, kSidebar);
    const QPointF centre(kSidebar.center().x(), kSidebar.top() + 210);
    QRadialGradient halo(centre, 130);
    halo.setColorAt(0.0, kit_.colour(p.accent, 46));
    halo.setColorAt(1.0, kit_.colour(p.accent, 0));
    painter.setBrush(halo);
    painter.drawEllipse(centre, 130, 130);
    drawMouse(painter, QRectF(centre.x() - 66, kSidebar.top() + 60, 132, 256));
    // The floor the mouse rests on.
    QRadialGradient floor(QPointF(centre.x(), kSidebar.top() + 330), 90);
    floor.setColorAt(0.0, QColor(0, 0, 0, 110));
    floor.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setBrush(floor);
    painter.drawEllipse(QPointF(centre.x(), kSidebar.top() + 330), 90, 12);
    // Four stage pips under the mouse echo the DPI stages.
    for (int stage = 0; stage < 4; ++stage) {
        const QRectF pip(centre.x() - 39 + 21 * stage, kSidebar.bottom() - 70, 15, 4);
        painter.setBrush(stage == 0 ? kit_.colour(p.accent) : kit_.colour(p.idle));
        painter.drawRoundedRect(pip, 2, 2);
    }
    painter.setBrush(kit_.colour(p.cardBorder, 200));
    painter.drawPath(ArtKit::kestrelMark(QRectF(centre.x() - 14, kSidebar.bottom() - 52, 28, 28)));
}

void WindowArt::drawMouse(QPainter& painter, const QRectF& box) const
{
    const SkinPalette& p = kit_.palette();
    const auto at = [&box](qreal x, qreal y) { return ArtKit::onGrid(box, x, y); };
    // Top view of the shell on a 100 x 100 grid, narrow at the front.
    QPainterPath shell;
    shell.moveTo(at(50, 0));
    shell.cubicTo(at(80, 0), at(94, 10), at(96, 30));
    shell.cubicTo(at(99, 52), at(102, 78), at(88, 93));
    shell.cubicTo(at(76, 103), at(24, 103), at(12, 93));
    shell.cubicTo(at(-2, 78), at(1, 52), at(4, 30));
    shell.cubicTo(at(6, 10), at(20, 0), at(50, 0));
    shell.closeSubpath();
    QLinearGradient body(box.topLeft(), box.topRight());
    body.setColorAt(0.0, kit_.colour(p.control));
    body.setColorAt(0.45, kit_.colour(p.controlHover));
    body.setColorAt(1.0, kit_.colour(p.well));
    painter.setBrush(body);
    painter.drawPath(shell);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kit_.colour(p.cardBorder), 1.2));
    painter.drawPath(shell);
    // Button seams: the split between the two main buttons and their rear edge.
    painter.setPen(QPen(kit_.colour(p.well), 1.6));
    painter.drawLine(at(50, 1), at(50, 38));
    QPainterPath rearEdge;
    rearEdge.moveTo(at(5, 34));
    rearEdge.cubicTo(at(25, 42), at(75, 42), at(95, 34));
    painter.drawPath(rearEdge);
    // The wheel, lit in the accent colour.
    const QRectF wheel(at(45, 9), at(55, 27));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kit_.colour(p.well));
    painter.drawRoundedRect(wheel.adjusted(-2, -2, 2, 2), 6, 6);
    QLinearGradient wheelLight(wheel.topLeft(), wheel.bottomLeft());
    wheelLight.setColorAt(0.0, kit_.colour(p.accentBright));
    wheelLight.setColorAt(1.0, kit_.colour(p.accent));
    painter.setBrush(wheelLight);
    painter.drawRoundedRect(wheel, 4, 4);
    // Two thumb buttons on the left flank and the DPI button behind the wheel.
    painter.setBrush(kit_.colour(p.well));
    painter.drawRoundedRect(QRectF(at(-1, 44), at(4, 55)), 2, 2);
    painter.drawRoundedRect(QRectF(at(-1, 57), at(4, 68)), 2, 2);
    painter.drawRoundedRect(QRectF(at(46, 31), at(54, 36)), 2, 2);
    // A light bar across the palm.
    QLinearGradient bar(at(20, 0), at(80, 0));
    bar.setColorAt(0.0, kit_.colour(p.accent, 0));
    bar.setColorAt(0.5, kit_.colour(p.accent));
    bar.setColorAt(1.0, kit_.colour(p.accent, 0));
    painter.setBrush(bar);
    painter.drawRoundedRect(QRectF(at(20, 86), at(80, 88)), 1.5, 1.5);
    painter.setBrush(kit_.colour(p.accent, 140));
    painter.drawPath(ArtKit::kestrelMark(QRectF(at(40, 60), at(60, 76))));
}

void WindowArt::drawKeySection(QPainter& painter) const
{
    const SkinPalette& p = kit_.palette();
    kit_.card(painter, kKeyCard);
    kit_.headingRule(painter, mainlayout::kKeySettingHeading, kKeyCard.left() + 8, kKeyCard.right() - 8);
    // The key group switch sits in a shared track; "Default" below it.
    const QRectF track = QRectF(mainlayout::kModeA.united(mainlayout::kModeB)).adjusted(-3, -3, 3, 3);
    kit_.well(painter, track, 6);
    ArtKit::hairline(painter, kKeyCard.left() + 16, 505.5, kKeyCard.right() - 16, 505.5, kit_.colour(p.cardBorder));
    // A quiet mark fills the room the function lists drop into.
    painter.setBrush(kit_.colour(p.cardBorder, 110));
    painter.drawPath(ArtKit::kestrelMark(QRectF(kKeyCard.center().x() - 45, 384, 90, 90)));
}

void WindowArt::drawReportRateSection(QPainter& painter) const
{
    const SkinPalette& p = kit_.palette();
    kit_.card(painter, kReportRateCard);
    kit_.headingRule(painter, mainlayout::kReportRateHeading, kReportRateCard.left() + 8, kReportRateCard.right() - 8);
    const QRectF groove = QRectF(mainlayout::reportRateMark(1).united(mainlayout::reportRateMark(4))).adjusted(-4, -4, 4, 4);
    kit_.well(painter, groove, 5);
    // A notch under each mark points to its label.
    for (int mark = 1; mark <= mainlayout::kReportRateMarkCount; ++mark) {
        const qreal x = QRectF(mainlayout::reportRateMark(mark)).center().x();
        ArtKit::hairline(painter, x, groove.bottom() + 2, x, groove.bottom() + 5, kit_.colour(p.icon, 120));
    }
}

void WindowArt::drawDpiSection(QPainter& painter) const
{
    const SkinPalette& p = kit_.palette();
    kit_.card(painter, kDpiCard);
    kit_.headingRule(painter, mainlayout::kDpiSettingHeading, kDpiCard.left() + 8, kDpiCard.right() - 8);
    // Guides at every level run behind the columns to the scale labels.
    for (int step = 1; step <= mainlayout::kMaxDpiCells; ++step) {
        const qreal y = std::floor(QRectF(mainlayout::dpiCell(1, step)).center().y()) + 0.5;
        ArtKit::hairline(painter, 547, y, kDpiCard.right() - 10, y, kit_.colour(p.cardBorder, 120));
    }
    for (int stage = 1; stage <= mainlayout::kStageCount; ++stage) {
        const QRectF column =
            QRectF(mainlayout::dpiCell(stage, mainlayout::kMaxDpiCells).united(mainlayout::dpiCell(stage, 1)));
        kit_.well(painter, column.adjusted(-2, -1, 2, 2), 4);
        // A thin frame around the swatch, which the program fills with the stage colour.
        const QRectF swatch = QRectF(mainlayout::colourSwatch(stage)).adjusted(-1.5, -1.5, 1.5, 1.5);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kit_.colour(p.wellBorder), 1));
        painter.drawRoundedRect(swatch, 2, 2);
        painter.setPen(Qt::NoPen);
    }
}

void WindowArt::drawEffectSection(QPainter& painter) const
{
    const SkinPalette& p = kit_.palette();
    kit_.card(painter, kEffectCard);
    kit_.headingRule(painter, mainlayout::kDpiEffectHeading, kEffectCard.left() + 8, kEffectCard.right() - 8);
    const QRect boxes[] = {mainlayout::kModeBox, mainlayout::kParameterBox, mainlayout::kEffectBox};
    const QRect values[] = {mainlayout::kModeValue, mainlayout::kParameterValue, mainlayout::kEffectValue};
    for (int row = 0; row < 3; ++row) {
        kit_.well(painter, QRectF(boxes[row]).adjusted(-2, -2, 2, 2), 3);
        const QRectF button(values[row].right() + 1, boxes[row].top(), boxes[row].right() - values[row].right(),
                            boxes[row].height());
        ArtKit::hairline(painter, button.left() + 0.5, button.top(), button.left() + 0.5, button.bottom() + 1,
                         kit_.colour(p.wellBorder));
        // Mode and parameter open lists; the effect box only cycles its text.
        if (row < 2) {
            kit_.chevron(painter, button.adjusted(0, 1, 1, 1), kit_.colour(p.accent));
        } else {
            painter.setBrush(kit_.colour(p.accent));
            painter.drawEllipse(button.center() + QPointF(0.5, 0.5), 2, 2);
        }
    }
    // A ring of lights: the mouse's lighting, resting in the lower panel.
    const QPointF centre(kEffectCard.center().x(), 510);
    QRadialGradient halo(centre, 56);
    halo.setColorAt(0.0, kit_.colour(p.accent, 40));
    halo.setColorAt(1.0, kit_.colour(p.accent, 0));
    painter.setBrush(halo);
    painter.drawEllipse(centre, 56, 56);
    kit_.accentRing(painter, centre, 16, 38, 3.2, 40);
    painter.setBrush(kit_.colour(p.accent, 200));
    painter.drawPath(ArtKit::kestrelMark(QRectF(centre.x() - 17, centre.y() - 17, 34, 34)));
}

void WindowArt::drawFooter(QPainter& painter) const
{
    const SkinPalette& p = kit_.palette();
    painter.setBrush(kit_.colour(p.titleBar, 200));
    painter.drawRect(QRectF(1, kFooterTop, kWindowSize.width() - 2, kWindowSize.height() - kFooterTop - 1));
    ArtKit::hairline(painter, 1, kFooterTop + 0.5, kWindowSize.width() - 1, kFooterTop + 0.5, kit_.colour(p.cardBorder));
    const QRectF trio = QRectF(mainlayout::kOk.united(mainlayout::kCancel)).adjusted(-3, -3, 3, 3);
    kit_.well(painter, trio, 6);
}

} // namespace kestrel::skingen
