#pragma once

#include "config/Language.h"
#include "config/ProfileData.h"
#include "config/ProfileRule.h"
#include "config/ProgramFolder.h"

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
    // A document with thousands of mistakes says enough with the first ones.
    static constexpr std::size_t kMaxListedProblems = 20;

    // What a file named as settings turned out to hold.
    struct FileRead {
        std::optional<ProfileRule::Json> document; // a profile
        // No JSON text, or nothing could be read: a config.bin, if anything,
        // whose own reading says what is wrong with it.
        bool notAProfile = false;
        std::string error;                         // why neither, "FILE: ..."
    };
    static FileRead readProfile(const std::filesystem::path& path);

    // What the settings are loaded for. A profile that is to be stored or
    // sent must also keep the rules the window keeps; one that is only
    // compared need not.
    enum class Purpose { Compare, Use };

    // Settings of either kind, a profile over what `baseFor` gives; prints
    // every problem and warning and returns nullopt on a problem.
    static std::optional<ProfileData> load(const std::filesystem::path& path,
                                           std::optional<std::uint8_t> targetSensorType, Purpose purpose,
                                           std::ostream& err);
    // A profile document already read from `path`, over `base`.
    static std::optional<ProfileData> fromProfile(const ProfileRule::Json& document, const std::filesystem::path& path,
                                                  const ProfileData& base, std::optional<std::uint8_t> targetSensorType,
                                                  Purpose purpose, std::ostream& err,
                                                  std::optional<Language> captionLanguage = std::nullopt);

    // What a profile is read over when nothing else is named: nothing for one
    // that sets every setting, else the program's own config.bin, which must
    // then be read completely (a profile never lands on zeros). Says which
    // file it used; when it cannot be read, says why, ending in `outcome`.
    static std::optional<ProfileData> baseFor(const ProfileRule::Json& document, const std::filesystem::path& path,
                                              std::optional<std::uint8_t> targetSensorType, const char* outcome,
                                              std::ostream& err);

    // The program's own folder, decided for the running kestrelctl as the
    // window decides it for itself: portable beside the executable, or the
    // user's per-user folder of an installed program.
    static ProgramFolder programFolder();

    // The config.bin the window would read: the user's own, or the shipped
    // default while an installed program has not yet made the user's copy.
    static std::filesystem::path programConfigBin();
};

} // namespace kestrel::ctl
