#include "ProfileFiles.h"

#include "BinaryFile.h"
#include "ConfigBinFile.h"
#include "Unicode.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kestrel {

namespace {

std::string describe(const std::filesystem::path& path, const std::string& problem)
{
    return unicode::utf8FromPath(path) + ": " + problem;
}

Language languageOf(const StrIniSettings& strIni)
{
    return languageFromCode(strIni.readLanguageCode());
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

std::string ProfileFiles::load(ProfileData& data, std::uint8_t sensorType) const
{
    const BinaryFile::ReadResult contents = BinaryFile::read(configBin_, ConfigBinFile::kFileSize + 1);
    if (contents.error)
        return describe(configBin_, contents.error.message());
    if (contents.bytes.size() != ConfigBinFile::kFileSize)
        return describe(configBin_, "a config.bin file must hold exactly " + std::to_string(ConfigBinFile::kFileSize)
                                        + " bytes, this one holds "
                                        + (contents.bytes.size() > ConfigBinFile::kFileSize
                                               ? std::string("more")
                                               : std::to_string(contents.bytes.size())));
    data.firstRunFlag = contents.bytes.front();
    std::copy(contents.bytes.begin() + 1, contents.bytes.end(), data.record.bytes().begin());
    const StrIniSettings settings(strIni());
    data.captions = settings.read(languageOf(settings)).captions;
    data.sensorType = sensorType;
    return {};
}

std::string ProfileFiles::store(const ProfileData& data) const
{
    const BinaryFile::ReadResult previous = BinaryFile::read(configBin_, ConfigBinFile::kFileSize + 1);
    if (previous.error)
        return describe(configBin_, previous.error.message());
    std::array<std::uint8_t, ConfigBinFile::kFileSize> contents{};
    contents[0] = data.firstRunFlag;
    std::copy(data.record.bytes().begin(), data.record.bytes().end(), contents.begin() + 1);
    if (const std::error_code error = BinaryFile::replace(configBin_, contents))
        return describe(configBin_, error.message());
    const StrIniSettings settings(strIni());
    const Language language = languageOf(settings);
    if (settings.read(language).captions == data.captions || settings.writeCaptions(language, data.captions))
        return {};
    // Put config.bin back as it was, so that settings and captions still belong together.
    const std::error_code restoreError = BinaryFile::replace(configBin_, previous.bytes);
    if (restoreError)
        return describe(strIni(), "cannot write the captions") + "; "
            + describe(configBin_, "cannot put the old contents back: " + restoreError.message());
    return describe(strIni(), "cannot write the captions") + "; config.bin is unchanged";
}

} // namespace kestrel
