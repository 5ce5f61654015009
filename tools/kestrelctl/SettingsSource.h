#pragma once

#include <ProfileData.h>
#include <ProfileRule.h>
#include <ProgramFolder.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace kestrel::ctl {

// A file of settings as a command names it: a profile or a config.bin (with
// the str.ini beside it), told apart by content.
class SettingsSource {
public:
    // A profile file is text and small; anything larger is not one.
    static constexpr std::size_t kMaxProfileSize = 1 << 20;

    // The profile document of the file, when it is one.
    static std::optional<ProfileRule::Json> readProfile(const std::filesystem::path& path, std::string& error);

    // What the settings are loaded for. A profile that is to be stored or
    // sent must also keep the rules the window keeps; one that is only
    // compared need not.
    enum class Purpose { Compare, Use };

    // Settings of either kind over `base`; prints every problem and warning
    // and returns nullopt on a problem. A profile's DPI values go to the
    // target sensor type when one is given.
    static std::optional<ProfileData> load(const std::filesystem::path& path, const ProfileData& base,
                                           std::optional<std::uint8_t> targetSensorType, Purpose purpose,
                                           std::ostream& err);
    // The same for a profile document already read from `path`.
    static std::optional<ProfileData> fromProfile(const ProfileRule::Json& document, const std::filesystem::path& path,
                                                  const ProfileData& base, std::optional<std::uint8_t> targetSensorType,
                                                  Purpose purpose, std::ostream& err);

    // The program's own folder, decided for the running kestrelctl as the
    // window decides it for itself: portable beside the executable, or the
    // user's per-user folder of an installed program.
    static ProgramFolder programFolder();

    // The config.bin the window would read: the user's own, or the shipped
    // default while an installed program has not yet made the user's copy.
    static std::filesystem::path programConfigBin();
};

} // namespace kestrel::ctl
