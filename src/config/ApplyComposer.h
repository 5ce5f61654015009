#pragma once

#include <cstdint>

namespace kestrel {

class ConfigImage;
class SettingsRecord;

// Writes the user's settings into the configuration image before it is sent.
// Apply first writes the constant tables, then refreshes the status pair from
// the mouse, then composes the rest from the settings record. Only the bytes
// the mouse is told about are written; every other byte stays as last read.
class ApplyComposer {
public:
    // The consumer usage table (page 4) and the shortcut table (page 5).
    static void writeConstantTables(ConfigImage& image);

    // Report rate, lighting, DPI stages and colours, snipe and fire timing and
    // both key groups' button records. The mouse's current DPI stage (status
    // byte 1) is left as read.
    static void composeFromSettings(ConfigImage& image, const SettingsRecord& record, std::uint8_t sensorType);

private:
    static void composeLighting(ConfigImage& image, const SettingsRecord& record);
    static void composeStageColours(ConfigImage& image, const SettingsRecord& record);
    static void composeDpiCodes(ConfigImage& image, const SettingsRecord& record, std::uint8_t sensorType);
    static void composeButtons(ConfigImage& image, const SettingsRecord& record);
};

} // namespace kestrel
