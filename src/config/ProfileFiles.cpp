#include "config/ProfileFiles.h"

#include "config/BinaryFile.h"
#include "config/ConfigBinFile.h"
#include "config/FileRefusal.h"
#include "config/Unicode.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kestrel {

namespace {

std::string describe(const std::filesystem::path& path, const std::string& problem)
{
    return unicode::utf8FromPath(path) + ": " + problem;
}

// A file of the wrong size, larger ones included, is not a config.bin.
std::string configBinProblem(const BinaryFile::ReadResult& contents)
{
    if (contents.error && contents.error != FileRefusal::TooLarge)
        return contents.error.message();
    if (contents.bytes.size() == ConfigBinFile::kFileSize)
        return {};
    return "a config.bin file must hold exactly " + std::to_string(ConfigBinFile::kFileSize) + " bytes, this one holds "
        + (contents.error ? std::string("more") : std::to_string(contents.bytes.size()));
}

} // namespace

ProfileFiles::ProfileFiles(std::filesystem::path configBin)
    : configBin_(std::move(configBin))
{
}

std::filesystem::path ProfileFiles::strIni() const
{
    return configBin_.parent_path() / "str.ini";
}

Language ProfileFiles::captionLanguage() const
{
    return languageFromCode(StrIniSettings(strIni()).readLanguageCode());
}

std::string ProfileFiles::load(ProfileData& data, std::optional<std::uint8_t> sensorType) const
{
    const BinaryFile::ReadResult contents = BinaryFile::read(configBin_, ConfigBinFile::kFileSize);
    if (const std::string problem = configBinProblem(contents); !problem.empty())
        return describe(configBin_, problem);
    // A str.ini that was refused is not taken for one without captions.
    const StrIniSettings::OwnLanguageValues strIniValues = StrIniSettings(strIni()).readInOwnLanguage();
    if (strIniValues.error)
        return describe(strIni(), strIniValues.error.message());
    data.firstRunFlag = contents.bytes.front();
    std::copy(contents.bytes.begin() + 1, contents.bytes.end(), data.record.bytes().begin());
    data.captions = strIniValues.values.captions;
    data.sensorType = sensorType;
    return {};
}

std::string ProfileFiles::store(const ProfileData& data) const
{
    const BinaryFile::ReadResult previous = BinaryFile::read(configBin_, ConfigBinFile::kFileSize);
    if (previous.error)
        return describe(configBin_, previous.error.message());
    // Both files are checked before either is written.
    const StrIniSettings settings(strIni());
    const StrIniSettings::OwnLanguageValues current = settings.readInOwnLanguage();
    if (current.error)
        return describe(strIni(), current.error.message());
    std::array<std::uint8_t, ConfigBinFile::kFileSize> contents{};
    contents[0] = data.firstRunFlag;
    std::copy(data.record.bytes().begin(), data.record.bytes().end(), contents.begin() + 1);
    if (const std::error_code error = BinaryFile::replace(configBin_, contents))
        return describe(configBin_, error.message());
    if (current.values.captions == data.captions || !settings.writeCaptions(current.language, data.captions))
        return {};
    // Put config.bin back as it was, so that settings and captions still belong together.
    const std::error_code restoreError = BinaryFile::replace(configBin_, previous.bytes);
    if (restoreError)
        return describe(strIni(), "cannot write the captions") + "; "
            + describe(configBin_, "cannot put the old contents back: " + restoreError.message());
    return describe(strIni(), "cannot write the captions") + "; config.bin is unchanged";
}

} // namespace kestrel
