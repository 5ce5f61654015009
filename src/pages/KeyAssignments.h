#pragma once

#include "config/KeyFunctionCode.h"
#include "config/SettingsRecord.h"
#include "config/StrIniSettings.h"

#include <string>

namespace kestrel {

// The rules that tie the key page's function codes to its captions. Buttons
// are 0..7. "Shift" is one
// button shared by both groups: setting it sets both, and changing a button
// away from it changes both, captions and per-button values alike, so the
// other group never shows a caption its button does not hold.
class KeyAssignments {
public:
    KeyAssignments(SettingsRecord& settings, StrIniSettings::Captions& captions);

    // The key group shown; a stored value other than 1 shows "Mode A".
    KeyGroup shownGroup() const;
    const std::string& caption(KeyGroup group, int button) const;
    void setCaption(KeyGroup group, int button, const std::string& text);

    // The left-click guard: the button is the only one of the eight in its
    // group (the hidden eighth included) that holds "Left Click".
    bool isOnlyLeftClick(KeyGroup group, int button) const;
    bool groupHasShift(KeyGroup group) const;

    // "Shift" for the button in both groups, with the caption in both.
    void assignShift(int button, const std::string& caption);
    // A code chosen from the function list (with its values already stored
    // for this group): a button that held "Shift" leaves it in both groups.
    void assign(KeyGroup group, int button, KeyFunctionCode code, const std::string& caption);
    // A "DPI Switch" mode from the DPI sub-list: this group only.
    void assignDpiSwitch(KeyGroup group, int button, DpiSwitchMode mode, const std::string& caption);
    // The "Default" button: default functions and the given captions.
    void restoreDefaults(const StrIniSettings::Captions& defaults);

private:
    void copyButtonValues(KeyGroup fromGroup, KeyGroup toGroup, int button);

    SettingsRecord& settings_;
    StrIniSettings::Captions& captions_;
};

} // namespace kestrel
