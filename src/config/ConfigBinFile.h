#pragma once

#include "config/ConfigFileFailure.h"
#include "config/Outcome.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace kestrel {

// config.bin: exactly 200 bytes, the first-run flag followed by the 199-byte
// settings record. The program never creates the file; a missing file is a
// failure of every load and store. A file of any other size is ignored
// without a failure. A store replaces the file atomically, so a failed store
// keeps the previous contents.
class ConfigBinFile {
public:
    static constexpr std::size_t kRecordSize = 199;
    static constexpr std::size_t kFileSize = 1 + kRecordSize;
    static constexpr std::uint8_t kStoredFirstRunFlag = 1;

    struct LoadResult {
        // Set when the file held exactly 200 bytes.
        std::optional<std::uint8_t> firstRunFlag;
        // Set when the file is missing or could not be read.
        std::optional<ConfigFileFailure> failure;
    };

    explicit ConfigBinFile(std::filesystem::path path);

    // Fills the record and gives the first-run flag when the file holds
    // exactly 200 bytes; otherwise the record is left untouched.
    LoadResult load(std::span<std::uint8_t, kRecordSize> record) const;

    // Writes first-run flag 1 and the record.
    Outcome<ConfigFileFailure> store(std::span<const std::uint8_t, kRecordSize> record) const;

private:
    std::optional<ConfigFileFailure> missing() const;
    ConfigFileFailure failure(ConfigFileProblem problem, const std::error_code& error) const;

    std::filesystem::path path_;
};

} // namespace kestrel
