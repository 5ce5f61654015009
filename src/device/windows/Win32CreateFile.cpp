#include "device/windows/Win32CreateFile.h"

#include "device/HidPathOpener.h"
#include "device/windows/WideText.h"

#include <windows.h>

namespace kestrel {

static_assert(HidPathOpener::kShareRead == FILE_SHARE_READ);
static_assert(HidPathOpener::kShareWrite == FILE_SHARE_WRITE);
static_assert(HidPathOpener::kOpenExisting == OPEN_EXISTING);

OpenedFile Win32CreateFile::createFile(const CreateFileRequest& request)
{
    const std::wstring path = toWide(request.path);
    const HANDLE handle = CreateFileW(path.c_str(), request.desiredAccess, request.shareMode, nullptr,
                                      request.creationDisposition, 0, nullptr);
    // Read at once: nothing between the failed call and here may touch it.
    if (handle == INVALID_HANDLE_VALUE)
        return {nullptr, static_cast<std::uint32_t>(GetLastError())};
    return {handle, 0};
}

} // namespace kestrel
