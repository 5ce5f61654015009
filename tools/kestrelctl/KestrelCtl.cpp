#include "KestrelCtl.h"

#include "CtlSession.h"
#include "DeviceCommands.h"
#include "ExitCode.h"
#include "HexFormat.h"
#include "WriteVerification.h"
#include "ImageDescription.h"
#include "NotifyCommand.h"
#include "ProfileCommands.h"
#include "SettingsSource.h"

#include "config/ApplyComposer.h"
#include "device/ApplySequence.h"
#include "config/BinaryFile.h"
#include "config/ConfigBinFile.h"
#include "config/FileRefusal.h"
#include "config/ProfileFiles.h"
#include "config/Unicode.h"
#include "kestrel/Version.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace kestrel::ctl {

namespace {

constexpr const char* kUsage =
    "usage: kestrelctl [--simulate[=FILE]] [--trace] COMMAND [ARGUMENTS]\n"
    "\n"
    "commands:\n"
    "  read                            read the mouse's configuration image and print it\n"
    "  show                            describe the mouse's configuration in words\n"
    "  apply FILE [--verify]           send the settings of a config.bin file or a profile to the mouse;\n"
    "                                  with --verify, read them back and compare\n"
    "  compose CONFIG [--image IMAGE]  compose an image from a config.bin file without a mouse,\n"
    "                                  over a raw 322-byte image file (all zeros without --image)\n"
    "  export [CONFIG] [-o FILE] [--overwrite-config]\n"
    "                                  write the profile of a config.bin file (the program's own without\n"
    "                                  CONFIG) to standard output or FILE; FILE may be a config.bin (or\n"
    "                                  CONFIG itself) only with --overwrite-config\n"
    "  import PROFILE [--to CONFIG]    check a profile, then write it into a config.bin file (the program's\n"
    "                                  own without --to) and the captions into the str.ini beside it\n"
    "  diff A B                        the settings that differ between two profiles or config.bin files\n"
    "  list                            list the HID interfaces of the mouse and their roles\n"
    "  descriptor FILE                 print the top-level collections of a report descriptor file\n"
    "  monitor                         print hot-plug notices of the mouse until interrupted\n"
    "  notify KIND VALUE               hand a notice to the running window program, which shows it\n"
    "\n"
    "options:\n"
    "  --simulate[=FILE]  use the simulated mouse; with FILE its image is kept in FILE\n"
    "  --trace            print every report exchanged and every pause to standard error\n"
    "  --sensor TYPE      the sensor type (0-3) whose DPI labels name a config.bin's DPI levels\n"
    "                     (export, diff; export also asks the mouse; without either the levels stay\n"
    "                     level indices), or to which import moves a profile's DPI values\n"
    "  --help, -h         print this help\n"
    "  --version          print the version\n"
    "\n"
    "An image is printed as six lines: the status pair, then pages 1 to 5.\n";

} // namespace

KestrelCtl::KestrelCtl(std::ostream& out, std::ostream& err)
    : out_(out)
    , err_(err)
{
}

int KestrelCtl::run(const std::vector<std::string>& args)
{
    std::string error;
    const auto options = CtlOptions::parse(args, error);
    if (!options)
        return usage(error);
    const std::string& command = options->command;
    if (options->help || command == "help")
        return out_ << kUsage, kSuccess;
    if (options->version)
        return out_ << "kestrelctl " << kVersion << '\n', kSuccess;
    if (command.empty())
        return usage("no command given");
    if (command == "read")
        return read(*options);
    if (command == "compose")
        return compose(*options);
    if (command == "apply")
        return apply(*options);
    if (command == "show")
        return show(*options);
    if (command == "notify")
        return NotifyCommand(err_).run(options->arguments);
    if (const auto result = ProfileCommands(out_, err_).run(*options))
        return *result;
    DeviceCommands deviceCommands(out_, err_);
    if (const auto result = deviceCommands.run(*options))
        return *result;
    return usage("unknown command " + command);
}

int KestrelCtl::read(const CtlOptions& options)
{
    if (!expectArguments(options, 0))
        return kUsageError;
    CtlSession session(options, err_);
    if (!session.openAndRead())
        return kFailure;
    printImage(out_, session.image());
    return kSuccess;
}

int KestrelCtl::show(const CtlOptions& options)
{
    if (!expectArguments(options, 0))
        return kUsageError;
    CtlSession session(options, err_);
    if (!session.openAndRead())
        return kFailure;
    ImageDescription(session.image()).print(out_);
    return kSuccess;
}

