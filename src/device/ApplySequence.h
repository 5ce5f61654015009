#pragma once

#include "FeatureProtocol.h"

#include <SettingsRecord.h>

#include <functional>

namespace kestrel {

// Apply: refresh the status pair from the mouse, compose pages 3 to 5 and the
// report rate from the working settings record, send the image, then let the
// caller store its files. The window goes on after a failed status query, as
// the mouse's current DPI stage is then merely stale; the command-line tool
// stops there so that nothing reaches a mouse that failed a check.
class ApplySequence {
public:
    enum class OnFailedQuery { Continue, Stop };

    struct Result {
        bool statusQueried = false;
        bool written = false;
    };

    static Result run(FeatureProtocol& protocol, ConfigImage& image, const SettingsRecord& record,
                      std::uint8_t sensorType, const std::function<void()>& storeSettings,
                      OnFailedQuery onFailedQuery = OnFailedQuery::Continue);
};

} // namespace kestrel
