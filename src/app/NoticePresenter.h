#pragma once

#include "app/BalloonDisplay.h"
#include "app/endpoint/NoticeEndpoint.h"
#include "config/SettingsRecord.h"
#include "config/TextTable.h"
#include "device/DeviceState.h"

#include <optional>

namespace kestrel {

// Turns notices into balloons on the current display. Until there is one (start-up
// still running, or the notification area not yet known) the latest notice is
// held, as notices replace one another, and shown once a display is set; this way
// a notice sent early in start-up appears in the language start-up then chooses.
class NoticePresenter {
public:
    // The DPI stage notices name the level of the working settings, labelled
    // for the mouse's sensor type.
    NoticePresenter(const TextTable& texts, const SettingsRecord& settings, const DeviceState& device);

    void notice(Notice notice);
    // Null holds notices again.
    void setDisplay(BalloonDisplay* display);

private:
    void present(Notice notice);

    const TextTable& texts_;
    const SettingsRecord& settings_;
    const DeviceState& device_;
    BalloonDisplay* display_ = nullptr;
    std::optional<Notice> held_;
};

} // namespace kestrel
