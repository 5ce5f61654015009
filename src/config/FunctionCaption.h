#pragma once

#include "config/Language.h"
#include "config/SettingsRecord.h"
#include "config/TextTable.h"

#include <array>
#include <cstdint>
#include <string>

namespace kestrel {

// The caption the page gives a button when its function is chosen, made
// again from what the settings record holds for the button: the function's
// row text, with the dialog's choice where the function has one. For a key
// group whose captions are missing from str.ini (a language changed by hand).
class FunctionCaption {
public:
    // The rows of the DPI sub-list, which are also the captions of "DPI Switch".
    static constexpr std::array<const char*, 3> kDpiSwitchCaptions{"DPI +", "DPI -", "DPI Loop"};

    static std::string of(const SettingsRecord& settings, KeyGroup group, int button, Language language,
                          const TextTable& texts, std::uint8_t sensorType);

private:
    static std::string choiceOf(const SettingsRecord& settings, KeyGroup group, int button, Language language,
                                std::uint8_t sensorType, KeyFunctionCode code);
};

} // namespace kestrel
