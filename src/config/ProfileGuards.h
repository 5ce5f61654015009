#pragma once

#include "config/SettingsRecord.h"

#include <string>
#include <vector>

namespace kestrel {

// The window never lets a key group lose its last "Left Click" (the user
// would be left without a way to click) nor the DPI stages their last one in
// use. Settings from a profile have not passed through the window, so they
// are held to the same rules before they are stored or sent to the mouse.
class ProfileGuards {
public:
    // One line per broken rule, named by the profile path it concerns; empty
    // when the record keeps both rules.
    static std::vector<std::string> problems(const SettingsRecord& record);
};

} // namespace kestrel
