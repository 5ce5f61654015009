#include "device/HidPathOpener.h"

namespace kestrel {

HidPathOpener::HidPathOpener(CreateFileCall& call)
    : call_(call)
{
}

OpenedFile HidPathOpener::open(const std::string& path) const
{
    return call_.createFile({path, kNoAccess, kShareRead | kShareWrite, kOpenExisting});
}

} // namespace kestrel
