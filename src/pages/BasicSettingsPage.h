#pragma once

#include "pages/DpiPanel.h"
#include "pages/KeySettingPanel.h"
#include "pages/LightingPanel.h"
#include "pages/PageHost.h"

#include "skin/ClickActions.h"
#include "skin/PopupListSet.h"

namespace kestrel {

// The basic settings page: the key setting, report-rate and DPI, and
// lighting sections composed onto the main window's surface. While it lives
// it answers the page's hot rectangles and its popup lists. Building draws
// the whole page (the first build of a run with a never-applied config.bin
// first resets the key captions to the defaults and stores them) and makes
// its child controls; tearing down destroys them and every popup list.
class BasicSettingsPage final : public PageClickActions, private PopupListListener {
public:
    explicit BasicSettingsPage(const PageContext& context);
    ~BasicSettingsPage() override;
    BasicSettingsPage(const BasicSettingsPage&) = delete;
    BasicSettingsPage& operator=(const BasicSettingsPage&) = delete;

    void build();
    void tearDown();

    KeySettingPanel& keys() { return keys_; }
    DpiPanel& dpi() { return dpi_; }
    LightingPanel& lighting() { return lighting_; }

    void showKeyGroup(KeyGroup group) override { keys_.showKeyGroup(group); }
    void defaultKeys() override { keys_.restoreDefaults(); }
    void keyDropDown(int k) override { keys_.dropDownClicked(k); }
    void reportRateMark(int mark) override { dpi_.selectReportRate(mark); }
    void stageSelectBox(int stage) override { dpi_.toggleStage(stage); }
    void colourSwatch(int stage) override { lighting_.swatchPressed(stage); }
    void modeBox() override { lighting_.modeBoxPressed(); }
    void parameterBox() override { lighting_.parameterBoxPressed(); }
    void effectBox() override { lighting_.effectBoxPressed(); }
    void dpiCell(int stage, int step) override { dpi_.setLevel(stage, step); }

private:
    void listChosen(PopupListId id) override;
    void listRowHovered(PopupListId id, int row) override;
    void compose();

    PageContext context_;
    KeySettingPanel keys_;
    DpiPanel dpi_;
    LightingPanel lighting_;
};

} // namespace kestrel
