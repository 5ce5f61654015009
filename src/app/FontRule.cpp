#include "FontRule.h"

#include <QOperatingSystemVersion>

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

bool FontRule::isWindows62()
{
    const auto version = QOperatingSystemVersion::current();
    return version.type() == QOperatingSystemVersion::Windows && version.majorVersion() == 6 &&
           version.minorVersion() == 2;
}

QFont FontRule::toFont(const FontChoice& choice)
{
    QFont font(choice.face);
    font.setPixelSize(choice.height);
    font.setWeight(static_cast<QFont::Weight>(choice.weight));
    return font;
}

} // namespace kestrel
