#pragma once

#include <cstddef>
#include <string_view>

namespace kestrel {

// The parameter texts of the lighting modes, the same in every language:
// brightness for Standard, breathing period for Respiration and the Neon
// period that is only shown. An index outside a list gives an empty text.
class LightingTexts {
public:
    static constexpr std::size_t kStandardCount = 10;
    static constexpr std::size_t kRespirationCount = 5;
    static constexpr std::size_t kNeonCount = 30;

    static std::string_view standardParameter(std::size_t index);
    static std::string_view respirationParameter(std::size_t index);
    static std::string_view neonParameter(std::size_t index);
};

} // namespace kestrel
