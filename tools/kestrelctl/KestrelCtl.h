#pragma once

#include "CtlOptions.h"

#include "config/ProfileRule.h"
#include "config/SettingsRecord.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrel::ctl {

// The headless face of the program: reads, shows, composes and applies
// configurations on a real or simulated mouse. Exit codes: 0 success,
// 1 a failure (file, mouse or check), 2 a usage error.
class KestrelCtl {
public:
    KestrelCtl(std::ostream& out, std::ostream& err);
    int run(const std::vector<std::string>& args);

private:
    int read(const CtlOptions& options);
    int compose(const CtlOptions& options);
    int apply(const CtlOptions& options);
    int show(const CtlOptions& options);
    std::optional<SettingsRecord> profileRecord(const ProfileRule::Json& profile, const std::filesystem::path& file,
                                                std::uint8_t sensorType);
    int usage(const std::string& problem);
    bool expectArguments(const CtlOptions& options, std::size_t count);

    // A file that must hold exactly `size` bytes; prints why when it does not.
    std::optional<std::vector<std::uint8_t>> readExactFile(const std::string& name, std::size_t size,
                                                           const char* what);
    std::optional<SettingsRecord> readConfigBin(const std::string& path);

    std::ostream& out_;
    std::ostream& err_;
};

} // namespace kestrel::ctl
