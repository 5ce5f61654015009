#include "skin/BasicPageFrame.h"

#include "skin/HoverItems.h"
#include "skin/MainWindowLayout.h"
#include "skin/MainWindowSkin.h"
#include "skin/SkinFiles.h"
#include "skin/SkinPainter.h"

#include <array>
#include <utility>

namespace kestrel {

namespace {

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

} // namespace

void BasicPageFrame::draw(SkinPainter& painter, const MainWindowSkin& skin, const TextTable& texts, KeyGroup shownGroup)
{
    painter.image(skinfiles::kBasicPage, {0, 0});
    for (const HoverItem& item : kHoverItems)
        skin.drawHoverItem(painter, item.id, false);
    painter.title(mainlayout::kTitle, text(texts.basicSettings));
    const std::array<std::pair<QRect, const std::string*>, 4> headings = {{
        {mainlayout::kKeySettingHeading, &texts.keySetting},
        {mainlayout::kReportRateHeading, &texts.reportRateSetting},
        {mainlayout::kDpiSettingHeading, &texts.dpiSetting},
        {mainlayout::kDpiEffectHeading, &texts.dpiEffect},
    }};
    for (const auto& [rect, heading] : headings)
        painter.label(rect, text(*heading), TextLayout::Centred);
    drawKeyGroupButtons(painter, shownGroup);
}

void BasicPageFrame::drawKeyGroupButtons(SkinPainter& painter, KeyGroup shownGroup)
{
    // "Mode A" and "Mode B" read the same in every language.
    painter.imageButton({mainlayout::kModeA, skinfiles::kButtonNormal, skinfiles::kButtonOver},
                        shownGroup == KeyGroup::ModeA, QStringLiteral("Mode A"));
    painter.imageButton({mainlayout::kModeB, skinfiles::kButtonNormal, skinfiles::kButtonOver},
                        shownGroup == KeyGroup::ModeB, QStringLiteral("Mode B"));
}

QString BasicPageFrame::buttonCaption(const TextTable& texts, HoverId id)
{
    switch (id) {
    case HoverId::Ok:
        return text(texts.ok);
    case HoverId::Apply:
        return text(texts.apply);
    case HoverId::Cancel:
        return text(texts.cancel);
    case HoverId::Default:
        return text(texts.defaultKeys);
    default:
        return QString();
    }
}

} // namespace kestrel
