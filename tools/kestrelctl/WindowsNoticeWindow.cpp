#include "WindowsNoticeWindow.h"

#include "device/DeviceBroadcast.h"
#include "device/windows/HidNotificationRegistration.h"

#include <memory>
#include <type_traits>

#include <windows.h>

namespace kestrel::ctl {

namespace {

constexpr wchar_t kClassName[] = L"KestrelCtlDeviceNotices";

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_DEVICECHANGE)
        return DefWindowProcW(window, message, wParam, lParam);
    auto* monitor = reinterpret_cast<HotplugMonitor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (monitor) {
        if (const auto notice = DeviceBroadcast::decodeMessage(wParam, lParam))
            monitor->onNotice(notice->kind, notice->deviceName);
    }
    return TRUE;
}

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

} // namespace

int WindowsNoticeWindow::run(HotplugMonitor& monitor, std::ostream& err)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) {
        const DWORD error = GetLastError();
        err << "kestrelctl: cannot register the notice window (error " << error << ")\n";
        return 1;
    }
    const Window window(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
    if (!window) {
        const DWORD error = GetLastError();
        err << "kestrelctl: cannot create the notice window (error " << error << ")\n";
        return 1;
    }
    SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&monitor));
    // Registered before the mouse is opened, so that no notice falls between the two.
    const auto registration = HidNotificationRegistration::registerWindow(window.get());
    if (!registration) {
        err << "kestrelctl: RegisterDeviceNotification failed!!!\n";
        return 1;
    }
    monitor.startUp();
    MSG message;
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0)
        DispatchMessageW(&message);
    if (got < 0) {
        const DWORD error = GetLastError();
        err << "kestrelctl: waiting for device notices failed (error " << error << ")\n";
        return 1;
    }
    return 0;
}

} // namespace kestrel::ctl
