#pragma once

#include "pages/PageHost.h"

#include "dialogs/ChoiceDialog.h"
#include "config/KeyFunctionCode.h"

#include <optional>
#include <string>

class QWidget;

namespace kestrel {

// Runs the sub-dialog of a key function chosen for one button ("Windows",
// "Multimedia", "HotKey", "Fire Key", "Single Key", "Snipe Key"). On OK the
// dialog's values are stored for that button in that key group (the fire
// timing and the snipe DPI once for the whole mouse) and the button's new
// caption is returned; on Cancel nothing is stored and nullopt returned.
// A dialog opens on what the button holds when it has that function already,
// and the fire key dialog always on the mouse's fire timing.
class KeyFunctionDialogs {
public:
    KeyFunctionDialogs(PageHost& host, QWidget& window);

    static bool opensDialog(KeyFunctionCode code);

    std::optional<std::string> run(KeyFunctionCode code, KeyGroup group, int button);

private:
    std::optional<std::string> runWindows(KeyGroup group, int button);
    std::optional<std::string> runMultimedia(KeyGroup group, int button);
    std::optional<std::string> runHotKey(KeyGroup group, int button);
    std::optional<std::string> runFireKey(KeyGroup group, int button);
    std::optional<std::string> runSingleKey(KeyGroup group, int button);
    std::optional<std::string> runSnipeKey(KeyGroup group, int button);

    // Runs a dialog whose result is its choice, opened on the row given;
    // nullopt when cancelled.
    template <typename Dialog>
    std::optional<ChoiceResult> choose(std::optional<int> heldRow);
    bool holds(KeyFunctionCode code, KeyGroup group, int button) const;
    // The row the button holds in the function's list, if it has that function.
    std::optional<int> heldRow(KeyFunctionCode code, KeyGroup group, int button,
                               std::uint8_t (SettingsRecord::*stored)(KeyGroup, int) const) const;
    // The function's row text, a "-" and the dialog's choice.
    std::string prefixed(KeyFunctionCode code, const std::string& choice) const;

    PageHost& host_;
    QWidget& window_;
};

} // namespace kestrel
