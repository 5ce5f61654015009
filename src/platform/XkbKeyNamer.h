#pragma once

#include "platform/KeyNamer.h"

namespace kestrel {

// Names keys from the XKB keycodes that Qt reports as native scan codes on
// X11 and Wayland, through the table of ScanCodeNames.
class XkbKeyNamer final : public KeyNamer {
public:
    std::string nameOf(std::uint32_t nativeScanCode) const override;
    bool isWindowsKey(std::uint32_t nativeScanCode) const override;
};

} // namespace kestrel
