// A hidraw node's uevent file and its HID_ID value.
#include "device/linux/HidIdentity.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto identity = kestrel::HidIdentity::fromUevent(text))
        (void)identity->isMouse();
    (void)kestrel::HidIdentity::fromHidId(text);
    return 0;
}
