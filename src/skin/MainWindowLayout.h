#pragma once

#include "skin/HotRect.h"

#include <QRect>

// Where everything sits on the main window, in client pixels of the skin
// image. The rectangles do not depend on the skin; every skin's artwork is
// drawn to fit them, and the click dispatcher and the pages test them.
namespace kestrel::mainlayout {

inline constexpr int kKeyDropDownCount = 7;
inline constexpr int kReportRateMarkCount = 4;
inline constexpr int kStageCount = 4;
inline constexpr int kMaxDpiCells = 12;

// Window buttons and captioned buttons.
inline constexpr QRect kSkins = hotRect(701, 5, 719, 23);
inline constexpr QRect kMinimise = hotRect(825, 5, 843, 23);
inline constexpr QRect kClose = hotRect(850, 5, 868, 23);
inline constexpr QRect kPageButton = hotRect(44, 54, 84, 94);
inline constexpr QRect kOk = hotRect(562, 623, 667, 644);
inline constexpr QRect kApply = hotRect(666, 623, 771, 644);
inline constexpr QRect kCancel = hotRect(770, 623, 875, 644);
inline constexpr QRect kModeA = hotRect(253, 518, 358, 539);
inline constexpr QRect kModeB = hotRect(357, 518, 462, 539);
inline constexpr QRect kDefault = hotRect(307, 549, 412, 570);

// Page title and section headings.
inline constexpr QRect kTitle = hotRect(90, 51, 236, 99);
inline constexpr QRect kKeySettingHeading = hotRect(259, 160, 364, 181);
inline constexpr QRect kReportRateHeading = hotRect(504, 161, 609, 182);
inline constexpr QRect kDpiSettingHeading = hotRect(504, 275, 609, 296);
inline constexpr QRect kDpiEffectHeading = hotRect(704, 275, 809, 296);

// Key drop-down k and its function list, k = 1..7.
constexpr QRect keyDropDown(int k) { return hotRect(252, 199 + 23 * (k - 1), 463, 220 + 23 * (k - 1)); }
constexpr QRect functionList(int k) { return hotRect(252, 221 + 23 * (k - 1), 463, 451 + 23 * (k - 1)); }

// Report-rate mark i, i = 1..4, and the label under it.
constexpr QRect reportRateMark(int i) { return hotRect(542 + 72 * (i - 1), 204, 612 + 72 * (i - 1), 215); }
constexpr QRect reportRateLabel(int i) { return hotRect(542 + 72 * (i - 1), 225, 612 + 72 * (i - 1), 245); }

// DPI stage c = 1..4: cell s = 1..12 (1 is the bottom one), the colour
// swatch, the select box and the stage digit.
constexpr int stageColumnLeft(int c) { return 554 + 27 * (c - 1); }
constexpr QRect dpiCell(int c, int s)
{
    return hotRect(stageColumnLeft(c), 500 - 18 * (s - 1), stageColumnLeft(c) + 16, 516 - 18 * (s - 1));
}
constexpr QRect colourSwatch(int c) { return hotRect(stageColumnLeft(c), 523, stageColumnLeft(c) + 16, 539); }
constexpr QRect stageSelectBox(int c) { return hotRect(stageColumnLeft(c), 541, stageColumnLeft(c) + 16, 557); }
constexpr QRect stageDigit(int c) { return hotRect(stageColumnLeft(c), 562, stageColumnLeft(c) + 16, 587); }
inline constexpr QRect kColourLabel = hotRect(494, 523, 544, 539);
inline constexpr QRect kSelectLabel = hotRect(494, 541, 544, 557);

// The lighting panel: reacting boxes, value boxes, labels and lists.
inline constexpr QRect kModeBox = hotRect(767, 330, 851, 344);
inline constexpr QRect kParameterBox = hotRect(767, 360, 851, 374);
inline constexpr QRect kEffectBox = hotRect(767, 390, 851, 404);
inline constexpr QRect kModeValue = hotRect(767, 330, 835, 344);
inline constexpr QRect kParameterValue = hotRect(767, 360, 835, 374);
inline constexpr QRect kEffectValue = hotRect(767, 390, 835, 404);
inline constexpr QRect kModeLabel = hotRect(697, 330, 757, 344);
inline constexpr QRect kParameterLabel = hotRect(697, 360, 757, 374);
inline constexpr QRect kEffectLabel = hotRect(697, 390, 757, 404);
inline constexpr QRect kModeList = hotRect(766, 347, 851, 407);
inline constexpr QRect kParameterListLong = hotRect(767, 377, 851, 547);
inline constexpr QRect kParameterListShort = hotRect(767, 377, 851, 467);

} // namespace kestrel::mainlayout
