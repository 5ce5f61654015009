#pragma once

#include "device/DeviceChange.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrel {

// A native window message in plain numbers, as the window procedure gets it.
struct WindowMessage {
    const void* window = nullptr;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// Picks the mouse's arrivals and removals out of the window messages Qt hands
// to native event filters on Windows: a device-change message to the window
// that registered for notices, whose broadcast (lParam) names the mouse.
class DeviceChangeMessage {
public:
    static constexpr std::uint32_t kDeviceChange = 0x0219; // WM_DEVICECHANGE
    // Qt's kind for messages that reach a window procedure. Device changes
    // are sent, not posted, so the event loop's own kind never carries them;
    // taking this kind alone keeps every notice from being counted twice.
    static constexpr std::string_view kWindowProcedureEvent = "windows_generic_MSG";

    static std::optional<DeviceChange> noticeOf(std::string_view eventType, const WindowMessage& message,
                                                const void* registeredWindow);
};

} // namespace kestrel
