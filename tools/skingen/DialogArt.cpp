#include "DialogArt.h"

#include "skin/DialogLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>

namespace kestrel::skingen {

namespace {

constexpr qreal kTitleStripHeight = 30;
constexpr QRectF kGlyphBox(214, 62, 132, 132);

} // namespace

QImage DialogArt::sheet(const Sheet& sheet) const
{
    const QSize size(kWidth, sheet.height);
    QImage image = ArtKit::blankImage(size);
    QPainter painter(&image);
    ArtKit::prepare(painter);
    drawFrame(painter, size);
    drawFields(painter, sheet.kind);
    drawGlyph(painter, sheet.kind, kGlyphBox);
    return image;
}

void DialogArt::drawFrame(QPainter& painter, QSize size) const
{
    const qreal width = size.width();
    kit_.windowBody(painter, size, kTitleStripHeight);
    kit_.titleTrace(painter, kTitleStripHeight, width, QRectF(9, 5, 20, 20));
    // The content panel and the footer track that holds OK and Cancel.
    kit_.card(painter, QRectF(10, 42, width - 20, dialoglayout::kOk.top() - 52));
    const QRectF trio = QRectF(dialoglayout::kOk.united(dialoglayout::kCancel)).adjusted(-3, -3, 3, 3);
    kit_.well(painter, trio, 6);
    kit_.outline(painter, size);
}

void DialogArt::field(QPainter& painter, const QRect& box) const
{
    kit_.well(painter, QRectF(box).adjusted(-2, -2, 2, 2), 3);
}

void DialogArt::face(QPainter& painter, const QRect& faceRect, const QRect& textBox) const
{
    const SkinPalette& p = kit_.palette();
    field(painter, faceRect);
    const QRectF button(textBox.right() + 1, faceRect.top(), faceRect.right() - textBox.right(), faceRect.height());
    painter.setBrush(kit_.colour(p.control));
    painter.drawRect(button);
    ArtKit::hairline(painter, button.left() + 0.5, button.top(), button.left() + 0.5, button.bottom() + 1,
                     kit_.colour(p.wellBorder));
    kit_.chevron(painter, button.adjusted(0, 1, 1, 1), kit_.colour(p.accent));
}

void DialogArt::drawFields(QPainter& painter, Kind kind) const
{
    using namespace dialoglayout;
    const SkinPalette& p = kit_.palette();
    switch (kind) {
    case Kind::FireKey:
        face(painter, kFireKeyFace, kFireKeyBox);
        field(painter, kFireTimesEdit);
        field(painter, kFireMakeTimeEdit);
        field(painter, kFireBreakTimeEdit);
        // The notes at the bottom of the panel get a rule of their own.
        ArtKit::hairline(painter, 22, 196.5, 358, 196.5, kit_.colour(p.cardBorder));
        break;
    case Kind::HotKey:
    case Kind::Media:
    case Kind::WindowsKey:
        face(painter, kChoiceFace, kChoiceBox);
        break;
    case Kind::SnipeKey:
        face(painter, kSnipeFace, kSnipeBox);
        break;
    case Kind::SingleKey:
        field(painter, kSingleKeyBox);
        break;
    case Kind::Skins:
        face(painter, kChoiceFace, kChoiceBox);
        field(painter, kSkinsSwatch);
        break;
    }
}

void DialogArt::drawGlyph(QPainter& painter, Kind kind, const QRectF& box) const
{
    const SkinPalette& p = kit_.palette();
    const QPointF centre = box.center();
    painter.setPen(Qt::NoPen);
    QRadialGradient halo(centre, box.width() * 0.6);
    halo.setColorAt(0.0, kit_.colour(p.accent, 42));
    halo.setColorAt(1.0, kit_.colour(p.accent, 0));
    painter.setBrush(halo);
    painter.drawEllipse(centre, box.width() * 0.6, box.width() * 0.6);

    const QColor ink = kit_.colour(p.accent);
    const QColor dim = kit_.colour(p.accent, 90);
    const QPen stroke(ink, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    // A key cap seen from above: the rim and the dished top face.
    const auto keycap = [&](const QRectF& cap, bool lit) {
        painter.setPen(QPen(lit ? ink : dim, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(kit_.colour(p.accent, lit ? 50 : 12));
        painter.drawRoundedRect(cap, 8, 8);
        painter.setPen(QPen(lit ? dim : kit_.colour(p.accent, 50), 2));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = cap.width() * 0.16;
        painter.drawRoundedRect(cap.adjusted(inset, inset * 0.7, -inset, -inset * 1.3), 5, 5);
        painter.setPen(Qt::NoPen);
    };
    switch (kind) {
    case Kind::FireKey: {
        // Three bolts in a row: one key fired again and again.
        for (int bolt = 0; bolt < 3; ++bolt) {
            const qreal x = box.left() + 14 + 38 * bolt;
            QPainterPath path;
            path.moveTo(x + 22, box.top() + 18);
            path.lineTo(x + 6, box.top() + 70);
            path.lineTo(x + 20, box.top() + 70);
            path.lineTo(x + 12, box.top() + 116);
            path.lineTo(x + 34, box.top() + 56);
            path.lineTo(x + 20, box.top() + 56);
            path.lineTo(x + 30, box.top() + 18);
            path.closeSubpath();
            painter.setBrush(bolt == 1 ? ink : dim);
            painter.drawPath(path);
        }
        break;
    }
    case Kind::HotKey:
        // Two keys joined by a plus: a shortcut.
        keycap(QRectF(box.left() + 4, box.top() + 36, 52, 52), true);
        keycap(QRectF(box.right() - 56, box.top() + 36, 52, 52), false);
        painter.setPen(stroke);
        painter.drawLine(QPointF(centre.x() - 8, centre.y() - 4), QPointF(centre.x() + 8, centre.y() - 4));
        painter.drawLine(QPointF(centre.x(), centre.y() - 12), QPointF(centre.x(), centre.y() + 4));
        painter.setPen(Qt::NoPen);
        break;
    case Kind::Media: {
        painter.setPen(QPen(ink, 4));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, 50, 50);
        painter.setPen(Qt::NoPen);
        QPainterPath play;
        play.moveTo(centre.x() - 14, centre.y() - 24);
        play.lineTo(centre.x() + 26, centre.y());
        play.lineTo(centre.x() - 14, centre.y() + 24);
        play.closeSubpath();
        painter.setBrush(ink);
        painter.drawPath(play);
        break;
    }
    case Kind::SingleKey:
        keycap(QRectF(centre.x() - 40, centre.y() - 40, 80, 80), true);
        painter.setBrush(ink);
        painter.drawRoundedRect(QRectF(centre.x() - 14, centre.y() + 16, 28, 5), 2.5, 2.5);
        break;
    case Kind::SnipeKey:
        painter.setPen(QPen(ink, 4));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, 46, 46);
        painter.setPen(QPen(dim, 2));
        painter.drawEllipse(centre, 24, 24);
        painter.setPen(stroke);
        painter.drawLine(QPointF(centre.x(), box.top() + 4), QPointF(centre.x(), centre.y() - 30));
        painter.drawLine(QPointF(centre.x(), centre.y() + 30), QPointF(centre.x(), box.bottom() - 4));
        painter.drawLine(QPointF(box.left() + 4, centre.y()), QPointF(centre.x() - 30, centre.y()));
        painter.drawLine(QPointF(centre.x() + 30, centre.y()), QPointF(box.right() - 4, centre.y()));
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(centre, 4, 4);
        break;
    case Kind::WindowsKey: {
        const qreal pane = 40;
        const qreal gap = 6;
        for (int row = 0; row < 2; ++row) {
            for (int col = 0; col < 2; ++col) {
                painter.setBrush(row == 0 && col == 0 ? ink : dim);
                painter.drawRoundedRect(QRectF(centre.x() - pane - gap / 2 + col * (pane + gap),
                                               centre.y() - pane - gap / 2 + row * (pane + gap), pane, pane),
                                        5, 5);
            }
        }
        break;
    }
    case Kind::Skins: {
        // Colour drops in a ring: the skin and its text colour.
        kit_.accentRing(painter, centre, 6, 40, 15, 70);
        painter.setBrush(kit_.colour(p.plateTop));
        painter.drawEllipse(centre, 15, 15);
        break;
    }
    }
}

} // namespace kestrel::skingen
