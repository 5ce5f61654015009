#pragma once

#include "config/MessageReporter.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace kestrel {

// config.bin: exactly 200 bytes, the first-run flag followed by the 199-byte
// settings record. The program never creates the file; a missing file is
// reported at every load and store. A file of any other size is ignored
// without a message. A store replaces the file atomically, so a failed store
// keeps the previous contents.
class ConfigBinFile {
public:
    static constexpr std::size_t kRecordSize = 199;
    static constexpr std::size_t kFileSize = 1 + kRecordSize;
    static constexpr std::uint8_t kStoredFirstRunFlag = 1;
    // The caption and text of the message a failed store shows.
    static constexpr std::string_view kWriteFailedCaption = "NULL ==fp ";
    static std::string writeFailedMessage(const std::error_code& error);

    ConfigBinFile(std::filesystem::path path, MessageReporter& reporter);

    // Fills the record and returns the first-run flag when the file holds
    // exactly 200 bytes; otherwise the record is left untouched.
    std::optional<std::uint8_t> load(std::span<std::uint8_t, kRecordSize> record) const;

    // Writes first-run flag 1 and the record; true when the file was replaced.
    bool store(std::span<const std::uint8_t, kRecordSize> record) const;

private:
    bool reportIfMissing() const;

    std::filesystem::path path_;
    MessageReporter& reporter_;
};

} // namespace kestrel
