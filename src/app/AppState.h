#pragma once

#include "config/Language.h"
#include "config/SettingsRecord.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace kestrel {

// What every skinned window reads from the application: where the skin is,
// the colour of captions and labels and the language.
struct AppState {
    std::filesystem::path skinFolder;
    std::string skinName;
    // Green until start-up reads str.ini.
    Rgb textColour{0, 255, 0};
    std::string languageCode;

    Language language() const { return languageFromCode(languageCode); }
};

} // namespace kestrel
