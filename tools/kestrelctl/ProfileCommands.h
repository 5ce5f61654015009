#pragma once

#include "CtlOptions.h"

#include "config/ProfileData.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace kestrel::ctl {

// export, import and diff: profiles as files a person can read, keep and script.
class ProfileCommands {
public:
    ProfileCommands(std::ostream& out, std::ostream& err);

    // The command's exit code, or nullopt when the command is not one of these.
    std::optional<int> run(const CtlOptions& options);

private:
    int exportProfile(const CtlOptions& options);
    int importProfile(const CtlOptions& options);
    int diff(const CtlOptions& options);

    // The config.bin that import writes: --to, or the program's own, whose
    // per-user folder is made first when the program is installed.
    std::optional<std::filesystem::path> importTarget(const CtlOptions& options);

    // The profile of a config.bin file, or of the program's own.
    std::optional<ProfileData> loadConfig(const std::filesystem::path& path, std::optional<std::uint8_t> sensorType);

    // The sensor type export names DPI levels by: --sensor, or the mouse's
    // (the simulated one, or a real one when attached). False when a
    // simulated mouse was asked for and could not be read.
    bool exportSensorType(const CtlOptions& options, std::optional<std::uint8_t>& sensorType);

    // Why export must not write its profile over `output`; empty when it may.
    std::string overwriteProblem(const CtlOptions& options, const std::filesystem::path& config) const;

    // Why a file given to import is not one; empty when it reads as a profile.
    static std::string notAProfileProblem(const std::filesystem::path& path, const std::string& error);

    std::ostream& out_;
    std::ostream& err_;
};

} // namespace kestrel::ctl
