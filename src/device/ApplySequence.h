#pragma once

#include "device/FeatureProtocol.h"

#include "config/SettingsRecord.h"

#include <functional>

namespace kestrel {

// Apply: refresh the status pair from the mouse, compose pages 3 to 5 and the
// report rate from the working settings record, send the image, then let the
// caller store its files. Pages 1 and 2 and the bytes the program does not
// interpret go back to the mouse as they were read, so an image that is not
// one complete read is read again first; when that read fails too, nothing
// is sent. The window goes on after a failed status query, as the mouse's
// current DPI stage is then merely stale; the command-line tool stops there
// so that nothing reaches a mouse that failed a check.
class ApplySequence {
public:
    enum class OnFailedQuery { Continue, Stop };

    struct Result {
        bool imageRead = false;      // the image is one complete read (now or before)
        bool reread = false;         // it had to be read again for this Apply
        bool statusQueried = false;
        bool written = false;
    };

    // The sensor type selects the DPI codes; after a fresh read it is the
    // one just read.
    static Result run(FeatureProtocol& protocol, ConfigImage& image, const SettingsRecord& record,
                      std::uint8_t sensorType, const std::function<void()>& storeSettings,
                      OnFailedQuery onFailedQuery = OnFailedQuery::Continue);

private:
    static void send(Result& result, FeatureProtocol& protocol, ConfigImage& image, const SettingsRecord& record,
                     std::uint8_t sensorType, OnFailedQuery onFailedQuery);
};

} // namespace kestrel
