#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrel {

// The parameter texts of the lighting modes, the same in every language:
// brightness for Standard, breathing period for Respiration and the Neon
// period that is only shown. An index outside a list gives an empty text.
class LightingTexts {
public:
    // The lighting modes as the settings record and the mouse code them;
    // Neon is only ever shown, never chosen or sent.
    static constexpr std::uint8_t kModeOff = 0;
    static constexpr std::uint8_t kModeStandard = 1;
    static constexpr std::uint8_t kModeRespiration = 2;
    static constexpr std::uint8_t kModeNeon = 3;

    static constexpr std::size_t kStandardCount = 10;
    static constexpr std::size_t kRespirationCount = 5;
    static constexpr std::size_t kNeonCount = 30;

    static std::string_view standardParameter(std::size_t index);
    static std::string_view respirationParameter(std::size_t index);
    static std::string_view neonParameter(std::size_t index);
};

} // namespace kestrel
