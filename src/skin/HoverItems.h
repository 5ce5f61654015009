#pragma once

#include "skin/MainWindowLayout.h"
#include "skin/SkinFiles.h"
#include "skin/SkinPainter.h"

#include <array>
#include <cstddef>

namespace kestrel {

// The main window's hover-capable items, in the order a hover notice tests them.
enum class HoverId {
    Ok,
    Apply,
    Cancel,
    Skins,
    Close,
    Minimise,
    PageButton,
    Default,
    KeyDropDown1,
    KeyDropDown2,
    KeyDropDown3,
    KeyDropDown4,
    KeyDropDown5,
    KeyDropDown6,
    KeyDropDown7,
};
inline constexpr std::size_t kHoverItemCount = 15;

// Items of a group leave their hover state when another member is hovered;
// solo items only when the pointer reaches a plain part of the window.
enum class HoverGroup { ButtonTrio, Solo, KeyDropDowns };

// What is drawn with the item's image.
enum class HoverCaption { None, ButtonCaption, KeyCaption };

struct HoverItem {
    HoverId id;
    ImageButton button;
    HoverGroup group;
    HoverCaption caption;
    bool needsBuiltPage;
};

constexpr HoverItem keyDropDownItem(int k)
{
    return {static_cast<HoverId>(static_cast<int>(HoverId::KeyDropDown1) + k - 1),
            {mainlayout::keyDropDown(k), skinfiles::kDropDownNormal, skinfiles::kDropDownOver},
            HoverGroup::KeyDropDowns,
            HoverCaption::KeyCaption,
            true};
}

// Index i of the table is the item with HoverId i.
inline constexpr std::array<HoverItem, kHoverItemCount> kHoverItems = {{
    {HoverId::Ok, {mainlayout::kOk, skinfiles::kButtonNormal, skinfiles::kButtonOver}, HoverGroup::ButtonTrio,
     HoverCaption::ButtonCaption, false},
    {HoverId::Apply, {mainlayout::kApply, skinfiles::kButtonNormal, skinfiles::kButtonOver}, HoverGroup::ButtonTrio,
     HoverCaption::ButtonCaption, false},
    {HoverId::Cancel, {mainlayout::kCancel, skinfiles::kButtonNormal, skinfiles::kButtonOver}, HoverGroup::ButtonTrio,
     HoverCaption::ButtonCaption, false},
    {HoverId::Skins, {mainlayout::kSkins, skinfiles::kSkinsNormal, skinfiles::kSkinsOver}, HoverGroup::Solo,
     HoverCaption::None, false},
    {HoverId::Close, {mainlayout::kClose, skinfiles::kCloseNormal, skinfiles::kCloseOver}, HoverGroup::Solo,
     HoverCaption::None, false},
    {HoverId::Minimise, {mainlayout::kMinimise, skinfiles::kMinimiseNormal, skinfiles::kMinimiseOver},
     HoverGroup::Solo, HoverCaption::None, false},
    {HoverId::PageButton, {mainlayout::kPageButton, skinfiles::kPageButtonNormal, skinfiles::kPageButtonOver},
     HoverGroup::Solo, HoverCaption::None, false},
    {HoverId::Default, {mainlayout::kDefault, skinfiles::kButtonNormal, skinfiles::kButtonOver}, HoverGroup::Solo,
     HoverCaption::ButtonCaption, true},
    keyDropDownItem(1),
    keyDropDownItem(2),
    keyDropDownItem(3),
    keyDropDownItem(4),
    keyDropDownItem(5),
    keyDropDownItem(6),
    keyDropDownItem(7),
}};

static_assert(kHoverItems[static_cast<std::size_t>(HoverId::KeyDropDown7)].id == HoverId::KeyDropDown7);

constexpr const HoverItem& hoverItem(HoverId id) { return kHoverItems[static_cast<std::size_t>(id)]; }
// 1..7 for a key drop-down, 0 for any other item.
constexpr int keyDropDownNumber(HoverId id)
{
    const int offset = static_cast<int>(id) - static_cast<int>(HoverId::KeyDropDown1);
    return offset >= 0 ? offset + 1 : 0;
}

} // namespace kestrel
