#include "ApplySequence.h"

#include <ApplyComposer.h>

namespace kestrel {

ApplySequence::Result ApplySequence::run(FeatureProtocol& protocol, ConfigImage& image, const SettingsRecord& record,
                                         std::uint8_t sensorType, const std::function<void()>& storeSettings,
                                         OnFailedQuery onFailedQuery)
{
    Result result;
    ApplyComposer::writeConstantTables(image);
    result.statusQueried = protocol.getDpiStage();
    if (result.statusQueried || onFailedQuery == OnFailedQuery::Continue) {
        ApplyComposer::composeFromSettings(image, record, sensorType);
        result.written = protocol.writeOperation();
    }
    // The user's settings are kept whatever the mouse made of them.
    if (storeSettings)
        storeSettings();
    return result;
}

} // namespace kestrel
