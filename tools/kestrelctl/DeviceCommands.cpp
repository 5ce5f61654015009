#include "DeviceCommands.h"

#include "DescriptorCommand.h"
#include "HexFormat.h"
#include "MonitorCommand.h"

#include "device/BackendFactory.h"
#include "device/DeviceDiscovery.h"

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
    bool complete = interfaces.has_value();
    int found = 0;
    std::size_t position = 0;
    for (const HidInterfaceInfo& info : interfaces.value_or(std::vector<HidInterfaceInfo>{})) {
        ++position;
        if (info.probe == HidProbe::ListCut) {
            complete = false;
            err_ << "kestrelctl: the system stopped listing its HID interfaces after " << position - 1
                 << withError(info) << '\n';
            continue;
        }
        if (reportUnexamined(info, position) || !DeviceDiscovery::isMouse(info))
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
    // Interfaces of the mouse may be missing from a list cut short.
    return complete ? 0 : 1;
}

bool DeviceCommands::reportUnexamined(const HidInterfaceInfo& info, std::size_t position)
{
    const std::string name = info.path.empty() ? "HID interface " + std::to_string(position) : info.path;
    switch (info.probe) {
    case HidProbe::OpenFailed:
        err_ << "kestrelctl: " << name << ": cannot be examined" << withError(info) << '\n';
        return true;
    case HidProbe::PathFailed:
        err_ << "kestrelctl: " << name << ": the system gave no device path" << withError(info) << '\n';
        return true;
    case HidProbe::AttributesFailed:
        err_ << "kestrelctl: " << name << ": the system gave no vendor and product" << withError(info) << '\n';
        return true;
    case HidProbe::Ok:
    case HidProbe::CapsFailed:
    case HidProbe::ListCut:
        break;
    }
    return false;
}

std::string DeviceCommands::withError(const HidInterfaceInfo& info)
{
    return info.probeError != 0 ? " (error " + std::to_string(info.probeError) + ')' : std::string();
}

} // namespace kestrel::ctl
