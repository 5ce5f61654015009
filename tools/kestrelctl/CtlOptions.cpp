#include "CtlOptions.h"

#include "config/Unicode.h"

namespace kestrel::ctl {

namespace {

constexpr std::string_view kSimulate = "--simulate";
constexpr std::string_view kSimulateWithFile = "--simulate=";

} // namespace

std::optional<CtlOptions> CtlOptions::parse(const std::vector<std::string>& args, std::string& error)
{
    CtlOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == kSimulate) {
            options.simulate = true;
        } else if (arg.starts_with(kSimulateWithFile)) {
            options.simulate = true;
            const std::string file = arg.substr(kSimulateWithFile.size());
            if (file.empty()) {
                error = "--simulate= needs a file name";
                return std::nullopt;
            }
            options.simulatedStateFile = unicode::pathFromUtf8(file);
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--image") {
            if (i + 1 >= args.size()) {
                error = "--image needs a file name";
                return std::nullopt;
            }
            options.image = unicode::pathFromUtf8(args[++i]);
        } else if (arg == "-o" || arg == "--to") {
            if (i + 1 >= args.size()) {
                error = arg + " needs a file name";
                return std::nullopt;
            }
            (arg == "-o" ? options.output : options.to) = unicode::pathFromUtf8(args[++i]);
        } else if (arg == "--sensor") {
            if (i + 1 >= args.size() || args[i + 1].size() != 1 || args[i + 1][0] < '0' || args[i + 1][0] > '3') {
                error = "--sensor needs a sensor type from 0 to 3";
                return std::nullopt;
            }
            options.sensorType = static_cast<std::uint8_t>(args[++i][0] - '0');
        } else if (arg == "--verify") {
            options.verify = true;
        } else if (arg == "--overwrite-config") {
            options.overwriteConfig = true;
        } else if (arg.starts_with("--") && arg.size() > 2) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.arguments.push_back(arg);
        }
    }
    return options;
}

} // namespace kestrel::ctl
