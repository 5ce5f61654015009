#include "DeviceCommands.h"

#include <BackendFactory.h>
#include <DeviceDiscovery.h>

#include <cstdio>

namespace kestrel::ctl {

namespace {

const char* roleName(InterfaceRole role)
{
    switch (role) {
    case InterfaceRole::Status: return "status";
    case InterfaceRole::Data: return "data";
    case InterfaceRole::None: break;
    }
    return "none";
}

std::string hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFFu);
    return text;
}

} // namespace

DeviceCommands::DeviceCommands(std::ostream& out, std::ostream& err)
    : out_(out)
    , err_(err)
{
}

std::optional<int> DeviceCommands::run(const CtlOptions& options)
{
    if (options.command == "list")
        return list(options);
    return std::nullopt;
}

int DeviceCommands::list(const CtlOptions& options)
{
    std::string error;
    const auto backend = BackendFactory::create({options.simulate, options.simulatedStateFile}, error);
    if (!backend) {
        err_ << "kestrelctl: " << error << '\n';
        return 1;
    }
    const auto interfaces = backend->enumerate();
    int found = 0;
    for (const HidInterfaceInfo& info : interfaces.value_or(std::vector<HidInterfaceInfo>{})) {
        if (!DeviceDiscovery::isMouse(info))
            continue;
        ++found;
        out_ << info.path << " usage_page=" << hex4(info.usagePage) << " usage=" << hex4(info.usage)
             << " feature_length=" << info.featureReportLength
             << " role=" << roleName(DeviceDiscovery::roleOf(info)) << '\n';
    }
    if (found == 0) {
        err_ << "kestrelctl: no mouse found (USB vendor 04D9, product A09E)\n";
        return 1;
    }
    return 0;
}

} // namespace kestrel::ctl
