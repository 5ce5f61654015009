#include "WindowsHidBackend.h"

#include "HidInterfaceClass.h"
#include "WideText.h"
#include "WindowsHidDevice.h"

#include <windows.h>
#include <setupapi.h>
// These two headers of mingw-w64 declare C functions without C linkage.
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

namespace kestrel {

namespace {

struct DeviceInfoListDeleter {
    void operator()(void* list) const { SetupDiDestroyDeviceInfoList(list); }
};
using DeviceInfoList = std::unique_ptr<void, DeviceInfoListDeleter>;

struct HandleDeleter {
    void operator()(void* handle) const { CloseHandle(handle); }
};
using ProbeHandle = std::unique_ptr<void, HandleDeleter>;

// The device path of one interface: a size query, then the detail itself.
std::optional<std::string> interfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data)
{
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(list, &data, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        return std::nullopt;
    // DWORD elements give the structure its alignment.
    std::vector<DWORD> buffer((required + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(list, &data, detail, required, nullptr, nullptr))
        return std::nullopt;
    return toUtf8(detail->DevicePath);
}

void readCapabilities(HANDLE probe, HidInterfaceInfo& info)
{
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!HidD_GetPreparsedData(probe, &preparsed)) {
        info.probe = HidProbe::CapsFailed;
        return;
    }
    HIDP_CAPS caps{};
    const NTSTATUS status = HidP_GetCaps(preparsed, &caps);
    HidD_FreePreparsedData(preparsed);
    if (status != HIDP_STATUS_SUCCESS) {
        info.probe = HidProbe::CapsFailed;
        return;
    }
    info.usagePage = caps.UsagePage;
    info.usage = caps.Usage;
    info.featureReportLength = caps.FeatureReportByteLength;
}

HidInterfaceInfo probeInterface(const HidPathOpener& opener, const std::string& path)
{
    HidInterfaceInfo info;
    info.path = path;
    const OpenedFile opened = opener.open(path);
    if (!opened.handle) {
        info.probe = HidProbe::OpenFailed;
        info.probeError = static_cast<int>(opened.error);
        return info;
    }
    const HANDLE handle = opened.handle;
    const ProbeHandle probe(handle);
    // Attributes left zero by a failed call match no mouse.
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    HidD_GetAttributes(handle, &attributes);
    info.vendorId = attributes.VendorID;
    info.productId = attributes.ProductID;
    readCapabilities(handle, info);
    return info;
}

} // namespace

WindowsHidBackend::WindowsHidBackend()
    : opener_(createFile_)
{
}

std::optional<std::vector<HidInterfaceInfo>> WindowsHidBackend::enumerate()
{
    const HDEVINFO handle = SetupDiGetClassDevsW(&kHidInterfaceClass, nullptr, nullptr,
                                                 DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const DeviceInfoList list(handle);

    std::vector<HidInterfaceInfo> interfaces;
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(handle, nullptr, &kHidInterfaceClass, index, &data); ++index) {
        const auto path = interfacePath(handle, data);
        if (!path) {
            HidInterfaceInfo unknown;
            unknown.probe = HidProbe::OpenFailed;
            interfaces.push_back(unknown);
            continue;
        }
        interfaces.push_back(probeInterface(opener_, *path));
    }
    return interfaces;
}

HidOpenResult WindowsHidBackend::open(const HidInterfaceInfo& info)
{
    const OpenedFile opened = opener_.open(info.path);
    if (!opened.handle)
        return {nullptr, static_cast<int>(opened.error)};
    return {std::make_unique<WindowsHidDevice>(opened.handle), 0};
}

} // namespace kestrel
