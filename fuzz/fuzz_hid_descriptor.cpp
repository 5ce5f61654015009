// HID report descriptors as sysfs hands them over, from any device plugged in.
#include "device/HidDescriptorParser.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kestrel::HidDescriptorParseResult result = kestrel::HidDescriptorParser::parse({data, size});
    // Either collections or an error, never both.
    if (!result.ok() && !result.collections.empty())
        std::abort();
    return 0;
}
