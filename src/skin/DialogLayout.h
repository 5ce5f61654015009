#pragma once

#include "skin/HotRect.h"

#include <QRect>

// Where the sub-dialogs' shared buttons and their own controls sit, in client
// pixels of each dialog's background image.
namespace kestrel::dialoglayout {

inline constexpr QRect kClose = hotRect(352, 6, 370, 24);
inline constexpr QRect kOk = hotRect(166, 253, 271, 274);
inline constexpr QRect kCancel = hotRect(270, 253, 375, 274);

// The drop-down face of the hot key, media, Windows key and skins dialogs,
// and the choice lists below it.
inline constexpr QRect kChoiceFace = hotRect(42, 128, 151, 144);
inline constexpr QRect kChoiceBox = hotRect(42, 128, 136, 144);
inline constexpr QRect kChoiceList = hotRect(42, 146, 151, 266);
inline constexpr QRect kWindowsChoiceList = hotRect(42, 146, 151, 306);

// Fire key dialog.
inline constexpr QRect kFireKeyFace = hotRect(82, 69, 165, 85);
inline constexpr QRect kFireKeyBox = hotRect(82, 69, 150, 85);
inline constexpr QRect kFireKeyList = hotRect(82, 87, 165, 257);
inline constexpr QRect kFireTimesEdit = hotRect(83, 104, 164, 118);
inline constexpr QRect kFireMakeTimeEdit = hotRect(83, 138, 164, 152);
inline constexpr QRect kFireBreakTimeEdit = hotRect(83, 172, 164, 186);

// Single key dialog.
inline constexpr QRect kSingleKeyPrompt = hotRect(43, 108, 181, 124);
inline constexpr QRect kSingleKeyBox = hotRect(73, 128, 151, 144);

// Snipe key dialog.
inline constexpr QRect kSnipeFace = hotRect(42, 105, 151, 121);
inline constexpr QRect kSnipeBox = hotRect(42, 105, 136, 121);
inline constexpr QRect kSnipeList = hotRect(42, 123, 151, 263);

// Skins dialog.
inline constexpr QRect kSkinsSwatch = hotRect(42, 94, 151, 110);
inline constexpr QRect kSkinsPrompt = hotRect(12, 64, 181, 94);

} // namespace kestrel::dialoglayout
