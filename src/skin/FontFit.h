#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace kestrel {

// Keeps a text whole where its room is fixed: the font is set smaller, a
// pixel at a time down to a floor that still reads, until the text fits.
// What is still too wide at the floor is for the caller to cut.
class FontFit {
public:
    static constexpr int kSmallestPixelSize = 9;

    // The font, or a smaller one, in which the text is at most `room` pixels wide.
    static QFont toFit(const QFont& font, const QString& text, int room);
    // The same for the widest of the texts, so that they keep one size.
    static QFont toFitAll(const QFont& font, const QStringList& texts, int room);
};

} // namespace kestrel
