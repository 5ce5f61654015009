#include "ProfileCommands.h"

#include "CtlSession.h"
#include "ExitCode.h"
#include "ProfileDiff.h"
#include "SettingsSource.h"

#include "config/BinaryFile.h"
#include "config/ConfigBinFile.h"
#include "config/ProfileDocument.h"
#include "config/ProfileFiles.h"
#include "config/ProfileReader.h"
#include "config/ProfileWriter.h"
#include "config/Unicode.h"

#include <sstream>
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
    std::optional<std::uint8_t> sensorType;
    if (!exportSensorType(options, sensorType))
        return kFailure;
    const auto data = loadConfig(config, sensorType);
    if (!data)
        return kFailure;
    const std::string text = documentText(*data);
    if (!options.output) {
        out_ << text;
        return kSuccess;
    }
    if (const std::string problem = overwriteProblem(options, config); !problem.empty()) {
        err_ << "kestrelctl: " << unicode::utf8FromPath(*options.output) << ": " << problem << '\n';
        return kFailure;
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
    const SettingsSource::FileRead file = SettingsSource::readProfile(profile);
    if (!file.document) {
        err_ << "kestrelctl: " << (file.notAProfile ? notAProfileProblem(profile, file.error) : file.error)
             << "; nothing was written\n";
        return kFailure;
    }
    const auto config = importTarget(options);
    if (!config)
        return kFailure;
    // Without --sensor the DPI values stay those the profile was written for.
    const auto current = loadConfig(*config, options.sensorType);
    if (!current)
        return kFailure;
    if (!ProfileReader::setsEverySetting(*file.document, options.sensorType))
        err_ << "kestrelctl: what " << unicode::utf8FromPath(profile) << " leaves out stays as "
             << unicode::utf8FromPath(*config) << " has it\n";
    const auto imported =
        SettingsSource::fromProfile(*file.document, profile, *current, options.sensorType,
                                    SettingsSource::Purpose::Use, err_, ProfileFiles(*config).captionLanguage());
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
    auto first = SettingsSource::load(unicode::pathFromUtf8(options.arguments[0]), options.sensorType,
                                      SettingsSource::Purpose::Compare, err_);
    auto second = SettingsSource::load(unicode::pathFromUtf8(options.arguments[1]), options.sensorType,
                                       SettingsSource::Purpose::Compare, err_);
    if (!first || !second)
        return kFailure;
    // A config.bin's levels are named by the profile's sensor type, so that
    // the same levels compare equal; the bytes compared stay the same.
    if (!first->sensorType)
        first->sensorType = second->sensorType;
    if (!second->sensorType)
        second->sensorType = first->sensorType;
    for (const std::string& line : profileDifferences(ProfileWriter::write(*first), ProfileWriter::write(*second)))
        out_ << line << '\n';
    return kSuccess;
}

std::optional<ProfileData> ProfileCommands::loadConfig(const std::filesystem::path& path,
                                                       std::optional<std::uint8_t> sensorType)
{
    ProfileData data;
    if (const std::string problem = ProfileFiles(path).load(data, sensorType); !problem.empty()) {
        err_ << "kestrelctl: " << problem << '\n';
        return std::nullopt;
    }
    return data;
}

bool ProfileCommands::exportSensorType(const CtlOptions& options, std::optional<std::uint8_t>& sensorType)
{
    if (options.sensorType) {
        sensorType = options.sensorType;
        return true;
    }
    // A real mouse is only asked when one answers; without it the levels stay indices.
    std::ostringstream quiet;
    CtlSession session(options, options.simulate ? err_ : quiet);
    if (session.openAndRead())
        sensorType = session.device().sensorType();
    return sensorType || !options.simulate;
}

std::string ProfileCommands::overwriteProblem(const CtlOptions& options, const std::filesystem::path& config) const
{
    if (options.overwriteConfig)
        return {};
    std::error_code error;
    if (std::filesystem::equivalent(*options.output, config, error))
        return "is the config.bin being exported; --overwrite-config replaces it with the profile";
    const BinaryFile::ReadResult existing = BinaryFile::read(*options.output, ConfigBinFile::kFileSize + 1);
    if (!existing.error && existing.bytes.size() == ConfigBinFile::kFileSize
        && ProfileDocument::kindOf(existing.bytes) == ProfileDocument::Kind::NotAProfile)
        return "holds a config.bin; --overwrite-config replaces it with the profile";
    return {};
}

std::string ProfileCommands::notAProfileProblem(const std::filesystem::path& path, const std::string& error)
{
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) != ConfigBinFile::kFileSize || ec)
        return error;
    const std::string name = unicode::utf8FromPath(path);
    return name + ": a config.bin, not a profile; \"kestrelctl apply " + name
        + "\" sends it to the mouse, \"kestrelctl export " + name + "\" makes a profile of it";
}

} // namespace kestrel::ctl
