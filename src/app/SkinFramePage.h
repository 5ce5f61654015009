#pragma once

#include "BasicPage.h"

namespace kestrel {

class MainWindowSkin;
struct DlgResources;
struct ProgramState;

// The page the window shows until the settings pages take over: the fixed
// frame of the basic settings page (artwork, window and captioned buttons,
// key drop-downs, title and headings) composed onto the skinned surface.
class SkinFramePage final : public BasicPage {
public:
    SkinFramePage(MainWindowSkin& skin, const DlgResources& resources, const ProgramState& state);

    void build() override;
    void tearDown() override;

private:
    MainWindowSkin& skin_;
    const DlgResources& resources_;
    const ProgramState& state_;
};

} // namespace kestrel
