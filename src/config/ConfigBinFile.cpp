#include "config/ConfigBinFile.h"

#include "config/BinaryFile.h"
#include "config/Diagnostics.h"
#include "config/FileRefusal.h"
#include "config/Unicode.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace kestrel {

namespace {

void logFailure(std::string_view what, const std::filesystem::path& path, const std::error_code& error)
{
    Diagnostics::warning(Diagnostics::Area::Config,
                         std::string(what) + " " + unicode::utf8FromPath(path) + ": " + error.message());
}

} // namespace

ConfigBinFile::ConfigBinFile(std::filesystem::path path)
    : path_(std::move(path))
{
}

ConfigBinFile::LoadResult ConfigBinFile::load(std::span<std::uint8_t, kRecordSize> record) const
{
    if (auto absent = missing()) return {std::nullopt, std::move(absent)};
    const BinaryFile::ReadResult contents = BinaryFile::read(path_, kFileSize);
    // A larger file is one of the wrong size, ignored like a shorter one.
    if (contents.error == FileRefusal::TooLarge || (!contents.error && contents.bytes.size() != kFileSize)) {
        Diagnostics::debug(Diagnostics::Area::Config, "ignoring a config.bin of the wrong size");
        return {};
    }
    if (contents.error) {
        logFailure("cannot read", path_, contents.error);
        return {std::nullopt, failure(ConfigFileProblem::Unreadable, contents.error)};
    }
    std::copy(contents.bytes.begin() + 1, contents.bytes.end(), record.begin());
    return {contents.bytes.front(), std::nullopt};
}

Outcome<ConfigFileFailure> ConfigBinFile::store(std::span<const std::uint8_t, kRecordSize> record) const
{
    if (auto absent = missing()) return *std::move(absent);
    std::array<std::uint8_t, kFileSize> contents{};
    contents[0] = kStoredFirstRunFlag;
    std::copy(record.begin(), record.end(), contents.begin() + 1);
    if (const std::error_code error = BinaryFile::replace(path_, contents)) {
        logFailure("cannot replace", path_, error);
        return failure(ConfigFileProblem::WriteFailed, error);
    }
    return {};
}

std::optional<ConfigFileFailure> ConfigBinFile::missing() const
{
    std::error_code error;
    if (std::filesystem::exists(path_, error)) return std::nullopt;
    Diagnostics::debug(Diagnostics::Area::Config, "config.bin is missing: " + unicode::utf8FromPath(path_));
    return failure(ConfigFileProblem::Missing, {});
}

ConfigFileFailure ConfigBinFile::failure(ConfigFileProblem problem, const std::error_code& error) const
{
    return ConfigFileFailure{problem, path_, error};
}

} // namespace kestrel
