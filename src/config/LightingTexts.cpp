#include "config/LightingTexts.h"

#include <array>

namespace kestrel {

namespace {

constexpr std::array<std::string_view, LightingTexts::kStandardCount> kStandard{
    "5%", "15%", "25%", "35%", "45%", "55%", "65%", "75%", "85%", "100%"};
constexpr std::array<std::string_view, LightingTexts::kRespirationCount> kRespiration{"8S", "7S", "6S", "5S", "4S"};
// Half-second steps from 0.5 s to 15 s.
constexpr std::array<std::string_view, LightingTexts::kNeonCount> kNeon{
    "0.5S", "1S",  "1.5S", "2S",  "2.5S", "3S",  "3.5S", "4S",  "4.5S", "5S",
    "5.5S", "6S",  "6.5S", "7S",  "7.5S", "8S",  "8.5S", "9S",  "9.5S", "10S",
    "10.5S", "11S", "11.5S", "12S", "12.5S", "13S", "13.5S", "14S", "14.5S", "15S"};

template <std::size_t N>
std::string_view textAt(const std::array<std::string_view, N>& texts, std::size_t index)
{
    return index < texts.size() ? texts[index] : std::string_view{};
}

} // namespace

std::string_view LightingTexts::standardParameter(std::size_t index)
{
    return textAt(kStandard, index);
}

std::string_view LightingTexts::respirationParameter(std::size_t index)
{
    return textAt(kRespiration, index);
}

std::string_view LightingTexts::neonParameter(std::size_t index)
{
    return textAt(kNeon, index);
}

} // namespace kestrel
