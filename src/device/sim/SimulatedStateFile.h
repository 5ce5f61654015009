#pragma once

#include "config/ConfigImage.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace kestrel {

// The simulated mouse's image kept between runs as 322 raw bytes, status pair
// first.
class SimulatedStateFile {
public:
    // Reads the image, or creates the file with `initial` when it is missing.
    // nullopt with a readable `error` when the file is of another size or
    // cannot be read or created.
    static std::optional<ConfigImage> loadOrCreate(const std::filesystem::path& file, const ConfigImage& initial,
                                                   std::string& error);
    // Replaces the file in one step so that an interrupted save keeps the old
    // image; the error when it could not.
    static std::error_code save(const std::filesystem::path& file, const ConfigImage& image);
};

} // namespace kestrel
