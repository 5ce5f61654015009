#pragma once

#include "config/ProfileData.h"
#include "config/ProfileRule.h"

namespace kestrel {

// The profile document of a config.bin with its captions: every byte of the
// file, by name, in the order a person reads the window.
class ProfileWriter {
public:
    static ProfileRule::Json write(const ProfileData& data);

private:
    static ProfileRule::Json stages(const ProfileData& data);
    static ProfileRule::Json lighting(const SettingsRecord& record);
    static ProfileRule::Json button(const ProfileData& data, KeyGroup group, int button);
    static ProfileRule::Json functionValues(const ProfileData& data, std::uint8_t function, KeyGroup group, int button);
};

} // namespace kestrel
