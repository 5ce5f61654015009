#pragma once

#include "platform/DeviceNoticeSource.h"

namespace kestrel {

// Device notices that arrive as window messages, the way Windows delivers
// them, for tests on any platform: the message is a WindowMessage whose
// broadcast bytes a test wrote, to the window the source was opened for.
class ScriptedNoticeSource final : public DeviceNoticeSource {
public:
    explicit ScriptedNoticeSource(const void* window);

    int descriptor() const override;
    std::vector<DeviceChange> readNotices() override;
    std::optional<DeviceChange> noticeOfMessage(std::string_view eventType, const void* message) override;

private:
    const void* window_;
};

} // namespace kestrel
