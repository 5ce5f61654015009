#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>
#include <vector>

namespace kestrel {

// Whole-file byte access for the program's small files.
//
// Replacing a file writes the new contents to a temporary file beside it,
// created exclusively under an unpredictable name (so nothing planted there,
// a symbolic link least of all, is ever followed), and then renames it over
// the file: a failure at any point leaves the old file intact. The replaced
// file keeps its permission bits (on Windows its access list and attributes).
// Where the folder takes no new files but the file itself may be written (a
// shared installation), the file is rewritten in place instead. A save also
// removes what killed saves left of their own temporaries (see
// StaleTemporaries). Error codes are the platform's (errno values, or Windows
// error codes; there, "not found" and "access denied" come as their portable
// std::errc values) or a FileRefusal. On Windows paths of any length work,
// with or without long paths enabled.
class BinaryFile {
public:
    struct ReadResult {
        std::vector<std::uint8_t> bytes;
        std::error_code error;
    };

    // Reads the whole file, which may hold at most maxBytes. A missing file
    // is an error; so is anything but a regular file (refused without
    // waiting, so a FIFO or a device cannot hang the program) and a file of
    // more than maxBytes (refused after reading one byte more, whatever size
    // it claims). On an error no bytes are returned.
    static ReadResult read(const std::filesystem::path& path, std::size_t maxBytes);

    // Replaces (or creates) the file with the given contents. A file this
    // user may not write, a read-only one included, is refused as
    // permission_denied and left as it is.
    // A symbolic link at `path` is followed: the file it names is replaced.
    static std::error_code replace(const std::filesystem::path& path, std::span<const std::uint8_t> contents);
};

} // namespace kestrel
