#include "platform/XkbKeyNamer.h"

#include "platform/ScanCodeNames.h"

namespace kestrel {

std::string XkbKeyNamer::nameOf(std::uint32_t nativeScanCode) const
{
    return std::string(ScanCodeNames::nameOf(nativeScanCode));
}

bool XkbKeyNamer::isWindowsKey(std::uint32_t nativeScanCode) const
{
    return ScanCodeNames::isWindowsKey(nativeScanCode);
}

} // namespace kestrel
