#pragma once

#include <string_view>

namespace kestrel {

// Diagnostics of the configuration and device layers. These layers build
// without Qt (the command-line tool is also cross-built without it), so they
// hand their lines to a sink the program installs; the window routes them to
// its logging categories. Without a sink nothing is written anywhere.
class Diagnostics {
public:
    enum class Area { Config, Device };
    enum class Level { Debug, Warning };
    using Sink = void (*)(Area area, Level level, std::string_view line);

    // Installed once at start-up; nullptr removes the sink.
    static void setSink(Sink sink);

    static void debug(Area area, std::string_view line) { write(area, Level::Debug, line); }
    static void warning(Area area, std::string_view line) { write(area, Level::Warning, line); }

private:
    static void write(Area area, Level level, std::string_view line);
};

} // namespace kestrel
