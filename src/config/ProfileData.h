#pragma once

#include "config/SettingsRecord.h"
#include "config/StrIniSettings.h"

#include <cstdint>
#include <optional>

namespace kestrel {

// Everything a profile file holds: config.bin (first-run flag and settings
// record), the key captions of str.ini ("" where str.ini has none), and the
// sensor type whose DPI labels name the record's DPI levels. config.bin does
// not record the sensor type: it is unknown unless the user or a mouse said
// it, and then the levels are kept as level indices.
struct ProfileData {
    std::uint8_t firstRunFlag = 0;
    SettingsRecord record;
    StrIniSettings::Captions captions;
    std::optional<std::uint8_t> sensorType;

    friend bool operator==(const ProfileData&, const ProfileData&) = default;
};

} // namespace kestrel
