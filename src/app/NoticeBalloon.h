#pragma once

#include "app/endpoint/NoticeEndpoint.h"

#include "device/DeviceEventSink.h"
#include "config/SettingsRecord.h"
#include "config/TextTable.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kestrel {

// A notice as the user sees it: text, title and how long it asks to stay.
// Every balloon carries the information icon, warnings included.
struct Balloon {
    std::string text;
    std::string title;
    int timeoutMs = 0;

    friend bool operator==(const Balloon&, const Balloon&) = default;
};

// Turns a notice into its balloon: report rate (kind 5), DPI stage (7), key
// group (8), macro key (9), mouse detected (14) and mouse not detected (15).
// Kinds and values outside the table show nothing.
class NoticeBalloon {
public:
    static constexpr int kReportRate = 5;
    static constexpr int kDpiStage = 7;
    static constexpr int kKeyGroup = 8;
    static constexpr int kMacroKey = 9;
    static constexpr int kMouseDetected = DeviceEventSink::kNoticeMouseDetected;
    static constexpr int kMouseNotDetected = DeviceEventSink::kNoticeMouseNotDetected;

    static constexpr int kLongTimeoutMs = 5000;
    static constexpr int kShortTimeoutMs = 100;

    // The DPI stage notice names the DPI level the record holds for that
    // stage, labelled for the mouse's sensor type.
    static std::optional<Balloon> compose(Notice notice, const TextTable& texts, const SettingsRecord& settings,
                                          std::uint8_t sensorType);

private:
    static std::optional<std::string> text(Notice notice, const TextTable& texts, const SettingsRecord& settings,
                                           std::uint8_t sensorType);
    static std::optional<std::string> reportRateText(int value, const TextTable& texts);
};

} // namespace kestrel
