#pragma once

#include <filesystem>
#include <system_error>

namespace kestrel {

// Why a settings file was not loaded or stored.
enum class ConfigFileProblem {
    Missing,    // the file does not exist (the program never creates it)
    Unreadable, // it exists but is no regular file or could not be read
    WriteFailed // it could not be replaced
};

struct ConfigFileFailure {
    ConfigFileProblem problem = ConfigFileProblem::Missing;
    std::filesystem::path path;
    std::error_code error; // empty for a missing file
};

} // namespace kestrel
