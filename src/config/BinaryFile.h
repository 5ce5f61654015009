#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <span>
#include <system_error>
#include <vector>

namespace kestrel {

// Whole-file byte access for the program's small files. Replacing a file is
// atomic: the new contents go to "<name>.tmp" in the same folder and are then
// renamed over the file, so a failure at any point leaves the old file intact.
// Error codes are the platform's (errno values, or Windows error codes).
class BinaryFile {
public:
    struct ReadResult {
        std::vector<std::uint8_t> bytes;
        std::error_code error;
    };

    // Reads the file, at most maxBytes of it. A missing file is an error.
    static ReadResult read(const std::filesystem::path& path,
                           std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

    // Replaces (or creates) the file with the given contents. A file whose
    // owner may not write it stays read-only: that is refused as
    // permission_denied rather than silently replaced.
    static std::error_code replace(const std::filesystem::path& path, std::span<const std::uint8_t> contents);

    static std::filesystem::path temporaryPathFor(const std::filesystem::path& path);
};

} // namespace kestrel
