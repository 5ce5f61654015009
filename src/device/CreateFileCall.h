#pragma once

#include <cstdint>
#include <string>

namespace kestrel {

// The arguments of CreateFileW that decide how a device path is opened, as
// plain numbers (the values of the Windows constants), so that what the
// backend asks for can be checked on any platform.
struct CreateFileRequest {
    std::string path;  // UTF-8
    std::uint32_t desiredAccess = 0;
    std::uint32_t shareMode = 0;
    std::uint32_t creationDisposition = 0;
};

// The outcome of one CreateFileW: the handle, or null and the last error the
// failed call left, taken before anything else could overwrite it.
struct OpenedFile {
    void* handle = nullptr;
    std::uint32_t error = 0;
};

// The one place the HID backend opens a file; tests put a recorder here.
class CreateFileCall {
public:
    virtual ~CreateFileCall() = default;
    virtual OpenedFile createFile(const CreateFileRequest& request) = 0;
};

} // namespace kestrel
