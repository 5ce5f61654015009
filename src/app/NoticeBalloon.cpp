#include "app/NoticeBalloon.h"

#include "config/DpiTable.h"

#include <array>

namespace kestrel {

namespace {

constexpr const char* kInfoTitle = "Info";
constexpr const char* kWarningTitle = "Warning";

// The report rate codes of the status pair, in the order of the texts: 1000, 500, 250, 125 Hz.
constexpr std::array<int, TextTable::kReportRateCount> kReportRateCodes = {1, 2, 4, 8};

} // namespace

std::optional<Balloon> NoticeBalloon::compose(Notice notice, const TextTable& texts, const SettingsRecord& settings,
                                              std::uint8_t sensorType)
{
    auto shown = text(notice, texts, settings, sensorType);
    if (!shown)
        return std::nullopt;
    if (notice.kind == kMouseDetected)
        return Balloon{std::move(*shown), kInfoTitle, kShortTimeoutMs};
    if (notice.kind == kMouseNotDetected)
        return Balloon{std::move(*shown), kWarningTitle, kShortTimeoutMs};
    return Balloon{std::move(*shown), kInfoTitle, kLongTimeoutMs};
}

std::optional<std::string> NoticeBalloon::text(Notice notice, const TextTable& texts, const SettingsRecord& settings,
                                                std::uint8_t sensorType)
{
    const int value = notice.value;
    switch (notice.kind) {
    case kReportRate:
        return reportRateText(value, texts);
    case kDpiStage:
        if (value < 1 || value > SettingsRecord::kStageCount)
            return std::nullopt;
        // The English stage texts end with the blank that separates the DPI value.
        return texts.dpiStageNotices[value - 1] + DpiTable::label(sensorType, settings.dpiLevel(value - 1));
    case kKeyGroup:
        if (value < 1 || value > static_cast<int>(TextTable::kKeyGroupCount))
            return std::nullopt;
        return texts.keyGroupNotices[value - 1];
    case kMacroKey:
        if (value == 0)
            return std::nullopt;
        return texts.macroKeyNotice + std::to_string(value);
    case kMouseDetected:
        return texts.mouseDetected;
    case kMouseNotDetected:
        return texts.mouseNotDetected;
    default:
        return std::nullopt;
    }
}

std::optional<std::string> NoticeBalloon::reportRateText(int value, const TextTable& texts)
{
    for (std::size_t i = 0; i < kReportRateCodes.size(); ++i) {
        if (kReportRateCodes[i] == value)
            return texts.reportRateNotices[i];
    }
    return std::nullopt;
}

} // namespace kestrel
