#include "config/ConfigBinFile.h"

#include "config/BinaryFile.h"
#include "config/FileRefusal.h"
#include "config/Unicode.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace kestrel {

namespace {

constexpr std::string_view kMissingMessage = "Config file is not exist.";
// A file that exists but cannot be read (or is no regular file at all) leaves
// the settings as they are, like a missing one, but the user learns which
// file it was and why it was not loaded.
std::string readFailedMessage(const std::filesystem::path& path, const std::error_code& error)
{
    return "Config file cannot be read: " + unicode::utf8FromPath(path) + ": " + error.message();
}

} // namespace

ConfigBinFile::ConfigBinFile(std::filesystem::path path, MessageReporter& reporter)
    : path_(std::move(path)), reporter_(reporter)
{
}

std::optional<std::uint8_t> ConfigBinFile::load(std::span<std::uint8_t, kRecordSize> record) const
{
    if (reportIfMissing()) return std::nullopt;
    const BinaryFile::ReadResult contents = BinaryFile::read(path_, kFileSize);
    // A larger file is one of the wrong size, ignored like a shorter one.
    if (contents.error == FileRefusal::TooLarge)
        return std::nullopt;
    if (contents.error) {
        reporter_.showMessage(readFailedMessage(path_, contents.error), {});
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

std::string ConfigBinFile::writeFailedMessage(const std::error_code& error)
{
    return "Error Code is: " + std::to_string(error.value()) + " \n";
}

bool ConfigBinFile::reportIfMissing() const
{
    std::error_code error;
    if (std::filesystem::exists(path_, error)) return false;
    reporter_.showMessage(kMissingMessage, {});
    return true;
}

} // namespace kestrel
