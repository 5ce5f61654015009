#include "device/ApplySequence.h"

#include "config/ApplyComposer.h"

namespace kestrel {

ApplySequence::Result ApplySequence::run(FeatureProtocol& protocol, ConfigImage& image, const SettingsRecord& record,
                                         std::uint8_t sensorType, const std::function<void()>& storeSettings,
                                         OnFailedQuery onFailedQuery)
{
    Result result;
    if (!image.isCompleteRead()) {
        result.reread = true;
        if (protocol.readMouse())
            sensorType = image.sensorType();
    }
    result.imageRead = image.isCompleteRead();
    if (result.imageRead)
        send(result, protocol, image, record, sensorType, onFailedQuery);
    // The user's settings are kept whatever the mouse made of them.
    if (storeSettings)
        storeSettings();
    return result;
}

void ApplySequence::send(Result& result, FeatureProtocol& protocol, ConfigImage& image, const SettingsRecord& record,
                         std::uint8_t sensorType, OnFailedQuery onFailedQuery)
{
    ApplyComposer::writeConstantTables(image);
    result.statusQueried = protocol.getDpiStage().succeeded();
    if (!result.statusQueried && onFailedQuery == OnFailedQuery::Stop)
        return;
    ApplyComposer::composeFromSettings(image, record, sensorType);
    result.written = protocol.writeOperation().succeeded();
}

} // namespace kestrel
