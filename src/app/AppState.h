#pragma once

#include "config/Language.h"

#include <string>

namespace kestrel {

// The interface language as str.ini names it. Start-up sets it once, before
// any window or dialog reads it, and nothing changes it afterwards. The skin
// and the fonts are the skin settings'; the sensor type is the device state's.
struct AppState {
    std::string languageCode;

    Language language() const { return languageFromCode(languageCode); }
};

} // namespace kestrel
