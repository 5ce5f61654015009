#include "SettingsSource.h"

#include <BinaryFile.h>
#include <ConfigBinFile.h>
#include <ProfileFiles.h>
#include <ProfileGuards.h>
#include <ProfileReader.h>
#include <Unicode.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <vector>

namespace kestrel::ctl {

namespace {

std::filesystem::path runningExecutable()
{
#ifdef _WIN32
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::filesystem::path(std::wstring(buffer.data(), length));
#else
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
#endif
}

std::string withoutExceptionPrefix(std::string text)
{
    // "[json.exception.parse_error.101] parse error at line 1, column 2: ..."
    const std::size_t end = text.find("] ");
    return text.starts_with("[json.exception.") && end != std::string::npos ? text.substr(end + 2) : text;
}

} // namespace

std::optional<ProfileRule::Json> SettingsSource::readProfile(const std::filesystem::path& path, std::string& error)
{
    const BinaryFile::ReadResult contents = BinaryFile::read(path, kMaxProfileSize + 1);
    if (contents.error) {
        error = unicode::utf8FromPath(path) + ": " + contents.error.message();
        return std::nullopt;
    }
    if (contents.bytes.size() > kMaxProfileSize) {
        error = unicode::utf8FromPath(path) + ": too large for a profile (more than 1 MiB)";
        return std::nullopt;
    }
    try {
        ProfileRule::Json document = ProfileRule::Json::parse(contents.bytes.begin(), contents.bytes.end());
        if (ProfileReader::looksLikeProfile(document))
            return document;
        error = unicode::utf8FromPath(path) + R"(: not a profile (a profile says "format": "kestrel-profile"))";
    } catch (const ProfileRule::Json::exception& e) {
        error = unicode::utf8FromPath(path) + ": not a profile: " + withoutExceptionPrefix(e.what());
    }
    return std::nullopt;
}

std::optional<ProfileData> SettingsSource::load(const std::filesystem::path& path, const ProfileData& base,
                                                std::optional<std::uint8_t> targetSensorType, Purpose purpose,
                                                std::ostream& err)
{
    std::string error;
    const auto document = readProfile(path, error);
    if (!document) {
        std::error_code ec;
        if (std::filesystem::file_size(path, ec) == ConfigBinFile::kFileSize && !ec) {
            ProfileData data;
            error = ProfileFiles(path).load(data, targetSensorType.value_or(base.sensorType));
            if (error.empty())
                return data;
        }
        err << "kestrelctl: " << error << '\n';
        return std::nullopt;
    }
    return fromProfile(*document, path, base, targetSensorType, purpose, err);
}

std::optional<ProfileData> SettingsSource::fromProfile(const ProfileRule::Json& document,
                                                       const std::filesystem::path& path, const ProfileData& base,
                                                       std::optional<std::uint8_t> targetSensorType, Purpose purpose,
                                                       std::ostream& err)
{
    ProfileReader::Result result = ProfileReader::read(document, base, targetSensorType);
    if (result.ok() && purpose == Purpose::Use)
        result.problems = ProfileGuards::problems(result.data.record);
    for (const std::string& problem : result.problems)
        err << problem << '\n';
    for (const std::string& warning : result.warnings)
        err << "kestrelctl: warning: " << warning << '\n';
    if (!result.ok()) {
        err << "kestrelctl: " << unicode::utf8FromPath(path) << ": " << result.problems.size()
            << (result.problems.size() == 1 ? " problem" : " problems") << "; nothing was written\n";
        return std::nullopt;
    }
    return result.data;
}

ProgramFolder SettingsSource::programFolder()
{
    return ProgramFolder::forExecutable(runningExecutable().parent_path(),
                                        ProgramFolder::UserDirectories::fromEnvironment());
}

std::filesystem::path SettingsSource::programConfigBin()
{
    const ProgramFolder folder = programFolder();
    std::error_code error;
    if (folder.installed() && !std::filesystem::exists(folder.configBin(), error))
        return folder.sharedFolder() / folder.configBin().filename();
    return folder.configBin();
}

} // namespace kestrel::ctl