int KestrelCtl::compose(const CtlOptions& options)
{
    if (!expectArguments(options, 1))
        return kUsageError;
    const auto record = readConfigBin(options.arguments[0]);
    if (!record)
        return kFailure;
    ConfigImage image;
    if (options.image) {
        const auto bytes = readExactFile(unicode::utf8FromPath(*options.image), ConfigImage::kSize, "a raw image file");
        if (!bytes)
            return kFailure;
        std::copy(bytes->begin(), bytes->end(), image.bytes().begin());
    }
    // As after a read of the mouse: the sensor type comes from the image.
    ApplyComposer::writeConstantTables(image);
    ApplyComposer::composeFromSettings(image, *record, image.sensorType());
    printImage(out_, image);
    return kSuccess;
}

int KestrelCtl::apply(const CtlOptions& options)
{
    if (!expectArguments(options, 1))
        return kUsageError;
    const std::filesystem::path file = unicode::pathFromUtf8(options.arguments[0]);
    const SettingsSource::FileRead read = SettingsSource::readProfile(file);
    const auto& profile = read.document;
    if (!profile && !read.notAProfile) {
        err_ << "kestrelctl: " << read.error << "; nothing was sent\n";
        return kFailure;
    }
    std::optional<SettingsRecord> record;
    if (!profile) {
        record = readConfigBin(options.arguments[0]);
        if (!record)
            return kFailure;
    }
    CtlSession session(options, err_);
    if (!session.openAndRead())
        return kFailure;
    if (profile) {
        record = profileRecord(*profile, file, session.device().sensorType());
        if (!record)
            return kFailure;
    }
    const auto result = ApplySequence::run(session.protocol(), session.image(), *record,
                                           session.device().sensorType(), {}, ApplySequence::OnFailedQuery::Stop);
    if (!result.statusQueried || !result.written) {
        session.explainProtocolFailure();
        return kFailure;
    }
    if (!options.verify)
        return kSuccess;
    // A failed read-back is said once, by the verification, not as a missing mouse.
    session.reporter().keepQuiet();
    return verifyWrite(session.protocol(), session.image(), out_, err_);
}

std::optional<SettingsRecord> KestrelCtl::profileRecord(const ProfileRule::Json& profile,
                                                        const std::filesystem::path& file, std::uint8_t sensorType)
{
    const auto base = SettingsSource::baseFor(profile, file, sensorType, "nothing was sent", err_);
    if (!base)
        return std::nullopt;
    const auto data = SettingsSource::fromProfile(profile, file, *base, sensorType, SettingsSource::Purpose::Use, err_);
    if (!data)
        return std::nullopt;
    return data->record;
}

int KestrelCtl::usage(const std::string& problem)
{
    err_ << "kestrelctl: " << problem << "\n\n" << kUsage;
    return kUsageError;
}

bool KestrelCtl::expectArguments(const CtlOptions& options, std::size_t count)
{
    if (options.arguments.size() == count)
        return true;
    usage(options.command + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s"));
    return false;
}

std::optional<std::vector<std::uint8_t>> KestrelCtl::readExactFile(const std::string& name, std::size_t size,
                                                                   const char* what)
{
    // The size is what was read, not what the file claims: the file may
    // change meanwhile, and a pipe or device is refused before it is read.
    BinaryFile::ReadResult contents = BinaryFile::read(unicode::pathFromUtf8(name), size);
    if (contents.error == std::errc::no_such_file_or_directory) {
        err_ << "kestrelctl: " << name << ": no such file\n";
        return std::nullopt;
    }
    if (contents.error && contents.error != FileRefusal::TooLarge) {
        err_ << "kestrelctl: " << name << ": cannot read it: " << contents.error.message() << '\n';
        return std::nullopt;
    }
    if (contents.bytes.size() != size) {
        err_ << "kestrelctl: " << name << ": " << what << " must hold exactly " << size << " bytes, this one holds "
             << (contents.error ? std::string("more") : std::to_string(contents.bytes.size())) << '\n';
        return std::nullopt;
    }
    return std::move(contents.bytes);
}

std::optional<SettingsRecord> KestrelCtl::readConfigBin(const std::string& path)
{
    const auto bytes = readExactFile(path, ConfigBinFile::kFileSize, "a config.bin file");
    if (!bytes)
        return std::nullopt;
    // Byte 0 is the first-run flag; the settings record follows it.
    SettingsRecord record;
    std::copy(bytes->begin() + 1, bytes->end(), record.bytes().begin());
    return record;
}

} // namespace kestrel::ctl
