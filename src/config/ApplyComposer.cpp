#include "config/ApplyComposer.h"

#include "config/ButtonRecord.h"
#include "config/ConfigImage.h"
#include "config/DeviceTables.h"
#include "config/DpiTable.h"
#include "config/LightingTexts.h"
#include "config/SettingsRecord.h"

#include <algorithm>
#include <array>

namespace kestrel {

namespace {
// The lighting effect byte sent with the Standard and Respiration modes.
constexpr std::uint8_t kLedEffect = 2;

constexpr std::size_t kButtonRecordSize = 2;

} // namespace

void ApplyComposer::writeConstantTables(ConfigImage& image)
{
    const auto consumerBytes = DeviceTables::consumerUsageBytes();
    std::ranges::copy(consumerBytes, image.page(4).subspan(ConfigImage::kPage4ConsumerUsages).begin());
    std::ranges::copy(DeviceTables::kShortcuts, image.page(5).subspan(ConfigImage::kPage5Shortcuts).begin());
}

void ApplyComposer::composeFromSettings(ConfigImage& image, const SettingsRecord& record, std::uint8_t sensorType)
{
    image.setUsbReportRate(record.reportRate());
    composeLighting(image, record);
    composeStageColours(image, record);
    image.page(4)[ConfigImage::kPage4SnipeDpiCode] = record.snipeDpiCode();
    composeDpiCodes(image, record, sensorType);
    image.page(4)[ConfigImage::kPage4FireMakeTime] = record.fireMakeTime();
    image.page(4)[ConfigImage::kPage4FireBreakTime] = record.fireBreakTime();
    composeButtons(image, record);
}

void ApplyComposer::composeLighting(ConfigImage& image, const SettingsRecord& record)
{
    const auto page4 = image.page(4);
    const std::uint8_t mode = record.ledMode();
    page4[ConfigImage::kPage4LedMode] = mode;
    // Other modes (Off among them) leave the parameter and effect as the mouse reported them.
    if (mode == LightingTexts::kModeStandard || mode == LightingTexts::kModeRespiration) {
        page4[ConfigImage::kPage4LedParameter] = mode == LightingTexts::kModeStandard ? record.ledBrightness() : record.ledPeriod();
        page4[ConfigImage::kPage4LedEnable] = kLedEffect;
    }
}

void ApplyComposer::composeStageColours(ConfigImage& image, const SettingsRecord& record)
{
    const auto colours = image.page(5).subspan(ConfigImage::kPage5DpiColours, ConfigImage::kPage5DpiColoursSize);
    std::ranges::fill(colours, 0);
    std::uint8_t count = 0;
    for (int stage = 0; stage < SettingsRecord::kStageCount; ++stage) {
        if (!record.isStageInUse(stage)) {
            continue;
        }
        const Rgb colour = record.dpiColor(stage);
        const std::size_t at = 3 * static_cast<std::size_t>(count);
        colours[at] = colour.r;
        colours[at + 1] = colour.g;
        colours[at + 2] = colour.b;
        ++count;
    }
    image.page(4)[ConfigImage::kPage4StageCount] = count;
}

void ApplyComposer::composeDpiCodes(ConfigImage& image, const SettingsRecord& record, std::uint8_t sensorType)
{
    const auto codes = image.page(4).subspan(ConfigImage::kPage4DpiCodes, SettingsRecord::kStageCount);
    for (int stage = 0; stage < SettingsRecord::kStageCount; ++stage) {
        // Any non-zero flag counts as enabled here, unlike for the colour list.
        const bool enabled = record.dpiEnabled(stage) != 0;
        codes[static_cast<std::size_t>(stage)] = DpiTable::code(sensorType, record.dpiLevel(stage), enabled);
    }
}

void ApplyComposer::composeButtons(ConfigImage& image, const SettingsRecord& record)
{
    const auto page3 = image.page(3);
    for (const KeyGroup group : keygroup::kAll) {
        for (int button = 0; button < SettingsRecord::kButtonCount; ++button) {
            const ButtonRecord encoded = ButtonRecord::fromSettings(record, group, button);
            const std::size_t at =
                ConfigImage::page3Buttons(group) + kButtonRecordSize * ButtonRecord::deviceSlot(button);
            page3[at] = encoded.value;
            page3[at + 1] = encoded.type;
        }
    }
}

} // namespace kestrel
