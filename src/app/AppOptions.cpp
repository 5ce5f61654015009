#include "app/AppOptions.h"

#include "config/Unicode.h"
#include "kestrel/Version.h"

#include <string_view>

namespace kestrel {

namespace {

constexpr std::string_view kSimulate = "--simulate";
constexpr std::string_view kSimulateWithFile = "--simulate=";

BackendChoice fromVariable(const char* value)
{
    if (!value)
        return {};
    const std::string_view text(value);
    if (text.empty() || text == "0")
        return {};
    if (text == "1")
        return {true, std::nullopt};
    return {true, unicode::pathFromUtf8(text)};
}

} // namespace

std::optional<AppOptions> AppOptions::parse(const std::vector<std::string>& args, const char* simulateVariable,
                                            std::string& error)
{
    AppOptions options;
    options.backend = fromVariable(simulateVariable);
    for (const std::string& arg : args) {
        if (arg == kSimulate) {
            options.backend = {true, std::nullopt};
        } else if (arg.starts_with(kSimulateWithFile)) {
            const std::string file = arg.substr(kSimulateWithFile.size());
            if (file.empty()) {
                error = "--simulate= needs a file name";
                return std::nullopt;
            }
            options.backend = {true, unicode::pathFromUtf8(file)};
        } else if (arg == "--autostart") {
            options.autostart = true;
        } else if (arg == "--show") {
            options.show = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            options.ignored.push_back(arg);
        }
    }
    return options;
}

std::string AppOptions::versionLine() { return std::string("kestrel ").append(kVersion); }

bool AppOptions::asksForTextOnly(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h" || arg == "--version")
            return true;
    }
    return false;
}

} // namespace kestrel
