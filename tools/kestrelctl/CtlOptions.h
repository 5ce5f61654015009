#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::ctl {

// The command line of kestrelctl: global options anywhere, then a command
// with its own arguments.
struct CtlOptions {
    bool simulate = false;
    std::optional<std::filesystem::path> simulatedStateFile;
    bool trace = false;
    bool help = false;     // --help or -h
    bool version = false;  // --version
    std::string command;
    std::vector<std::string> arguments;          // positional arguments of the command
    std::optional<std::filesystem::path> image;  // compose --image IMAGE
    std::optional<std::filesystem::path> output; // export -o FILE
    std::optional<std::filesystem::path> to;     // import --to CONFIG
    std::optional<std::uint8_t> sensorType;      // --sensor TYPE, 0-3
    bool verify = false;                         // apply --verify
    bool overwriteConfig = false;                // export --overwrite-config

    // nullopt with `error` set for an unknown option or a missing value.
    static std::optional<CtlOptions> parse(const std::vector<std::string>& args, std::string& error);
};

} // namespace kestrel::ctl
