#pragma once

#include "device/CreateFileCall.h"

#include <cstdint>
#include <string>

namespace kestrel {

// Opens a HID collection's device path the only way Windows allows for the
// mouse: without access rights, sharing read and write. The system holds its
// mouse and keyboard collections open exclusively for reading and writing, so
// any open asking for such rights is refused; feature reports and the
// collection's attributes and capabilities work through a handle without them.
class HidPathOpener {
public:
    static constexpr std::uint32_t kNoAccess = 0;
    static constexpr std::uint32_t kShareRead = 0x1;   // FILE_SHARE_READ
    static constexpr std::uint32_t kShareWrite = 0x2;  // FILE_SHARE_WRITE
    static constexpr std::uint32_t kOpenExisting = 3;  // OPEN_EXISTING

    explicit HidPathOpener(CreateFileCall& call);

    OpenedFile open(const std::string& path) const;

private:
    CreateFileCall& call_;
};

} // namespace kestrel
