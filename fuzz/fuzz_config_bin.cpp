// config.bin as a user or a crash may leave it: loaded, read through every
// accessor, and composed into the image that Apply sends, under any sensor type.
#include "FuzzInput.h"
#include "ScratchFile.h"

#include "config/ApplyComposer.h"
#include "config/ButtonRecord.h"
#include "config/ConfigBinFile.h"
#include "config/ConfigImage.h"
#include "config/DpiTable.h"
#include "config/KeyNames.h"
#include "config/SettingsRecord.h"

#include <string_view>

namespace {

void readEveryField(const kestrel::SettingsRecord& record, std::uint8_t sensorType)
{
    using kestrel::SettingsRecord;
    (void)record.reportRate();
    for (int stage = 0; stage < SettingsRecord::kStageCount; ++stage) {
        (void)kestrel::DpiTable::label(sensorType, record.dpiLevel(stage));
        (void)kestrel::DpiTable::code(sensorType, record.dpiLevel(stage), record.isStageInUse(stage));
        (void)record.dpiColor(stage);
    }
    (void)record.ledMode();
    (void)record.ledBrightness();
    (void)record.ledPeriod();
    (void)record.neonPeriod();
    for (int effect = 0; effect < SettingsRecord::kEffectCount; ++effect)
        (void)record.effect(effect);
    (void)record.modeShown();
    (void)record.fireMakeTime();
    (void)record.fireBreakTime();
    (void)record.snipeDpiCode();
    for (const kestrel::KeyGroup group : kestrel::keygroup::kAll) {
        for (int button = 0; button < SettingsRecord::kButtonCount; ++button) {
            (void)record.keyFunction(group, button);
            (void)record.mediaIndex(group, button);
            (void)record.windowsIndex(group, button);
            (void)record.hotKeyIndex(group, button);
            (void)kestrel::KeyNames::keyNameFromUsage(record.singleKeyCode(group, button));
            (void)record.snipeIndex(group, button);
            (void)record.fireKeyIndex(group, button);
            (void)kestrel::KeyNames::keyNameFromUsage(record.fireKeyCode(group, button));
            (void)record.fireTimes(group, button);
            (void)record.dpiSwitchMode(group, button);
            (void)kestrel::ButtonRecord::fromSettings(record, group, button);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const kestrel::fuzz::ScratchFile file("config.bin");
    kestrel::fuzz::FuzzInput input(data, size);
    const std::uint8_t sensorType = input.byte();
    const kestrel::ConfigBinFile configBin(file.write(input.rest()));
    kestrel::SettingsRecord record;
    (void)configBin.load(record.bytes());

    readEveryField(record, sensorType);
    kestrel::ConfigImage image;
    kestrel::ApplyComposer::writeConstantTables(image);
    kestrel::ApplyComposer::composeFromSettings(image, record, sensorType);
    return 0;
}
