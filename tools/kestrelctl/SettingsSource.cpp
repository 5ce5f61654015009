#include "SettingsSource.h"

#include "config/BinaryFile.h"
#include "config/ProfileDocument.h"
#include "config/ProfileFiles.h"
#include "config/ProfileGuards.h"
#include "config/ProfileReader.h"
#include "config/Unicode.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
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

std::string withFile(const std::filesystem::path& path, const std::string& text)
{
    return unicode::utf8FromPath(path) + ": " + text;
}

} // namespace

SettingsSource::FileRead SettingsSource::readProfile(const std::filesystem::path& path)
{
    const BinaryFile::ReadResult contents = BinaryFile::read(path, kMaxProfileSize + 1);
    if (contents.error)
        return {std::nullopt, true, withFile(path, contents.error.message())};
    if (ProfileDocument::kindOf(contents.bytes) == ProfileDocument::Kind::NotAProfile)
        return {std::nullopt, true, withFile(path, R"(not a profile (a profile is JSON text starting with "{"))")};
    if (contents.bytes.size() > kMaxProfileSize)
        return {std::nullopt, false, withFile(path, "too large for a profile (more than 1 MiB)")};
    std::string error;
    auto document = ProfileDocument::parse(contents.bytes, error);
    if (!document)
        return {std::nullopt, false, withFile(path, error)};
    if (!ProfileReader::looksLikeProfile(*document))
        return {std::nullopt, false, withFile(path, R"(not a profile (a profile says "format": "kestrel-profile"))")};
    return {std::move(document), false, {}};
}

std::optional<ProfileData> SettingsSource::load(const std::filesystem::path& path,
                                                std::optional<std::uint8_t> targetSensorType, Purpose purpose,
                                                std::ostream& err)
{
    const FileRead file = readProfile(path);
    if (file.document) {
        const auto base = baseFor(*file.document, path, targetSensorType, "nothing was compared", err);
        if (!base)
            return std::nullopt;
        return fromProfile(*file.document, path, *base, targetSensorType, purpose, err);
    }
    std::string error = file.error;
    if (file.notAProfile) {
        ProfileData data;
        error = ProfileFiles(path).load(data, targetSensorType);
        if (error.empty())
            return data;
    }
    err << "kestrelctl: " << error << '\n';
    return std::nullopt;
}

std::optional<ProfileData> SettingsSource::fromProfile(const ProfileRule::Json& document,
                                                       const std::filesystem::path& path, const ProfileData& base,
                                                       std::optional<std::uint8_t> targetSensorType, Purpose purpose,
                                                       std::ostream& err, std::optional<Language> captionLanguage)
{
    ProfileReader::Result result = ProfileReader::read(document, base, targetSensorType, captionLanguage);
    if (result.ok() && purpose == Purpose::Use)
        result.problems = ProfileGuards::problems(result.data.record);
    const std::size_t listed = std::min(result.problems.size(), kMaxListedProblems);
    for (std::size_t i = 0; i < listed; ++i)
        err << result.problems[i] << '\n';
    if (result.problems.size() > listed)
        err << "... and " << result.problems.size() - listed << " more\n";
    for (const std::string& warning : result.warnings)
        err << "kestrelctl: warning: " << warning << '\n';
    if (!result.ok()) {
        err << "kestrelctl: " << unicode::utf8FromPath(path) << ": " << result.problems.size()
            << (result.problems.size() == 1 ? " problem" : " problems") << "; nothing was written\n";
        return std::nullopt;
    }
    return result.data;
}

std::optional<ProfileData> SettingsSource::baseFor(const ProfileRule::Json& document,
                                                   const std::filesystem::path& path,
                                                   std::optional<std::uint8_t> targetSensorType, const char* outcome,
                                                   std::ostream& err)
{
    ProfileData base;
    base.sensorType = targetSensorType;
    if (ProfileReader::setsEverySetting(document, targetSensorType))
        return base;
    const std::filesystem::path config = programConfigBin();
    if (const std::string problem = ProfileFiles(config).load(base, targetSensorType); !problem.empty()) {
        err << "kestrelctl: " << unicode::utf8FromPath(path)
            << " leaves settings out, which come from the program's config.bin, and that cannot be read: " << problem
            << "; " << outcome << '\n';
        return std::nullopt;
    }
    err << "kestrelctl: what " << unicode::utf8FromPath(path) << " leaves out comes from "
        << unicode::utf8FromPath(config) << '\n';
    return base;
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
