#include "ConfigBinFile.h"

#include "BinaryFile.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace kestrel {

namespace {

constexpr std::string_view kMissingMessage = "Config file is not exist.";
constexpr std::string_view kWriteFailedCaption = "NULL ==fp ";

std::string writeFailedMessage(const std::error_code& error)
{
    return "Error Code is: " + std::to_string(error.value()) + " \n";
}

// A file that exists but cannot be read leaves the settings as they are,
// like a missing one, but the user learns why they were not loaded.
std::string readFailedMessage(const std::error_code& error)
{
    return "Config file cannot be read. Error Code is: " + std::to_string(error.value());
}

} // namespace

ConfigBinFile::ConfigBinFile(std::filesystem::path path, MessageReporter& reporter)
    : path_(std::move(path)), reporter_(reporter)
{
}

std::optional<std::uint8_t> ConfigBinFile::load(std::span<std::uint8_t, kRecordSize> record) const
{
    if (reportIfMissing()) return std::nullopt;
    // One byte more than wanted tells an oversized file from a correct one.
    const BinaryFile::ReadResult contents = BinaryFile::read(path_, kFileSize + 1);
    if (contents.error) {
        reporter_.showMessage(readFailedMessage(contents.error), {});
        return std::nullopt;
    }
    if (contents.bytes.size() != kFileSize) return std::nullopt;
    std::copy(contents.bytes.begin() + 1, contents.bytes.end(), record.begin());
    return contents.bytes.front();
}

bool ConfigBinFile::store(std::span<const std::uint8_t, kRecordSize> record) const
{
    if (reportIfMissing()) return false;
    std::array<std::uint8_t, kFileSize> contents{};
    contents[0] = kStoredFirstRunFlag;
    std::copy(record.begin(), record.end(), contents.begin() + 1);
    if (const std::error_code error = BinaryFile::replace(path_, contents)) {
        reporter_.showMessage(writeFailedMessage(error), kWriteFailedCaption);
        return false;
    }
    return true;
}

bool ConfigBinFile::reportIfMissing() const
{
    std::error_code error;
    if (std::filesystem::exists(path_, error)) return false;
    reporter_.showMessage(kMissingMessage, {});
    return true;
}

} // namespace kestrel
