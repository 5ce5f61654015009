#include "platform/linux/UdevNoticeSource.h"

#include <utility>

namespace kestrel {

std::unique_ptr<DeviceNoticeSource> UdevNoticeSource::create()
{
    auto source = UdevHotplugSource::create();
    if (!source)
        return nullptr;
    return std::unique_ptr<DeviceNoticeSource>(new UdevNoticeSource(std::move(source)));
}

UdevNoticeSource::UdevNoticeSource(std::unique_ptr<UdevHotplugSource> source)
    : source_(std::move(source))
{
}

int UdevNoticeSource::descriptor() const
{
    return source_->fd();
}

std::vector<DeviceChange> UdevNoticeSource::readNotices()
{
    std::vector<DeviceChange> changes;
    for (const HotplugNotice& notice : source_->readNotices())
        changes.push_back(notice.kind);
    return changes;
}

std::optional<DeviceChange> UdevNoticeSource::noticeOfMessage(std::string_view, const void*)
{
    return std::nullopt;
}

} // namespace kestrel
