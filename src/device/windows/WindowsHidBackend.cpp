#include "device/windows/WindowsHidBackend.h"

#include "device/windows/HidInterfaceClass.h"
#include "device/windows/WideText.h"
#include "device/windows/WindowsHidDevice.h"

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

// An entry for an interface, or the end of the list, that failed with the
// system's error code.
HidInterfaceInfo failure(HidProbe probe, DWORD error)
{
    HidInterfaceInfo info;
    info.probe = probe;
    info.probeError = static_cast<int>(error);
    return info;
}

struct PathQuery {
    std::optional<std::string> path;
    DWORD error = 0;
};

// The device path of one interface: a size query, then the detail itself.
PathQuery interfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data)
{
    DWORD required = 0;
    // The size query fails by design, with ERROR_INSUFFICIENT_BUFFER.
    if (!SetupDiGetDeviceInterfaceDetailW(list, &data, nullptr, 0, &required, nullptr)) {
        const DWORD error = GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER)
            return {std::nullopt, error};
    }
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
        return {std::nullopt, ERROR_INVALID_DATA};
    // DWORD elements give the structure its alignment.
    std::vector<DWORD> buffer((required + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(list, &data, detail, required, nullptr, nullptr))
        return {std::nullopt, GetLastError()};
    return {toUtf8(detail->DevicePath), 0};
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
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!HidD_GetAttributes(handle, &attributes)) {
        info.probe = HidProbe::AttributesFailed;
        info.probeError = static_cast<int>(GetLastError());
        return info;
    }
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
    for (DWORD index = 0;; ++index) {
        if (!SetupDiEnumDeviceInterfaces(handle, nullptr, &kHidInterfaceClass, index, &data)) {
            // Only ERROR_NO_MORE_ITEMS is the end; anything else cuts the list short.
            const DWORD error = GetLastError();
            if (error != ERROR_NO_MORE_ITEMS)
                interfaces.push_back(failure(HidProbe::ListCut, error));
            return interfaces;
        }
        const PathQuery query = interfacePath(handle, data);
        if (!query.path) {
            interfaces.push_back(failure(HidProbe::PathFailed, query.error));
            continue;
        }
        interfaces.push_back(probeInterface(opener_, *query.path));
    }
}

HidOpenResult WindowsHidBackend::open(const HidInterfaceInfo& info)
{
    const OpenedFile opened = opener_.open(info.path);
    if (!opened.handle)
        return {nullptr, static_cast<int>(opened.error)};
    return {std::make_unique<WindowsHidDevice>(opened.handle), 0};
}

} // namespace kestrel
