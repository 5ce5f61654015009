#pragma once

#include "device/CreateFileCall.h"

namespace kestrel {

// CreateFileW itself.
class Win32CreateFile final : public CreateFileCall {
public:
    OpenedFile createFile(const CreateFileRequest& request) override;
};

} // namespace kestrel
