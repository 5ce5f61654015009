#include "ProfileCommands.h"

#include "ExitCode.h"
#include "ProfileDiff.h"
#include "SettingsSource.h"

#include <BinaryFile.h>
#include <ProfileFiles.h>
#include <ProfileReader.h>
#include <ProfileWriter.h>
#include <Unicode.h>

#include <string>
#include <vector>

namespace kestrel::ctl {

namespace {

std::string documentText(const ProfileData& data)
{
    return ProfileWriter::write(data).dump(2) + "\n";
}

} // namespace

ProfileCommands::ProfileCommands(std::ostream& out, std::ostream& err)
    : out_(out)
    , err_(err)
{
}

std::optional<int> ProfileCommands::run(const CtlOptions& options)
{
    if (options.command == "export")
        return exportProfile(options);
    if (options.command == "import")
        return importProfile(options);
    if (options.command == "diff")
        return diff(options);
    return std::nullopt;
}

int ProfileCommands::exportProfile(const CtlOptions& options)
{
    if (options.arguments.size() > 1) {
        err_ << "kestrelctl: export takes at most one config.bin file\n";
        return kUsageError;
    }
    const std::filesystem::path config =
        options.arguments.empty() ? SettingsSource::programConfigBin() : unicode::pathFromUtf8(options.arguments[0]);
    const auto data = loadConfig(config, options.sensorType.value_or(0));
    if (!data)
        return kFailure;
    const std::string text = documentText(*data);
    if (!options.output) {
        out_ << text;
        return kSuccess;
    }
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (const std::error_code error = BinaryFile::replace(*options.output, bytes)) {
        err_ << "kestrelctl: " << unicode::utf8FromPath(*options.output) << ": " << error.message() << '\n';
        return kFailure;
    }
    return kSuccess;
}

int ProfileCommands::importProfile(const CtlOptions& options)
{
    if (options.arguments.size() != 1) {
        err_ << "kestrelctl: import takes one profile file\n";
        return kUsageError;
    }
    const std::filesystem::path profile = unicode::pathFromUtf8(options.arguments[0]);
    std::string error;
    const auto document = SettingsSource::readProfile(profile, error);
    if (!document) {
        err_ << "kestrelctl: " << error << "; nothing was written\n";
        return kFailure;
    }
    const auto config = importTarget(options);
    if (!config)
        return kFailure;
    // Without --sensor the DPI values stay those the profile was written for.
    const auto current = loadConfig(*config, options.sensorType.value_or(0));
    if (!current)
        return kFailure;
    const auto imported = SettingsSource::fromProfile(*document, profile, *current, options.sensorType,
                                                      SettingsSource::Purpose::Use, err_);
    if (!imported)
        return kFailure;
    if (const std::string problem = ProfileFiles(*config).store(*imported); !problem.empty()) {
        err_ << "kestrelctl: " << problem << '\n';
        return kFailure;
    }
    return kSuccess;
}

std::optional<std::filesystem::path> ProfileCommands::importTarget(const CtlOptions& options)
{
    if (options.to)
        return options.to;
    // An installed program's user may import before the window's first start.
    const ProgramFolder folder = SettingsSource::programFolder();
    if (const std::error_code error = folder.prepareUserFiles()) {
        err_ << "kestrelctl: " << unicode::utf8FromPath(folder.folder()) << ": " << error.message()
             << "; nothing was written\n";
        return std::nullopt;
    }
    return folder.configBin();
}

int ProfileCommands::diff(const CtlOptions& options)
{
    if (options.arguments.size() != 2) {
        err_ << "kestrelctl: diff takes two files, profiles or config.bin files\n";
        return kUsageError;
    }
    ProfileData empty;
    empty.sensorType = options.sensorType.value_or(0);
    const auto first = SettingsSource::load(unicode::pathFromUtf8(options.arguments[0]), empty, options.sensorType,
                                             SettingsSource::Purpose::Compare, err_);
    const auto second = SettingsSource::load(unicode::pathFromUtf8(options.arguments[1]), empty, options.sensorType,
                                              SettingsSource::Purpose::Compare, err_);
    if (!first || !second)
        return kFailure;
    for (const std::string& line : profileDifferences(ProfileWriter::write(*first), ProfileWriter::write(*second)))
        out_ << line << '\n';
    return kSuccess;
}

std::optional<ProfileData> ProfileCommands::loadConfig(const std::filesystem::path& path, std::uint8_t sensorType)
{
    ProfileData data;
    if (const std::string problem = ProfileFiles(path).load(data, sensorType); !problem.empty()) {
        err_ << "kestrelctl: " << problem << '\n';
        return std::nullopt;
    }
    return data;
}

} // namespace kestrel::ctl
