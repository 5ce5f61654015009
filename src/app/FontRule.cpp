#include "app/FontRule.h"

#include <QFontMetrics>

#include <algorithm>

namespace kestrel {

namespace {

constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;

const QString kHeiTi = QStringLiteral("黑体");
const QString kSongTi = QStringLiteral("宋体");

FontPair chinese(const QString& face, int normalHeight)
{
    return {{face, normalHeight, kNormalWeight}, {face, 18, kBoldWeight}};
}

} // namespace

FontPair FontRule::choose(Language language, bool windows62)
{
    switch (language) {
    case Language::SimplifiedChinese:
        return chinese(windows62 ? kHeiTi : kSongTi, 13);
    case Language::TraditionalChinese:
        return chinese(kHeiTi, 14);
    case Language::English:
        break;
    }
    return {{QStringLiteral("Arial"), 14, kNormalWeight}, {QStringLiteral("Tahoma"), 18, kBoldWeight}};
}

QFont FontRule::toFont(const FontChoice& choice)
{
    QFont font(choice.face);
    font.setWeight(static_cast<QFont::Weight>(choice.weight));
    font.setPixelSize(choice.height);
    // The designed height is a character cell (ascent plus descent), while a
    // pixel size sets the em, which is smaller: scale the em so that the
    // font's line height is the designed cell, and never taller than it.
    const int measured = QFontMetrics(font).height();
    if (measured <= 0 || measured == choice.height)
        return font;
    font.setPixelSize(std::max(1, (choice.height * choice.height + measured / 2) / measured));
    while (font.pixelSize() > 1 && QFontMetrics(font).height() > choice.height)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

} // namespace kestrel
