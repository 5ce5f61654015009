#pragma once

#include "device/ApplySequence.h"
#include "device/Clock.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceState.h"
#include "device/FeatureProtocol.h"
#include "config/SettingsRecord.h"

namespace kestrel::fuzz {

// What the programs do with a mouse, against any backend: find and open it,
// read it, query its DPI stage and apply a settings record.
class DeviceSession {
public:
    static void run(HidBackend& backend, const SettingsRecord& record, std::uint8_t sensorType)
    {
        InstantClock clock;
        DeviceState device;
        ConfigImage image;
        DeviceDiscovery discovery(backend, device);
        if (!discovery.openMouse())
            return;
        FeatureProtocol protocol(device, image, clock);
        (void)protocol.readMouse();
        (void)protocol.getDpiStage();
        (void)ApplySequence::run(protocol, image, record, sensorType, [] {}, ApplySequence::OnFailedQuery::Stop);
        device.closeHandles();
    }
};

} // namespace kestrel::fuzz
