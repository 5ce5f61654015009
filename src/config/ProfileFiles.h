#pragma once

#include "config/ProfileData.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace kestrel {

// A config.bin and the str.ini beside it, read and written as one profile.
// The captions are those of the language str.ini names ("Lan").
class ProfileFiles {
public:
    explicit ProfileFiles(std::filesystem::path configBin);

    const std::filesystem::path& configBin() const { return configBin_; }
    std::filesystem::path strIni() const;

    // Fills `data` (the sensor type is the caller's, unknown without one);
    // returns why not when config.bin is missing, unreadable or not 200 bytes.
    std::string load(ProfileData& data, std::optional<std::uint8_t> sensorType) const;

    // The language whose captions str.ini holds.
    Language captionLanguage() const;

    // Replaces config.bin, then the captions in str.ini when they changed. A
    // failure of the second write puts the old config.bin back, so the two
    // files never disagree. Returns why it failed; empty on success.
    std::string store(const ProfileData& data) const;

private:
    std::filesystem::path configBin_;
};

} // namespace kestrel
