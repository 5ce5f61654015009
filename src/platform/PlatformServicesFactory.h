#pragma once

#include "platform/PlatformServices.h"

#include <memory>

namespace kestrel {

// The one place that picks the platform's services.
class PlatformServicesFactory {
public:
    static std::unique_ptr<PlatformServices> forThisSystem();
};

} // namespace kestrel
