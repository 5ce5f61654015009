#include "skin/FontFit.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace kestrel {

QFont FontFit::toFit(const QFont& font, const QString& text, int room)
{
    QFont smaller = font;
    for (int size = QFontInfo(font).pixelSize();
         QFontMetrics(smaller).horizontalAdvance(text) > room && size > kSmallestPixelSize;)
        smaller.setPixelSize(--size);
    return smaller;
}

QFont FontFit::toFitAll(const QFont& font, const QStringList& texts, int room)
{
    QFont smallest = font;
    for (const QString& text : texts) {
        const QFont fitting = toFit(font, text, room);
        if (QFontInfo(fitting).pixelSize() < QFontInfo(smallest).pixelSize())
            smallest = fitting;
    }
    return smallest;
}

} // namespace kestrel
