#include "DeviceCommands.h"

#include "DescriptorCommand.h"
#include "HexFormat.h"
#include "MonitorCommand.h"

#include <BackendFactory.h>
#include <DeviceDiscovery.h>

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
    if (options.command == "descriptor")
        return DescriptorCommand(out_, err_).run(options);
    if (options.command == "monitor")
        return MonitorCommand(out_, err_).run(options);
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
    return list(*backend);
}

int DeviceCommands::list(HidBackend& backend)
{
    const auto interfaces = backend.enumerate();
    if (!interfaces)
        err_ << "kestrelctl: the system could not list its HID interfaces\n";
    int found = 0;
    for (const HidInterfaceInfo& info : interfaces.value_or(std::vector<HidInterfaceInfo>{})) {
        if (info.probe == HidProbe::OpenFailed) {
            reportUnexamined(info);
            continue;
        }
        if (!DeviceDiscovery::isMouse(info))
            continue;
        if (info.probe == HidProbe::CapsFailed) {
            err_ << "kestrelctl: " << info.path << ": a collection of the mouse whose capabilities cannot be read\n";
            continue;
        }
        ++found;
        out_ << info.path << ' ' << collectionFields(info.usagePage, info.usage, info.featureReportLength)
             << " role=" << roleName(DeviceDiscovery::roleOf(info)) << '\n';
    }
    if (found == 0) {
        err_ << "kestrelctl: no mouse found (USB vendor 04D9, product A09E)\n";
        return 1;
    }
    return 0;
}

void DeviceCommands::reportUnexamined(const HidInterfaceInfo& info)
{
    err_ << "kestrelctl: " << (info.path.empty() ? "an interface without a device path" : info.path)
         << ": cannot be examined";
    if (info.probeError != 0)
        err_ << " (error " << info.probeError << ')';
    err_ << '\n';
}

} // namespace kestrel::ctl
