#include "skin/SkinPainter.h"

#include "skin/SkinImage.h"
#include "skin/SkinFolder.h"

namespace kestrel {

namespace {

int alignmentOf(TextLayout layout)
{
    switch (layout) {
    case TextLayout::Centred:
        return Qt::AlignCenter;
    case TextLayout::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case TextLayout::TopCentred:
        return Qt::AlignHCenter | Qt::AlignTop;
    case TextLayout::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignCenter;
}

} // namespace

bool SkinPainter::image(std::string_view fileName, QPoint at)
{
    if (!dc_.isActive())
        return false;
    return drawSkinImage(dc_.painter(), images_, SkinFolder::imagePath(style_.folder, fileName), at.x(), at.y());
}

void SkinPainter::label(const QRect& rect, const QString& caption, TextLayout layout)
{
    text(rect, caption, style_.normalFont, style_.textColour, layout);
}

void SkinPainter::text(const QRect& rect, const QString& caption, const QFont& font, const QColor& colour,
                       TextLayout layout)
{
    if (!dc_.isActive() || caption.isEmpty())
        return;
    QPainter& painter = dc_.painter();
    // Labels are drawn over the artwork with a transparent background.
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setFont(font);
    painter.setPen(colour);
    // A label wider than its rectangle overflows evenly rather than being cut:
    // the fonts found on the system may run wider than the designed ones.
    painter.drawText(rect, alignmentOf(layout) | Qt::TextSingleLine | Qt::TextDontClip, caption);
}

void SkinPainter::title(const QRect& rect, const QString& caption)
{
    text(rect, caption, style_.titleFont, SkinStyle::titleColour(), TextLayout::Centred);
}

void SkinPainter::imageButton(const ImageButton& button, bool over, const QString& caption)
{
    image(over ? button.overImage : button.normalImage, button.rect.topLeft());
    label(button.rect, caption, TextLayout::Centred);
}

} // namespace kestrel
