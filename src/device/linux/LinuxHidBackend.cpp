#include "device/linux/LinuxHidBackend.h"

#include "device/HidDescriptorParser.h"
#include "device/linux/HidIdentity.h"
#include "device/linux/LinuxHidDevice.h"

#include "config/BinaryFile.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>

namespace kestrel {

namespace {

// uevent files are a few hundred bytes; the cap keeps an odd file from
// being read whole.
constexpr std::size_t kMaxUeventSize = 16 * 1024;

std::optional<std::string> readSmallTextFile(const std::filesystem::path& file)
{
    const BinaryFile::ReadResult contents = BinaryFile::read(file, kMaxUeventSize);
    if (contents.error)
        return std::nullopt;
    return std::string(contents.bytes.begin(), contents.bytes.end());
}

// hidraw2 before hidraw10.
bool kernelOrder(const std::string& left, const std::string& right)
{
    return left.size() != right.size() ? left.size() < right.size() : left < right;
}

} // namespace

LinuxHidBackend::LinuxHidBackend(std::filesystem::path sysfsRoot, std::filesystem::path devRoot)
    : classDir_(std::move(sysfsRoot) / "class" / "hidraw"), devRoot_(std::move(devRoot))
{
}

std::optional<std::vector<HidInterfaceInfo>> LinuxHidBackend::enumerate()
{
    const auto nodes = nodeNames();
    if (!nodes)
        return std::nullopt;
    std::vector<HidInterfaceInfo> interfaces;
    for (const std::string& node : *nodes)
        appendInterfaces(node, interfaces);
    return interfaces;
}

HidOpenResult LinuxHidBackend::open(const HidInterfaceInfo& info)
{
    const int fd = ::open(info.path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return {nullptr, errno};
    return {std::make_unique<LinuxHidDevice>(fd), 0};
}

std::optional<std::vector<std::string>> LinuxHidBackend::nodeNames() const
{
    std::error_code error;
    std::vector<std::string> names;
    for (std::filesystem::directory_iterator it(classDir_, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    if (error)
        return std::nullopt;
    std::sort(names.begin(), names.end(), kernelOrder);
    return names;
}

void LinuxHidBackend::appendInterfaces(const std::string& node, std::vector<HidInterfaceInfo>& interfaces) const
{
    const std::filesystem::path hidDevice = classDir_ / node / "device";
    const auto uevent = readSmallTextFile(hidDevice / "uevent");
    const auto identity = uevent ? HidIdentity::fromUevent(*uevent) : std::nullopt;
    if (!identity)
        return;

    HidInterfaceInfo info;
    info.path = (devRoot_ / node).string();
    info.vendorId = identity->vendorId;
    info.productId = identity->productId;
    const HidDescriptorParseResult parsed = HidDescriptorParser::parseFile(hidDevice / "report_descriptor");
    if (!parsed.ok()) {
        info.probe = HidProbe::CapsFailed;
        interfaces.push_back(info);
        return;
    }
    for (const HidCollectionCaps& caps : parsed.collections) {
        info.usagePage = caps.usagePage;
        info.usage = caps.usage;
        info.featureReportLength = caps.featureReportLength;
        interfaces.push_back(info);
    }
}

} // namespace kestrel
