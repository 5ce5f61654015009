#pragma once

#include <BackendFactory.h>

#include <optional>
#include <string>
#include <vector>

namespace kestrel {

// The window program's command line: "--simulate[=FILE]" runs it against the
// simulated mouse (with FILE, its image is kept there between runs), "--help"
// prints the usage. The environment variable KESTREL_SIMULATE means the same
// when the command line does not say: empty or "1" for the simulated mouse
// without a file, "0" for none, anything else names FILE.
struct AppOptions {
    static constexpr const char* kUsage =
        "usage: kestrel [--simulate[=FILE]]\n"
        "\n"
        "  --simulate[=FILE]  use the simulated mouse; with FILE its image is kept in FILE\n"
        "  --help             print this help\n"
        "\n"
        "KESTREL_SIMULATE=FILE (or empty or 1 for no file) in the environment does the same as --simulate.\n";

    BackendChoice backend;
    bool help = false;

    // nullopt with `error` set for an unknown argument or a missing file name.
    static std::optional<AppOptions> parse(const std::vector<std::string>& args, const char* simulateVariable,
                                           std::string& error);
};

} // namespace kestrel
