#pragma once

#include "config/KeyFunctionCode.h"
#include "config/Language.h"

#include <array>
#include <cstddef>
#include <string>

namespace kestrel {

// The main window's texts in one language (UTF-8), filled once at start-up.
// Arrays follow the values they name: lighting mode and effect 0..3, key
// function codes 0..13, DPI stages 1..4, key groups 1..2.
struct TextTable {
    static constexpr std::size_t kLightingChoiceCount = 4;
    static constexpr std::size_t kReportRateCount = 4;
    static constexpr std::size_t kDpiStageCount = 4;
    static constexpr std::size_t kKeyGroupCount = 2;

    static TextTable forLanguage(Language language);

    const std::string& keyFunction(KeyFunctionCode code) const { return keyFunctions[static_cast<std::size_t>(code)]; }

    // Page headings and buttons of the main window.
    std::string basicSettings;
    std::string ok;
    std::string apply;
    std::string cancel;
    std::string keySetting;
    std::string reportRateSetting;
    std::string dpiSetting;
    // The button that restores the default key functions.
    std::string defaultKeys;
    std::string dpiEffect;
    std::string mode;
    std::string parameter;
    std::string effect;

    std::array<std::string, kLightingChoiceCount> lightingModes;
    std::array<std::string, kLightingChoiceCount> effects;

    std::array<std::string, kKeyFunctionCount> keyFunctions;
    std::string leftKeyRequired;

    // Report-rate notices for 1000, 500, 250 and 125 Hz, in that order.
    std::array<std::string, kReportRateCount> reportRateNotices;
    // The English texts end with a blank: the DPI value follows directly.
    std::array<std::string, kDpiStageCount> dpiStageNotices;
    std::array<std::string, kKeyGroupCount> keyGroupNotices;
    std::string macroKeyNotice;
    std::string exit;
    std::string mouseNotDetected;
    std::string mouseDetected;

    // Section of str.ini holding this language's key captions.
    std::string iniSection;
};

} // namespace kestrel
