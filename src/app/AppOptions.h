#pragma once

#include "device/BackendFactory.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrel {

// The window program's command line: "--show" shows the window once the
// program runs (asking a copy that runs already to show its own, where a
// plain start ends silently), "--simulate[=FILE]" runs it against the
// simulated mouse (with FILE, its image is kept there between runs), "--help"
// prints the usage, "--version" the version. The environment variable
// KESTREL_SIMULATE means the same when the command line does not say: "1" for
// the simulated mouse without a file, "0" or empty for none, anything else
// names FILE. "--autostart" marks a start by the desktop session. Arguments
// it does not know (desktop launchers may pass some) are collected and
// otherwise left alone.
struct AppOptions {
    static constexpr const char* kUsage =
        "usage: kestrel [--show] [--autostart] [--simulate[=FILE]] [--help] [--version]\n"
        "\n"
        "  --show             show the window once started; when a copy of kestrel runs\n"
        "                     already, ask it to show its window (as a click on its icon)\n"
        "  --autostart        started with the desktop session: a start without the mouse\n"
        "                     shows no notice (a click on the icon still warns)\n"
        "  --simulate[=FILE]  use the simulated mouse; with FILE its image is kept in FILE\n"
        "  --help             print this help\n"
        "  --version          print the version\n"
        "\n"
        "KESTREL_SIMULATE=FILE (or 1 for no file) in the environment does the same as --simulate.\n";

    BackendChoice backend;
    bool autostart = false;
    bool show = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> ignored;

    // nullopt with `error` set for "--simulate=" without a file name.
    static std::optional<AppOptions> parse(const std::vector<std::string>& args, const char* simulateVariable,
                                           std::string& error);
    // "kestrel " and the version.
    static std::string versionLine();
    // Whether the arguments ask only for text that needs no display.
    static bool asksForTextOnly(const std::vector<std::string>& args);
};

} // namespace kestrel
