#pragma once

#include <string_view>

// The file names of a skin's images, each appended to the skin folder as
// written. The skin generator writes exactly these files.
namespace kestrel::skinfiles {

inline constexpr std::string_view kMain = "/main.png";
inline constexpr std::string_view kBasicPage = "/BasicSet2.png";
inline constexpr std::string_view kMinimiseNormal = "/button-min-normal.png";
inline constexpr std::string_view kMinimiseOver = "/button-min-over.png";
inline constexpr std::string_view kCloseNormal = "/button-close-normal.png";
inline constexpr std::string_view kCloseOver = "/button-close-over.png";
inline constexpr std::string_view kSkinsNormal = "/button-Skins-normal.png";
inline constexpr std::string_view kSkinsOver = "/button-Skins-over.png";
inline constexpr std::string_view kPageButtonNormal = "/button-PrePage-normal.png";
inline constexpr std::string_view kPageButtonOver = "/button-PrePage-over.png";
inline constexpr std::string_view kButtonNormal = "/button-normal.png";
inline constexpr std::string_view kButtonOver = "/button-over.png";
inline constexpr std::string_view kDropDownNormal = "/DropdownBox-normal.png";
inline constexpr std::string_view kDropDownOver = "/DropdownBox-over.png";
inline constexpr std::string_view kReportRateDark = "/slider-RP-dark.png";
inline constexpr std::string_view kReportRateLight = "/slider-RP-light.png";
inline constexpr std::string_view kDpiCellDark = "/slider-DPI-dark.png";
inline constexpr std::string_view kDpiCellLight = "/slider-DPI-light.png";
inline constexpr std::string_view kStageOff = "/Pane.png";
inline constexpr std::string_view kStageOn = "/PaneMakingTick.png";

// Sub-dialog backgrounds.
inline constexpr std::string_view kFireKeyDialog = "/fire-key.png";
inline constexpr std::string_view kHotKeyDialog = "/hot-key.png";
inline constexpr std::string_view kMediaDialog = "/media-key.png";
inline constexpr std::string_view kSingleKeyDialog = "/single-key.png";
inline constexpr std::string_view kSnipeKeyDialog = "/snipe-key.png";
inline constexpr std::string_view kWindowsKeyDialog = "/windows-key.png";
inline constexpr std::string_view kSkinsDialog = "/skins.png";

} // namespace kestrel::skinfiles
