#pragma once

#include "SettingsRecord.h"
#include "StrIniSettings.h"

#include <cstdint>

namespace kestrel {

// Everything a profile file holds: config.bin (first-run flag and settings
// record), the key captions of str.ini, and the sensor type whose DPI labels
// name the record's DPI levels.
struct ProfileData {
    std::uint8_t firstRunFlag = 0;
    SettingsRecord record;
    StrIniSettings::Captions captions;
    std::uint8_t sensorType = 0;

    friend bool operator==(const ProfileData&, const ProfileData&) = default;
};

} // namespace kestrel
