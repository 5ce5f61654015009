#pragma once

#include "config/ProfileRule.h"

#include <cstdint>
#include <optional>

namespace kestrel {

// The rules of every value a profile holds, named as the window shows them
// (English texts) and in the units a person thinks in.
class ProfileRules {
public:
    static const ProfileRule& reportRate();
    static const ProfileRule& keyGroup();
    static const ProfileRule& stageEnabled();
    static const ProfileRule& firstRun();
    static const ProfileRule& lightingMode();
    static const ProfileRule& effect();
    static const ProfileRule& brightness();
    static const ProfileRule& respirationPeriod();
    static const ProfileRule& neonPeriod();
    static const ProfileRule& fireTime();
    static const ProfileRule& function();
    static const ProfileRule& dpiSwitchMode();
    static const ProfileRule& multimediaItem();
    static const ProfileRule& windowsItem();
    static const ProfileRule& hotKeyItem();
    static const ProfileRule& fireKey();
    static const ProfileRule& fireTimes();
    static const ProfileRule& fireKeyCode();
    static const ProfileRule& singleKey();
    static const ProfileRule& reservedByte();
    static const ProfileRule& sensorType();
    // DPI labels of a sensor type as numbers, for its level indices. With no
    // sensor type known only the level index itself, as {"byte": N}.
    static ProfileRule dpiLevel(std::optional<std::uint8_t> sensorType);
};

} // namespace kestrel
